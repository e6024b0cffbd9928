#pragma once
#include <windows.h>

namespace radar {

// The pale blue behind the program's plain labels and the reminder's title strip.
inline constexpr COLORREF kLabelBackground = RGB(0xDE, 0xEE, 0xFF);

} // namespace radar
