#include "win/balloon_tip.h"

#include "win/code_page.h"

namespace radar {

namespace {
constexpr UINT_PTR kHideTimerId = 1;
constexpr UINT kShownMs = 20000;
constexpr int kMaxWidth = 640;
constexpr wchar_t kOwnerProperty[] = L"RadarBalloonTip";
} // namespace

BalloonTip::~BalloonTip() {
    if (tip_) {
        KillTimer(tip_.Get(), kHideTimerId);
        RemovePropW(tip_.Get(), kOwnerProperty);
    }
}

bool BalloonTip::Make() {
    if (tip_ && IsWindow(tip_.Get())) return true;
    tip_.Release();
    HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_BALLOON | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, owner_, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!tip) return false;
    tip_.Reset(tip);
    SetPropW(tip, kOwnerProperty, this);
    tool_ = TOOLINFOW{};
    tool_.cbSize = sizeof(tool_);
    tool_.uFlags = TTF_TRACK | TTF_ABSOLUTE | TTF_IDISHWND | TTF_TRANSPARENT;
    tool_.hwnd = owner_;
    tool_.uId = reinterpret_cast<UINT_PTR>(owner_);
    tool_.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool_));
    SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, kMaxWidth);
    if (font_) SendMessageW(tip, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return true;
}

void BalloonTip::Show(POINT screenPoint, const std::string& text) {
    if (!Make()) return;
    Hide();
    textW_ = ToWide(text);
    tool_.lpszText = textW_.data();
    SendMessageW(tip_.Get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool_));
    SendMessageW(tip_.Get(), TTM_TRACKPOSITION, 0, MAKELPARAM(screenPoint.x, screenPoint.y));
    SendMessageW(tip_.Get(), TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool_));
    SetTimer(tip_.Get(), kHideTimerId, kShownMs, HideTimer);
}

void BalloonTip::Hide() {
    if (!tip_) return;
    KillTimer(tip_.Get(), kHideTimerId);
    SendMessageW(tip_.Get(), TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool_));
    textW_.clear();
}

bool BalloonTip::IsShown() const {
    return tip_ && IsWindowVisible(tip_.Get()) && !textW_.empty();
}

std::string BalloonTip::Text() const {
    if (!IsShown()) return {};
    // What the control itself holds, not our copy of it.
    std::wstring buffer(textW_.size() + 64, L'\0');
    TOOLINFOW info = tool_;
    info.lpszText = buffer.data();
    SendMessageW(tip_.Get(), TTM_GETTEXTW, buffer.size(), reinterpret_cast<LPARAM>(&info));
    buffer.resize(wcsnlen(buffer.c_str(), buffer.size()));
    return ToGbk(buffer);
}

void CALLBACK BalloonTip::HideTimer(HWND tip, UINT, UINT_PTR, DWORD) {
    if (auto* balloon = static_cast<BalloonTip*>(GetPropW(tip, kOwnerProperty))) balloon->Hide();
}

} // namespace radar
