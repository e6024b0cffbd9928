#pragma once
// A timer of a window, named by its id: period 0 means stopped. Its ticks arrive at the
// window as WM_TIMER with the id.
#include <windows.h>

namespace radar {

class WindowTimer {
public:
    WindowTimer() = default;
    WindowTimer(HWND owner, UINT_PTR id) : owner_(owner), id_(id) {}

    void SetPeriod(UINT milliseconds);
    UINT Period() const { return period_; }
    UINT_PTR Id() const { return id_; }

private:
    HWND owner_ = nullptr;
    UINT_PTR id_ = 0;
    UINT period_ = 0;
};

} // namespace radar
