// The main window as the user sees it: caption, size, every control, the columns, timers, menu.
#include <windows.h>
#include <commctrl.h>

#include "app/program_globals.h"
#include "app/reminder_window.h"
#include "tests/app/main_window_fixture.h"
#include "win/controls.h"
#include "win/dpi.h"
#include "win/font.h"

namespace radar {
namespace {

using test::MainWindowTest;

struct ExpectedControl {
    MainId id;
    const wchar_t* className;
    int x, y, width, height;
    const char* text;
    const char* face; // nullptr: the system's message font
    int pixels;
    bool bold;
};

const ExpectedControl kExpected[] = {
    {MainId::标签_单号, L"Static", 8, -1, 72, 32, "快递单号：", "楷体", 14, true},
    // Its design text is the placeholder, but the saved list (none here) replaces it at creation.
    {MainId::编辑框_单号, L"Edit", 8, 31, 200, 320, "", "楷体", 14, true},
    {MainId::按钮_查一下, L"Button", 8, 354, 200, 32, "查一下", "楷体", 14, true},
    {MainId::标签_自动查询时间, L"Static", 3, 392, 136, 32, "自动查询时间（分）", "楷体", 14, true},
    {MainId::编辑框_自动查询, L"Edit", 134, 392, 82, 32, "5", "楷体", 14, true},
    {MainId::选择框_自动查询, L"Button", 6, 432, 88, 24, "自动查询", "楷体", 14, true},
    {MainId::标签_倒计时, L"Static", 85, 430, 80, 24, "", "楷体", 12, true},
    {MainId::标签_倒计时秒, L"Static", 165, 430, 49, 24, "", "楷体", 12, true},
    {MainId::按钮_导入单号, L"Button", 0, 461, 104, 32, "导入快递单号", "楷体", 14, true},
    {MainId::按钮_导出, L"Button", 112, 461, 96, 32, "导出数据", "楷体", 14, true},
    {MainId::超级列表框1, L"SysListView32", 216, 31, 977, 464, "", "楷体", 14, true},
    {MainId::标签_查询状态, L"Static", 216, 496, 976, 27, "", "宋体", 19, true},
    {MainId::标签2, L"Static", 217, 6, 80, 24, "Esc键=最小化", nullptr, 0, false},
    {MainId::标签1, L"Static", 337, 6, 80, 24, "F1=打开主窗口", nullptr, 0, false},
    {MainId::标签3, L"Static", 800, 6, 195, 24, "使用次数", nullptr, 0, false},
    {MainId::标签4, L"Static", 1000, 4, 195, 26, "使用人数", nullptr, 0, false},
    {MainId::透明标签6, L"RadarTransparentLabel", -3, 528, 1200, 126, "", "宋体", 35, true},
    {MainId::透明标签1, L"RadarTransparentLabel", 7, 647, 225, 40, "作者：青禾  QQ：" RADAR_TEST_AUTHOR_ACCOUNT, "宋体",
     14, true},
    {MainId::透明标签2, L"RadarTransparentLabel", 864, 654, 72, 24, "当前版本：", "宋体", 14, true},
    {MainId::透明标签3, L"RadarTransparentLabel", 941, 654, 80, 24, "测试版v1.1", "宋体", 14, true},
    {MainId::透明标签4, L"RadarTransparentLabel", 1038, 654, 64, 24, "最新版本：", "宋体", 14, true},
    {MainId::透明标签5, L"RadarTransparentLabel", 1108, 654, 96, 24, "最新版", "宋体", 14, true},
    {MainId::透明标签7, L"RadarTransparentLabel", 1128, 408, 40, 24, "", nullptr, 0, false},
    {MainId::超文本浏览框1, L"Static", 0, 800, 1184, 440, "", nullptr, 0, false},
    {MainId::编辑框1, L"Edit", 344, 850, 760, 40, "", nullptr, 0, false},
};

RECT ChildPlace(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

TEST_F(MainWindowTest, WindowHasCaptionSizeFixedBorderAndTaskbarButton) {
    MainWindow& w = OpenWindow();
    EXPECT_EQ("青禾-包裹雷达 无限制测试版v1.1 圆通、韵达版", GetText(w.Hwnd()));
    RECT outer;
    GetWindowRect(w.Hwnd(), &outer);
    EXPECT_EQ(Scale(1205), outer.right - outer.left);
    EXPECT_EQ(Scale(742), outer.bottom - outer.top);
    LONG style = GetWindowLongW(w.Hwnd(), GWL_STYLE);
    EXPECT_FALSE(style & WS_THICKFRAME) << "the user cannot resize it";
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_TRUE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(w.IsShownInTaskbar());
    EXPECT_TRUE(GetWindowLongW(w.Hwnd(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
    // The program's icon (this test carries the program's resources), held with the window.
    ASSERT_NE(nullptr, Globals().programIcon);
    EXPECT_EQ(Globals().programIcon, reinterpret_cast<HICON>(SendMessageW(w.Hwnd(), WM_GETICON, ICON_BIG, 0)));
    EXPECT_EQ(Globals().programIcon, reinterpret_cast<HICON>(SendMessageW(w.Hwnd(), WM_GETICON, ICON_SMALL, 0)));
}

// The places below are scaled for this DPI; the program test runs them again at 144 dpi.
TEST(MainWindowDpi, IsTheScreenDpi) {
    char expected[16] = {};
    int dpi = GetEnvironmentVariableA("RADAR_TEST_DPI", expected, sizeof(expected)) ? atoi(expected) : 96;
    EXPECT_EQ(dpi, SystemDpi());
}

TEST_F(MainWindowTest, EveryControlHasItsKindPlaceTextAndFont) {
    MainWindow& w = OpenWindow();
    for (const ExpectedControl& e : kExpected) {
        SCOPED_TRACE(static_cast<int>(e.id));
        HWND c = w.Control(e.id);
        ASSERT_TRUE(IsWindow(c));
        EXPECT_EQ(w.Hwnd(), GetParent(c));
        wchar_t className[64];
        GetClassNameW(c, className, 64);
        EXPECT_STRCASEEQ(ToGbk(e.className).c_str(), ToGbk(className).c_str());
        RECT r = ChildPlace(c);
        EXPECT_EQ(Scale(e.x), r.left);
        EXPECT_EQ(Scale(e.y), r.top);
        EXPECT_EQ(Scale(e.width), r.right - r.left);
        EXPECT_EQ(Scale(e.height), r.bottom - r.top);
        if (e.id != MainId::超级列表框1) {
            EXPECT_EQ(e.text, GetText(c));
        }
        EXPECT_TRUE(IsWindowVisible(c));
        FontInfo font = WindowFontInfo(c);
        if (e.face) {
            EXPECT_EQ(e.face, font.face);
            EXPECT_EQ(Scale(e.pixels), font.pixels);
            EXPECT_EQ(e.bold, font.bold);
        } else {
            NONCLIENTMETRICSW metrics{};
            metrics.cbSize = sizeof(metrics);
            SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
            EXPECT_EQ(ToGbk(metrics.lfMessageFont.lfFaceName), font.face);
        }
    }
}

TEST_F(MainWindowTest, EditBoxesHaveTheirStyles) {
    MainWindow& w = OpenWindow();
    LONG numbers = GetWindowLongW(w.Control(MainId::编辑框_单号), GWL_STYLE);
    EXPECT_TRUE(numbers & ES_MULTILINE);
    EXPECT_TRUE(numbers & ES_WANTRETURN);
    EXPECT_TRUE(numbers & WS_VSCROLL);
    LONG interval = GetWindowLongW(w.Control(MainId::编辑框_自动查询), GWL_STYLE);
    EXPECT_FALSE(interval & ES_MULTILINE);
    EXPECT_TRUE(interval & ES_CENTER);
    EXPECT_EQ(BS_AUTOCHECKBOX, GetWindowLongW(w.Control(MainId::选择框_自动查询), GWL_STYLE) & BS_TYPEMASK);
}

TEST_F(MainWindowTest, TableHasSevenColumns) {
    struct Column {
        const char* title;
        int width;
        int format;
    };
    const Column expected[] = {{"序号", 47, LVCFMT_LEFT},
                               {"单号", 150, LVCFMT_CENTER},
                               {"最后扫描时间", 150, LVCFMT_CENTER},
                               {"快递公司", 100, LVCFMT_CENTER},
                               {"地点和跟踪状态（双击查看走件流程）", 350, LVCFMT_CENTER},
                               {"最后状态", 100, LVCFMT_CENTER},
                               {"备注", 75, LVCFMT_CENTER}};
    MainWindow& w = OpenWindow();
    HWND list = w.Control(MainId::超级列表框1);
    EXPECT_EQ(LVS_REPORT, GetWindowLongW(list, GWL_STYLE) & LVS_TYPEMASK);
    HWND header = ListView_GetHeader(list);
    ASSERT_EQ(7, Header_GetItemCount(header));
    for (int i = 0; i < 7; ++i) {
        wchar_t title[128] = {};
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.pszText = title;
        column.cchTextMax = 128;
        ASSERT_TRUE(SendMessageW(list, LVM_GETCOLUMNW, i, reinterpret_cast<LPARAM>(&column)));
        EXPECT_EQ(expected[i].title, ToGbk(title)) << i;
        EXPECT_EQ(Scale(expected[i].width), column.cx) << i;
        EXPECT_EQ(expected[i].format, column.fmt & LVCFMT_JUSTIFYMASK) << i;
    }
}

TEST_F(MainWindowTest, TransparentLabelsHaveTheirColours) {
    MainWindow& w = OpenWindow();
    EXPECT_EQ(RGB(0xFF, 0x50, 0x80), TransparentLabelColour(w.Control(MainId::透明标签6)));
    EXPECT_EQ(RGB(0xFF, 0, 0), TransparentLabelColour(w.Control(MainId::透明标签5)));
    EXPECT_EQ(RGB(0, 0, 0xFF), TransparentLabelColour(w.Control(MainId::透明标签3)));
    for (MainId id : {MainId::透明标签1, MainId::透明标签2, MainId::透明标签4})
        EXPECT_EQ(RGB(0, 0, 0), TransparentLabelColour(w.Control(id)));
}

// The plain labels sit on pale blue; the check box and edit boxes keep the system's colours.
TEST_F(MainWindowTest, PlainLabelsArePaleBlue) {
    MainWindow& w = OpenWindow();
    HDC dc = GetDC(w.Hwnd());
    for (MainId id : {MainId::标签_单号, MainId::标签_查询状态, MainId::标签1, MainId::标签4}) {
        auto brush = reinterpret_cast<HBRUSH>(SendMessageW(w.Hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                           reinterpret_cast<LPARAM>(w.Control(id))));
        LOGBRUSH lb{};
        ASSERT_TRUE(GetObjectW(brush, sizeof(lb), &lb));
        EXPECT_EQ(RGB(0xDE, 0xEE, 0xFF), lb.lbColor) << static_cast<int>(id);
    }
    ReleaseDC(w.Hwnd(), dc);
}

// The creation handler arms the auto query and the counters; the slide and spare timers wait.
TEST_F(MainWindowTest, CreationArmsAutoQueryTimersAndHotKey) {
    MainWindow& w = OpenWindow();
    EXPECT_EQ(BST_CHECKED, SendMessageW(w.Control(MainId::选择框_自动查询), BM_GETCHECK, 0, 0));
    EXPECT_EQ(1000u, w.Timer(MainTimer::时钟1).Period());
    EXPECT_EQ(1000u, w.Timer(MainTimer::时钟2).Period());
    EXPECT_EQ(0u, w.Timer(MainTimer::时钟3).Period());
    EXPECT_EQ(0u, w.Timer(MainTimer::时钟4).Period());
    EXPECT_EQ(1000u, w.Timer(MainTimer::时钟5).Period());
    EXPECT_EQ(33001, w.HotKeyId());
}

TEST_F(MainWindowTest, TrayMenuHasSevenEntries) {
    MainWindow& w = OpenWindow();
    HMENU menu = w.TrayMenu();
    ASSERT_EQ(7, GetMenuItemCount(menu));
    const char* texts[] = {"打开主面板", nullptr, "退出", nullptr, "使用说明", nullptr, "反馈给作者"};
    for (int i = 0; i < 7; ++i) {
        MENUITEMINFOW info{};
        wchar_t text[64] = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 64;
        ASSERT_TRUE(GetMenuItemInfoW(menu, i, TRUE, &info));
        if (texts[i]) {
            EXPECT_EQ(texts[i], ToGbk(text)) << i;
        } else {
            EXPECT_TRUE(info.fType & MFT_SEPARATOR) << i;
        }
    }
}

// The reminder waits right-aligned just below the screen, with its three controls.
TEST_F(MainWindowTest, ReminderWaitsBelowTheScreen) {
    MainWindow& w = OpenWindow();
    ASSERT_NE(nullptr, w.Reminder());
    HWND reminder = w.Reminder()->Hwnd();
    RECT r;
    GetWindowRect(reminder, &r);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), r.right);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), r.top);
    EXPECT_EQ(Scale(302), r.right - r.left);
    EXPECT_EQ(Scale(271), r.bottom - r.top);
    EXPECT_FALSE(GetWindowLongW(reminder, GWL_STYLE) & (WS_CAPTION | WS_BORDER));
    EXPECT_EQ("青禾包裹雷达提醒您", GetText(w.Reminder()->Control(ReminderId::标签1)));
    EXPECT_EQ("", GetText(w.Reminder()->Control(ReminderId::编辑框1)));
    EXPECT_EQ("关闭", GetText(w.Reminder()->Control(ReminderId::透明标签1)));
}

} // namespace
} // namespace radar
