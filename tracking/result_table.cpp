#include "tracking/result_table.h"

#include <commctrl.h>

#include <algorithm>

#include "win/code_page.h"

namespace radar {

namespace {

constexpr UINT_PTR kColourHookId = 0x52414441; // "RADA"

struct ColourMechanism {
    HWND owner = nullptr;
    HWND table = nullptr;
    bool hooked = false;
    std::vector<CellColour>* colours = nullptr;
};

ColourMechanism& Mechanism() {
    static ColourMechanism mechanism;
    return mechanism;
}

COLORREF TableTextColour(HWND table) {
    COLORREF colour = ListView_GetTextColor(table);
    return colour == CLR_DEFAULT || colour == CLR_NONE ? GetSysColor(COLOR_WINDOWTEXT) : colour;
}

COLORREF TableBackgroundColour(HWND table) {
    COLORREF colour = ListView_GetTextBkColor(table);
    if (colour == CLR_DEFAULT || colour == CLR_NONE) colour = ListView_GetBkColor(table);
    return colour == CLR_DEFAULT || colour == CLR_NONE ? GetSysColor(COLOR_WINDOW) : colour;
}

const CellColour* FindColour(const std::vector<CellColour>& colours, int row, int column) {
    for (const CellColour& colour : colours)
        if (colour.row == row && colour.column == column) return &colour;
    return nullptr;
}

void RepaintWholly(HWND table) {
    if (table) InvalidateRect(table, nullptr, TRUE);
}

void Unhook(ColourMechanism& mechanism);

LRESULT CALLBACK OwnerProc(HWND owner, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    ColourMechanism& mechanism = Mechanism();
    if (message == WM_NOTIFY && mechanism.colours) {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->code == NM_CUSTOMDRAW && header->hwndFrom == mechanism.table) {
            auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(lParam);
            const DWORD stage = draw->nmcd.dwDrawStage;
            if (stage == CDDS_PREPAINT || stage == CDDS_ITEMPREPAINT) return CDRF_NOTIFYSUBITEMDRAW;
            if (stage == (CDDS_SUBITEM | CDDS_ITEMPREPAINT)) {
                const int row = static_cast<int>(draw->nmcd.dwItemSpec);
                const CellColour* colour = FindColour(*mechanism.colours, row, draw->iSubItem);
                draw->clrText = colour ? colour->textColour : TableTextColour(mechanism.table);
                draw->clrTextBk = colour ? colour->backgroundColour : TableBackgroundColour(mechanism.table);
            }
        }
    } else if (message == WM_NCDESTROY || message == WM_DESTROY) {
        Unhook(mechanism);
    }
    return DefSubclassProc(owner, message, wParam, lParam);
}

void Unhook(ColourMechanism& mechanism) {
    if (mechanism.hooked && mechanism.owner) RemoveWindowSubclass(mechanism.owner, OwnerProc, kColourHookId);
    mechanism.hooked = false;
}

void DrawCellOnOneLine(NMLVCUSTOMDRAW& draw, const std::string& text) {
    HWND table = draw.nmcd.hdr.hwndFrom;
    const int row = static_cast<int>(draw.nmcd.dwItemSpec);
    RECT cell{};
    cell.top = draw.iSubItem;
    cell.left = LVIR_LABEL;
    if (!SendMessageW(table, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell))) return;
    const bool selected =
        (SendMessageW(table, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) & LVIS_SELECTED) != 0;
    const bool focused = GetFocus() == table;
    const bool showSelection = (GetWindowLongPtrW(table, GWL_STYLE) & LVS_SHOWSELALWAYS) != 0;
    COLORREF textColour = draw.clrText, backColour = draw.clrTextBk;
    if (textColour == CLR_DEFAULT || textColour == CLR_NONE) textColour = TableTextColour(table);
    if (backColour == CLR_DEFAULT || backColour == CLR_NONE) backColour = TableBackgroundColour(table);
    // A selected row is drawn as the table draws its other cells.
    if (selected && focused) {
        textColour = GetSysColor(COLOR_HIGHLIGHTTEXT);
        backColour = GetSysColor(COLOR_HIGHLIGHT);
    } else if (selected && showSelection) {
        textColour = GetSysColor(COLOR_BTNTEXT);
        backColour = GetSysColor(COLOR_BTNFACE);
    }
    HDC dc = draw.nmcd.hdc;
    const COLORREF oldBack = SetBkColor(dc, backColour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &cell, nullptr, 0, nullptr);
    const COLORREF oldText = SetTextColor(dc, textColour);
    const int oldMode = SetBkMode(dc, TRANSPARENT);

