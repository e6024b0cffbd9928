#pragma once
// Once per run, right after the main window is created, on a thread of its own: checks that
// the computer is online, then either says so and ends the program, or puts the icon into the
// notification area and greets the user.
#include <windows.h>

namespace radar {

// Starts the worker for the window; its handle goes into the globals' startupThread.
void StartStartupWorker(HWND mainWindow);
// True while a worker has not finished (tests wait for it).
bool StartupWorkerRunning();

// The connection check the worker asks; tests replace it, since Wine always reports online.
using ConnectionCheck = bool (*)();
bool SystemReportsOnline();
void SetConnectionCheckForTests(ConnectionCheck check);

} // namespace radar
