#include "tracking/history_view.h"

#include <commctrl.h>

#include "tracking/result_table.h"
#include "tracking/service_pages.h"
#include "tracking/status_rules.h"
#include "win/balloon_tip.h"

namespace radar {

std::string RowHistoryText(HWND table, const HistoryViewData& data) {
    const int row = static_cast<int>(SendMessageW(table, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (row < 0) return {};
    // During a run the rows are newer than the histories: never read past the list's end.
    if (static_cast<size_t>(row) >= data.rowHistories->size()) return {};
    const std::string number = TableCell(table, row, 1);
    const std::string courierName = CourierNameOfRow(*data.couriers, *data.rowCourierCodes, row, data.lastCourierName);
    if (TableCell(table, row, 5) == kFailureStatus) return NoHistoryPopupText(number, courierName);
    return HistoryPopupText(number, courierName, (*data.rowHistories)[static_cast<size_t>(row)]);
}

void ShowRowHistory(HWND table, BalloonTip& balloon, const HistoryViewData& data) {
    const std::string text = RowHistoryText(table, data);
    if (text.empty()) return;
    POINT pointer{};
    GetCursorPos(&pointer);
    balloon.Show(pointer, text);
}

} // namespace radar
