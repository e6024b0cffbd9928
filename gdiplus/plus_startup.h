#pragma once
// GDI+ is bound by name at first use, not through the import table, so the program still
// starts where gdiplus.dll is missing; drawing then simply does not happen.
#include <cstdint>

namespace radar {

struct PlusStartupState {
    uintptr_t token = 0;
    int status = -1; // GDI+ status of the start-up; 0 is Ok
};

// Starts GDI+ with input version 1 and every other input field zero. GDI+ is never shut
// down; it ends with the process.
PlusStartupState StartGdiPlus();

} // namespace radar
