#include "app/program_icon.h"

namespace radar {

HICON LoadProgramIcon() {
    HINSTANCE module = GetModuleHandleW(nullptr);
    if (HICON icon = LoadIconW(module, MAKEINTRESOURCEW(129))) return icon;
    return LoadIconW(module, L"DEFAULT_ICON");
}

} // namespace radar
