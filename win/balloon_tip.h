#pragma once
// A balloon tip that pops up at a point of the screen with a text of several lines, and goes
// away by itself after a while, on a click into it, or when the next one is shown.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "win/handle.h"

namespace radar {

class BalloonTip {
public:
    BalloonTip() = default;
    ~BalloonTip();
    BalloonTip(const BalloonTip&) = delete;
    BalloonTip& operator=(const BalloonTip&) = delete;

    // The balloon belongs to owner; made at the first Show.
    void SetOwner(HWND owner) { owner_ = owner; }
    // Shows text (GBK, CR LF between lines) with the balloon's tip at the screen point.
    void Show(POINT screenPoint, const std::string& text);
    void Hide();
    bool IsShown() const;
    // The text shown last; empty when hidden.
    std::string Text() const;
    HWND Hwnd() const { return tip_.Get(); }

private:
    bool Make();
    static void CALLBACK HideTimer(HWND, UINT, UINT_PTR, DWORD);

    HWND owner_ = nullptr;
    WindowHandle tip_;
    std::wstring textW_;
    TOOLINFOW tool_{};
};

} // namespace radar
