#pragma once
// Global hot keys. Ids are handed out from 33001 upward (the lowest free one), so a window
// procedure can tell the program's hot keys from others.
#include <windows.h>

namespace radar {

// Registers the key for the window; returns its id, or 0 when the system refuses it
// (another program holds the key).
int RegisterGlobalHotKey(HWND window, UINT modifiers, UINT virtualKey);
void UnregisterGlobalHotKey(HWND window, int id);

bool IsHandedOutHotKeyId(int id);

} // namespace radar
