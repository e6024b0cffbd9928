#pragma once
// The program's private window messages and fixed ids, in one place.
#include <windows.h>

namespace radar {

// Feedback event of a label: wParam and lParam carry its two 32-bit integers.
inline constexpr UINT kMsgFeedback = WM_APP + 1;

// Asks a window to destroy itself: only its own thread may (the start-up worker's offline end).
inline constexpr UINT kMsgDestroySelf = WM_APP + 2;

// Hot-key ids are handed out from here upward.
inline constexpr int kFirstHotKeyId = 33001;

} // namespace radar
