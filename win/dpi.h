#pragma once
// Places and sizes in the layouts are given at 96 dpi; the program is DPI aware and scales
// them (and its fonts) by the system DPI so nothing is tiny or blurred on a high-DPI screen.
#include <windows.h>

namespace radar {

int SystemDpi();
int ScaleForDpi(int value96, int dpi);
inline int Scale(int value96) {
    return ScaleForDpi(value96, SystemDpi());
}
inline RECT ScaleRect(int left, int top, int width, int height) {
    return RECT{Scale(left), Scale(top), Scale(left) + Scale(width), Scale(top) + Scale(height)};
}

} // namespace radar
