#pragma once
// Every message box of the program goes through here.
#include <windows.h>

#include <string>

namespace radar {

// Styles the program uses.
inline constexpr UINT kBoxInformation = MB_OK | MB_ICONINFORMATION; // 64
inline constexpr UINT kBoxQuestion = MB_YESNO | MB_ICONQUESTION;    // 36

// Results: the pressed button's system identifier minus 1 (OK 0, Yes 5, No 6; -1 when the
// system could not show the box).
inline constexpr int kBoxResultOk = IDOK - 1;
inline constexpr int kBoxResultYes = IDYES - 1;
inline constexpr int kBoxResultNo = IDNO - 1;

int SkinnedMessageBox(HWND owner, const std::string& text, UINT style, const std::string& title);

} // namespace radar
