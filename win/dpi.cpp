#include "win/dpi.h"

namespace radar {

int SystemDpi() {
    static const int dpi = [] {
        HDC screen = GetDC(nullptr);
        int value = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
        if (screen) ReleaseDC(nullptr, screen);
        return value > 0 ? value : 96;
    }();
    return dpi;
}

int ScaleForDpi(int value96, int dpi) {
    return MulDiv(value96, dpi, 96);
}

} // namespace radar
