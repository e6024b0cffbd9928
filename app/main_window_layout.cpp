// The controls of the main window: kind, place (96 dpi), initial text and font.
#include <windows.h>
#include <commctrl.h>

#include "app/build_config.h"
#include "app/main_window.h"
#include "win/controls.h"
#include "win/code_page.h"
#include "win/dpi.h"
#include "win/font.h"

namespace radar {

const char kNumbersPlaceholder[] = "请将要查询的快递单号填到这里\r\n\r\n如果涉及多个单号查询，请每行输入一个单号 "
                                   "如：\r\n123456752\r\n54345343\r\n763434343";

namespace {

enum class Kind {
    Label,
    NumbersEdit,
    IntervalEdit,
    Button,
    CheckBox,
    ListView,
    TransparentLabel,
    Browser,
    ScratchEdit
};
enum class FontKind { Kai14, Kai12, Song19, Song35, Song14, System };

struct ControlLayout {
    MainId id;
    Kind kind;
    int x, y, width, height;
    const char* text;
    FontKind font;
};

const char kAuthorLine[] = "作者：青禾  QQ：" RADAR_AUTHOR_ACCOUNT;

const ControlLayout kLayout[] = {
    {MainId::标签_单号, Kind::Label, 8, -1, 72, 32, "快递单号：", FontKind::Kai14},
    {MainId::编辑框_单号, Kind::NumbersEdit, 8, 31, 200, 320, kNumbersPlaceholder, FontKind::Kai14},
    {MainId::按钮_查一下, Kind::Button, 8, 354, 200, 32, "查一下", FontKind::Kai14},
    {MainId::标签_自动查询时间, Kind::Label, 3, 392, 136, 32, "自动查询时间（分）", FontKind::Kai14},
    {MainId::编辑框_自动查询, Kind::IntervalEdit, 134, 392, 82, 32, "5", FontKind::Kai14},
    {MainId::选择框_自动查询, Kind::CheckBox, 6, 432, 88, 24, "自动查询", FontKind::Kai14},
    {MainId::标签_倒计时, Kind::Label, 85, 430, 80, 24, "", FontKind::Kai12},
    {MainId::标签_倒计时秒, Kind::Label, 165, 430, 49, 24, "", FontKind::Kai12},
    {MainId::按钮_导入单号, Kind::Button, 0, 461, 104, 32, "导入快递单号", FontKind::Kai14},
    {MainId::按钮_导出, Kind::Button, 112, 461, 96, 32, "导出数据", FontKind::Kai14},
    {MainId::超级列表框1, Kind::ListView, 216, 31, 977, 464, "", FontKind::Kai14},
    {MainId::标签_查询状态, Kind::Label, 216, 496, 976, 27, "", FontKind::Song19},
    {MainId::标签2, Kind::Label, 217, 6, 80, 24, "Esc键=最小化", FontKind::System},
    {MainId::标签1, Kind::Label, 337, 6, 80, 24, "F1=打开主窗口", FontKind::System},
    {MainId::标签3, Kind::Label, 800, 6, 195, 24, "使用次数", FontKind::System},
    {MainId::标签4, Kind::Label, 1000, 4, 195, 26, "使用人数", FontKind::System},
    {MainId::透明标签6, Kind::TransparentLabel, -3, 528, 1200, 126, "", FontKind::Song35},
    {MainId::透明标签1, Kind::TransparentLabel, 7, 647, 225, 40, kAuthorLine, FontKind::Song14},
    {MainId::透明标签2, Kind::TransparentLabel, 864, 654, 72, 24, "当前版本：", FontKind::Song14},
    {MainId::透明标签3, Kind::TransparentLabel, 941, 654, 80, 24, "测试版v1.1", FontKind::Song14},
    {MainId::透明标签4, Kind::TransparentLabel, 1038, 654, 64, 24, "最新版本：", FontKind::Song14},
    {MainId::透明标签5, Kind::TransparentLabel, 1108, 654, 96, 24, "最新版", FontKind::Song14},
    {MainId::透明标签7, Kind::TransparentLabel, 1128, 408, 40, 24, "", FontKind::System},
    // Outside the visible client area: they work but are never seen.
    {MainId::超文本浏览框1, Kind::Browser, 0, 800, 1184, 440, "", FontKind::System},
    {MainId::编辑框1, Kind::ScratchEdit, 344, 850, 760, 40, "", FontKind::System},
};

struct ColumnLayout {
    const char* title;
    int width;
    int format;
};

const ColumnLayout kColumns[] = {
    {"序号", 47, LVCFMT_LEFT},
    {"单号", 150, LVCFMT_CENTER},
    {"最后扫描时间", 150, LVCFMT_CENTER},
    {"快递公司", 100, LVCFMT_CENTER},
    {"地点和跟踪状态（双击查看走件流程）", 350, LVCFMT_CENTER},
    {"最后状态", 100, LVCFMT_CENTER},
    {"备注", 75, LVCFMT_CENTER},
};

struct TextColour {
    MainId id;
    COLORREF colour;
};

const TextColour kTransparentColours[] = {
    {MainId::透明标签6, RGB(0xFF, 0x50, 0x80)}, {MainId::透明标签5, RGB(0xFF, 0, 0)},
    {MainId::透明标签3, RGB(0, 0, 0xFF)},       {MainId::透明标签1, RGB(0, 0, 0)},
    {MainId::透明标签2, RGB(0, 0, 0)},          {MainId::透明标签4, RGB(0, 0, 0)},
};

FontHandle MakeFont(FontKind kind) {
    switch (kind) {
    case FontKind::Kai14:
        return CreateUiFont("楷体", 14, true);
    case FontKind::Kai12:
        return CreateUiFont("楷体", 12, true);
    case FontKind::Song19:
        return CreateUiFont("宋体", 19, true);
    case FontKind::Song35:
        return CreateUiFont("宋体", 35, true);
    case FontKind::Song14:
        return CreateUiFont("宋体", 14, true);
    case FontKind::System:
        break;
    }
    // The system's message font, already scaled for the screen.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    return FontHandle(CreateFontIndirectW(&metrics.lfMessageFont));
}

HWND CreateOne(HWND parent, const ControlLayout& c) {
    const int id = static_cast<int>(c.id);
    const DWORD visible = WS_VISIBLE;
    switch (c.kind) {
    case Kind::Label:
        return CreateControl(parent, L"STATIC", c.text, visible | SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX, 0, c.x, c.y,
                             c.width, c.height, id);
    case Kind::NumbersEdit: {
        HWND edit =
            CreateControl(parent, L"EDIT", c.text,
                          visible | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | ES_LEFT,
                          WS_EX_CLIENTEDGE, c.x, c.y, c.width, c.height, id);
        SendMessageW(edit, EM_SETLIMITTEXT, 0, 0); // no 32 KB cap: users paste long lists
        MakeDigitInput(edit);
        return edit;
    }
    case Kind::IntervalEdit: {
        HWND edit = CreateControl(parent, L"EDIT", c.text, visible | WS_TABSTOP | ES_CENTER | ES_AUTOHSCROLL,
                                  WS_EX_CLIENTEDGE, c.x, c.y, c.width, c.height, id);
        MakeDigitInput(edit);
        return edit;
    }
    case Kind::Button:
        return CreateControl(parent, L"BUTTON", c.text, visible | WS_TABSTOP | BS_PUSHBUTTON, 0, c.x, c.y, c.width,
                             c.height, id);
    case Kind::CheckBox:
        return CreateControl(parent, L"BUTTON", c.text, visible | WS_TABSTOP | BS_AUTOCHECKBOX, 0, c.x, c.y, c.width,
                             c.height, id);
    case Kind::ListView: {
        HWND list = CreateControl(parent, WC_LISTVIEWW, c.text,
                                  visible | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                                  WS_EX_CLIENTEDGE, c.x, c.y, c.width, c.height, id);
        ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
        return list;
    }
    case Kind::TransparentLabel:
        return CreateControl(parent, kTransparentLabelClass, c.text, visible, 0, c.x, c.y, c.width, c.height, id);
    case Kind::Browser:
        return CreateControl(parent, L"STATIC", c.text, visible, 0, c.x, c.y, c.width, c.height, id);
    case Kind::ScratchEdit:
        return CreateControl(parent, L"EDIT", c.text, visible | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, c.x, c.y, c.width,
                             c.height, id);
    }
    return nullptr;
}

void AddColumns(HWND list) {
    int index = 0;
    for (const ColumnLayout& column : kColumns) {
        std::wstring title = ToWide(column.title);
        LVCOLUMNW lvc{};
        lvc.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        lvc.fmt = column.format;
        lvc.cx = Scale(column.width);
        lvc.pszText = title.data();
        lvc.iSubItem = index;
        ListView_InsertColumn(list, index, &lvc);
        ++index;
    }
}

} // namespace

void MainWindow::CreateControls() {
    RegisterTransparentLabelClass();
    FontKind kinds[] = {FontKind::Kai14,  FontKind::Kai12,  FontKind::Song19,
                        FontKind::Song35, FontKind::Song14, FontKind::System};
    fonts_.clear();
    for (FontKind kind : kinds)
        fonts_.push_back(MakeFont(kind));
    for (const ControlLayout& c : kLayout) {
        HWND control = CreateOne(Hwnd(), c);
        controls_[static_cast<size_t>(static_cast<int>(c.id) - kFirstMainId)] = control;
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[static_cast<size_t>(c.font)].Get()), FALSE);
    }
    AddColumns(Control(MainId::超级列表框1));
    for (const TextColour& t : kTransparentColours)
        SetTransparentLabelColour(Control(t.id), t.colour);
}

} // namespace radar
