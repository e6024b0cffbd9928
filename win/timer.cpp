#include "win/timer.h"

namespace radar {

void WindowTimer::SetPeriod(UINT milliseconds) {
    period_ = milliseconds;
    if (!owner_) return;
    if (milliseconds == 0)
        KillTimer(owner_, id_);
    else
        SetTimer(owner_, id_, milliseconds, nullptr);
}

} // namespace radar
