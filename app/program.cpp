#include "app/program.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>

#include "app/addresses.h"
#include "app/command_line.h"
#include "app/main_window.h"
#include "app/program_globals.h"
#include "app/program_icon.h"
#include "app/startup_worker.h"
#include "gdiplus/plus_startup.h"
#include "msgbox/skin_engine.h"
#include "win/message_pump.h"

namespace radar {

namespace {
// Held among the program's constants once the skin library is ours; empty until then.
constexpr const uint8_t* kSkinLibraryImage = nullptr;
constexpr size_t kSkinLibraryImageSize = 0;
constexpr DWORD kStartupWorkerExitWaitMs = 5000;
} // namespace

void StartProgramServices() {
    static bool started = false;
    if (started) return;
    started = true;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    BuildGlobals();                                                        // 1
    std::atexit(ExitRoutine);                                              // 2
    Globals().skinLibrary->Load(kSkinLibraryImage, kSkinLibraryImageSize); // 3, result not checked
    Globals().gdiPlus = StartGdiPlus();                                    // 4
    Globals().programIcon = LoadProgramIcon();                             // 5
    SetSkinEngineDefaults();                                               // 6
}

int RunProgram() {
    CommandLineOptions options = ParseCommandLine(ProcessArguments());
    if (!options.serviceBase.empty()) PointAtService(options.serviceBase);
    StartProgramServices();
    int exitCode = 0;
    {
        MainWindow mainWindow; // 7
        if (mainWindow.Create()) {
            mainWindow.Show();
            exitCode = RunMessageLoop(); // 8
        }
    }
    // The start-up worker uses the tray object: let it finish (it is short) before the global
    // objects go.
    WaitUntil([] { return !StartupWorkerRunning(); }, kStartupWorkerExitWaitMs);
    ExitRoutine();
    return exitCode;
}

} // namespace radar
