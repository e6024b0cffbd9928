#pragma once
#include <windows.h>

namespace radar {

// The program's icon: resource 129 of the module when it has one, otherwise the icon named
// "DEFAULT_ICON" (the one our resources hold). Null when neither exists. Shared: not destroyed.
HICON LoadProgramIcon();

} // namespace radar