    LVCOLUMNW column{};
    column.mask = LVCF_FMT;
    SendMessageW(table, LVM_GETCOLUMNW, static_cast<WPARAM>(draw.iSubItem), reinterpret_cast<LPARAM>(&column));
    UINT align = DT_LEFT;
    if ((column.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_CENTER) align = DT_CENTER;
    if ((column.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_RIGHT) align = DT_RIGHT;
    std::wstring lineW;
    for (wchar_t c : ToWide(text))
        if (c != L'\r' && c != L'\n') lineW += c;
    InflateRect(&cell, -6, 0); // the table's own padding
    DrawTextW(dc, lineW.c_str(), static_cast<int>(lineW.size()), &cell,
              align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    SetBkMode(dc, oldMode);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
}

} // namespace

LRESULT AnswerTableCustomDraw(NMLVCUSTOMDRAW& draw) {
    const DWORD stage = draw.nmcd.dwDrawStage;
    if (stage == CDDS_PREPAINT || stage == CDDS_ITEMPREPAINT) return CDRF_NOTIFYSUBITEMDRAW;
    if (stage != (CDDS_SUBITEM | CDDS_ITEMPREPAINT)) return CDRF_DODEFAULT;
    const std::string text = TableCell(draw.nmcd.hdr.hwndFrom, static_cast<int>(draw.nmcd.dwItemSpec), draw.iSubItem);
    if (text.find_first_of("\r\n") == std::string::npos) return CDRF_DODEFAULT;
    DrawCellOnOneLine(draw, text);
    return CDRF_SKIPDEFAULT;
}

int TableRowCount(HWND table) {
    return static_cast<int>(SendMessageW(table, LVM_GETITEMCOUNT, 0, 0));
}

int AppendTableRow(HWND table) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = TableRowCount(table);
    item.pszText = const_cast<wchar_t*>(L"");
    return static_cast<int>(SendMessageW(table, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

void SetTableCell(HWND table, int row, int column, const std::string& text) {
    std::wstring textW = ToWide(text);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = textW.data();
    SendMessageW(table, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

std::string TableCell(HWND table, int row, int column) {
    // The list view copies at most the buffer's size and says how much it copied: grow until
    // the text fits with room to spare.
    for (size_t size = 256;; size *= 4) {
        std::wstring buffer(size, L'\0');
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        auto n = static_cast<size_t>(
            SendMessageW(table, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
        if (n + 1 < size || size >= (1u << 24)) {
            buffer.resize(std::min(n, size));
            return ToGbk(buffer);
        }
    }
}

void ClearTable(HWND table) {
    SendMessageW(table, LVM_DELETEALLITEMS, 0, 0);
}

void SetCellColour(std::vector<CellColour>& colours, HWND owner, HWND table, int row, int column, COLORREF text,
                   COLORREF background, bool useBackground) {
    ColourMechanism& mechanism = Mechanism();
    if (mechanism.hooked && mechanism.owner != owner) Unhook(mechanism);
    mechanism.owner = owner;
    mechanism.table = table;
    mechanism.colours = &colours;
    if (!mechanism.hooked) mechanism.hooked = SetWindowSubclass(owner, OwnerProc, kColourHookId, 0) != FALSE;

    const COLORREF ownText = TableTextColour(table);
    const COLORREF ownBackground = TableBackgroundColour(table);
    if (!useBackground) background = ownBackground;
    auto found = std::find_if(colours.begin(), colours.end(),
                              [&](const CellColour& c) { return c.row == row && c.column == column; });
    const bool tablesOwn = text == ownText && background == ownBackground;
    if (found != colours.end()) {
        if (tablesOwn) {
            colours.erase(found);
        } else {
            found->textColour = text;
            found->backgroundColour = background;
        }
    } else if (!tablesOwn) {
        colours.push_back({row, column, text, background});
    }
    RepaintWholly(table);
}

void ResetCellColours(std::vector<CellColour>& colours) {
    ColourMechanism& mechanism = Mechanism();
    Unhook(mechanism);
    colours.clear();
    RepaintWholly(mechanism.table);
}

void ColourRow(std::vector<CellColour>& colours, HWND owner, HWND table, int row, RowColours rowColours) {
    for (int column = 0; column < kColouredColumnCount; ++column)
        SetCellColour(colours, owner, table, row, column, rowColours.text, rowColours.background, true);
}

} // namespace radar
