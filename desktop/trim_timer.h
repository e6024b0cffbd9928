#pragma once
// A timer that asks Windows once a period to take what it can out of the working set.
#include <windows.h>

#include <cstdint>

namespace radar {

// The period is the given one when useGivenPeriod is set and it is at least 1000 ms,
// otherwise 3000 ms. Returns what SetTimer returns (0 on failure).
UINT_PTR StartTrimTimer(HWND window, int32_t periodMs, bool useGivenPeriod);
int32_t TrimTimerPeriod(int32_t periodMs, bool useGivenPeriod);

void CALLBACK TrimWorkingSet(HWND, UINT, UINT_PTR, DWORD);

// The timer's id: the address of a constant text, a value no other timer of a window uses.
UINT_PTR TrimTimerId();

} // namespace radar
