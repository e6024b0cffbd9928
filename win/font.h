#pragma once
#include <string>

#include "win/handle.h"

namespace radar {

// A font by face name (GBK) and character height in pixels at 96 dpi, scaled for the screen.
FontHandle CreateUiFont(const std::string& face, int pixels96, bool bold);

// The face name and pixel height (at the screen's DPI) of the font a window uses.
struct FontInfo {
    std::string face;
    int pixels = 0;
    bool bold = false;
};
FontInfo WindowFontInfo(HWND window);

} // namespace radar
