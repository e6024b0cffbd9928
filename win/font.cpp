#include "win/font.h"

#include <cstdlib>

#include "win/code_page.h"
#include "win/dpi.h"

namespace radar {

FontHandle CreateUiFont(const std::string& face, int pixels96, bool bold) {
    LOGFONTW lf{};
    lf.lfHeight = -Scale(pixels96); // negative: the character height, not the cell height
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = GB2312_CHARSET;
    lf.lfQuality = CLEARTYPE_QUALITY;
    std::wstring faceW = ToWide(face);
    lstrcpynW(lf.lfFaceName, faceW.c_str(), LF_FACESIZE);
    return FontHandle(CreateFontIndirectW(&lf));
}

FontInfo WindowFontInfo(HWND window) {
    FontInfo info;
    auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    if (!font) return info;
    LOGFONTW lf{};
    if (!GetObjectW(font, sizeof(lf), &lf)) return info;
    info.face = ToGbk(lf.lfFaceName);
    info.pixels = std::abs(lf.lfHeight);
    info.bold = lf.lfWeight >= FW_BOLD;
    return info;
}

} // namespace radar
