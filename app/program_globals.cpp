#include "app/program_globals.h"

#include <atomic>

namespace radar {

namespace {
std::atomic<bool> g_built{false};
std::atomic<bool> g_exited{false};
} // namespace

ProgramGlobals& Globals() {
    static ProgramGlobals globals;
    return globals;
}

bool GlobalsBuilt() {
    return g_built;
}

void BuildGlobals() {
    if (g_built.exchange(true)) return;
    ProgramGlobals& g = Globals();
    g.skinLibrary = std::make_unique<MemoryLibrary>();
    g.dialogList = std::make_unique<std::vector<DialogRecord>>();
    g.memoryDcRegistry = std::make_unique<std::vector<MemoryDcRecord>>();
    g.controlLists = std::make_unique<std::array<std::vector<ControlRecord>, kControlListCount>>();
    g.appTray = std::make_unique<TrayIcon>();
    g.courierDirectory = std::make_shared<CourierDirectory>();
    g.rowCourierCodes = std::make_unique<TextList>();
    g.rowHistories = std::make_unique<TextList>();
    g.cellColours = std::make_unique<std::vector<CellColour>>();
    g.counterDocument = std::make_unique<BrowserDocument>();
}

void ExitRoutine() {
    if (!g_built || g_exited.exchange(true)) return;
    ProgramGlobals& g = Globals();
    g.skinLibrary.reset(); // releases its records; a mapped image stays until the process ends
    g.dialogList.reset();
    g.memoryDcRegistry.reset();
    g.controlLists.reset();
    g.appTray.reset(); // the icon was removed before, by the main window's destruction
    g.courierDirectory.reset();
    g.rowCourierCodes.reset();
    g.rowHistories.reset();
    g.cellColours.reset();
    g.counterDocument.reset();
    FreeBrowserTextBuffer();
}

} // namespace radar
