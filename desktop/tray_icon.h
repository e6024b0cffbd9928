#pragma once
// One icon in the notification area on behalf of an owner window: tip, balloons, and the
// icon's events handed to one routine of the program as a tray code. It has no window of
// its own: TrayHookProc sits in front of the owner's procedure and reads its settings from
// properties of the owner window.
#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace radar {

inline constexpr UINT kTrayCallbackMessage = 11685;
// Tray codes besides the shell's mouse messages (WM_LBUTTONUP 514, WM_RBUTTONUP 517 ...).
inline constexpr int kTrayTaskbarCreated = 1120;
inline constexpr int kTrayOwnerDestroyed = 1130;
inline constexpr DWORD kBalloonInformation = NIIF_INFO;

using TrayRoutineFn = void (*)(int32_t trayCode);

class TrayIcon {
public:
    TrayIcon();
    ~TrayIcon();
    TrayIcon(const TrayIcon& other);
    TrayIcon& operator=(const TrayIcon&) = delete;

    bool AddIcon(HWND owner, std::string_view icoBytes, bool useIconBytes, const std::string& tip);
    bool RemoveIcon();
    bool SetTip(const std::string& tip);
    bool ShowBalloon(const std::string& title, const std::string& text, int32_t iconKind);
    bool ChangeIcon(std::string_view icoBytes);
    static HICON IconFromIcoBytes(std::string_view icoBytes, int32_t index, int32_t* width, int32_t* height);
    void SetCallback(TrayRoutineFn routine, bool install);

    UINT TaskbarCreatedMessage() const { return taskbarCreatedMessage_; }
    HWND Owner() const { return owner_; }
    const NOTIFYICONDATAW& Record() const { return record_; }

private:
    UINT taskbarCreatedMessage_ = 0;
    NOTIFYICONDATAW record_{};
    WNDPROC previousProc_ = nullptr;
    HWND owner_ = nullptr;
    HICON ownIcon_ = nullptr; // made from icon bytes; destroyed when replaced or at the end
};

LRESULT CALLBACK TrayHookProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The longest prefix of text that fits maxBytes and ends on a whole GBK character.
std::string ClipToBytes(std::string_view text, size_t maxBytes);

} // namespace radar
