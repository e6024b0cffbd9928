#pragma once
// The program's global objects: built once before the main window, in a fixed order, and
// destroyed once by ExitRoutine in the same order. None is ever replaced; lists are
// emptied and refilled in place.
#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "desktop/memory_library.h"
#include "desktop/tray_icon.h"
#include "gdiplus/plus_startup.h"
#include "msgbox/skin_engine.h"
#include "tracking/cell_colour.h"
#include "tracking/courier_directory.h"
#include "web/browser_document.h"

namespace radar {

using TextList = std::vector<std::string>;

struct ProgramGlobals {
    // Built in this order (BuildGlobals) and destroyed in this order (ExitRoutine).
    std::unique_ptr<MemoryLibrary> skinLibrary;
    std::unique_ptr<std::vector<DialogRecord>> dialogList;
    std::unique_ptr<std::vector<MemoryDcRecord>> memoryDcRegistry;
    std::unique_ptr<std::array<std::vector<ControlRecord>, kControlListCount>> controlLists;
    std::unique_ptr<TrayIcon> appTray;
    // The courier codes with their names, in one locked object that a run's starter thread
    // refills; that thread holds a share of it, so it outlives the exit routine if need be.
    std::shared_ptr<CourierDirectory> courierDirectory;
    std::unique_ptr<TextList> rowCourierCodes;
    std::unique_ptr<TextList> rowHistories;
    std::unique_ptr<std::vector<CellColour>> cellColours;
    std::unique_ptr<BrowserDocument> counterDocument;

    // Process-wide values.
    HICON programIcon = nullptr;
    int32_t countdownSeconds = 0;
    int32_t runNumberCount = 0;
    HANDLE runThread = nullptr;
    HANDLE startupThread = nullptr;
    std::string historyBuffer;
    std::string lastCourierName;
    int32_t slideDirection = 0;
    PlusStartupState gdiPlus;
};

ProgramGlobals& Globals();

// Step 1 of the start-up: builds every global object in order. Done once per process.
void BuildGlobals();
bool GlobalsBuilt();

// Destroys the global objects in the order they were built; runs once, however often it is
// called (it is registered to run at the end of the process and also called by the entry).
void ExitRoutine();

// Short names for the objects other code reaches most.
inline TrayIcon& AppTray() {
    return *Globals().appTray;
}

} // namespace radar
