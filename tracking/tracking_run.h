#pragma once
// One pass over the numbers of the numbers box, on the user-interface thread: save the list,
// empty the table, and for each number ask the service, write its row, colour it, announce it
// when it is out for delivery, and keep its history for the history balloon.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tracking/cell_colour.h"
#include "tracking/courier_directory.h"

namespace radar {

// The windows a run reads and writes.
struct TrackingRunWindows {
    HWND owner = nullptr;        // the table's owner, hooked for the cell colours
    HWND numbersBox = nullptr;   // 编辑框_单号
    HWND table = nullptr;        // 超级列表框1
    HWND statusLine = nullptr;   // 标签_查询状态
    HWND reminderText = nullptr; // the reminder window's 编辑框1
};

// The program's objects a run works on; they outlive it.
struct TrackingRunData {
    std::shared_ptr<CourierDirectory> couriers;
    std::vector<std::string>* rowCourierCodes = nullptr;
    std::vector<std::string>* rowHistories = nullptr;
    std::vector<CellColour>* cellColours = nullptr;
    std::string* historyBuffer = nullptr;
    std::string* lastCourierName = nullptr;
    int32_t* runNumberCount = nullptr;
    HANDLE* runThread = nullptr; // the starter thread's handle, closed by the run
};

struct TrackingRunHooks {
    std::function<void()> slideReminderIn;
    // False once the windows are gone (the program is ending): the run stops where it stands.
    std::function<bool()> windowsAlive;
};

// Runs the whole pass; false when it stopped early because the windows went away.
bool TrackingRun(const TrackingRunWindows& windows, const TrackingRunData& data, const TrackingRunHooks& hooks);

} // namespace radar
