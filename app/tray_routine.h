#pragma once
// What a click on the tray icon does. Runs on the user-interface thread, inside the main
// window's message dispatch.
#include <cstdint>

namespace radar {

class MainWindow;

// The window the routine acts on (set at creation, cleared at destruction).
void SetTrayRoutineWindow(MainWindow* window);

// 514 (left button up): the main window to the front; 517 (right button up): the tray menu
// at the pointer; 1120 (the taskbar was re-created): the icon is added again; every other
// code is ignored.
void TrayRoutine(int32_t trayCode);

} // namespace radar
