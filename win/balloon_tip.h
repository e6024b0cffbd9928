#pragma once
// A balloon tip that pops up at a point of the screen with a text of several lines, and goes
// away by itself after a while or when the next one is shown. Clicks go through it to the
// window below.
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
    // The font of the text (not owned; it must outlive the balloon).
    void SetFont(HFONT font) { font_ = font; }
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
    HFONT font_ = nullptr;
    WindowHandle tip_;
    std::wstring textW_;
    TOOLINFOW tool_{};
};

} // namespace radar
