#pragma once
// The whole route of a parcel: a double-click on a row of the result table shows the row's
// history from the latest run in a balloon at the mouse pointer.
#include <windows.h>

#include <string>
#include <vector>

#include "tracking/courier_directory.h"

namespace radar {

class BalloonTip;

struct HistoryViewData {
    const CourierDirectory* couriers = nullptr;
    const std::vector<std::string>* rowCourierCodes = nullptr;
    const std::vector<std::string>* rowHistories = nullptr;
    std::string* lastCourierName = nullptr;
};

// The balloon's text for the selected row; empty when nothing is to be shown (no selection, a
// row beyond the latest run's histories).
std::string RowHistoryText(HWND table, const HistoryViewData& data);

// Shows the balloon for the selected row of table, or nothing.
void ShowRowHistory(HWND table, BalloonTip& balloon, const HistoryViewData& data);

} // namespace radar
