#pragma once
// Letting pending messages be processed, and waiting with messages processed, on the
// user-interface thread. Keyboard navigation of our top-level windows (Tab, Esc) is
// handled here as in the main loop, so a wait inside a handler behaves like the loop.
#include <windows.h>

#include <functional>

namespace radar {

// Top-level windows whose keys go through IsDialogMessage (Tab between controls, Esc).
void EnableDialogKeys(HWND topLevel);

// Translates and dispatches one message as the main loop does.
void DispatchUiMessage(MSG& msg);

// Dispatches every message waiting on this thread and returns. A WM_QUIT met here is
// posted again so that the main loop still ends.
void ProcessPendingMessages();

// Waits for the given time, processing messages meanwhile.
void WaitWithMessages(DWORD milliseconds);

// Processes messages until the condition holds or the time is up; true when it held.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);

// The main loop: runs until WM_QUIT and returns its exit code.
int RunMessageLoop();

} // namespace radar
