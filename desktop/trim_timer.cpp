#include "desktop/trim_timer.h"

namespace radar {

namespace {
const char kTrimTimerName[] = "内存_优化";
}

UINT_PTR TrimTimerId() {
    return reinterpret_cast<UINT_PTR>(kTrimTimerName);
}

int32_t TrimTimerPeriod(int32_t periodMs, bool useGivenPeriod) {
    return useGivenPeriod && periodMs >= 1000 ? periodMs : 3000;
}

UINT_PTR StartTrimTimer(HWND window, int32_t periodMs, bool useGivenPeriod) {
    return SetTimer(window, TrimTimerId(), static_cast<UINT>(TrimTimerPeriod(periodMs, useGivenPeriod)),
                    TrimWorkingSet);
}

void CALLBACK TrimWorkingSet(HWND, UINT, UINT_PTR, DWORD) {
    SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
}

} // namespace radar
