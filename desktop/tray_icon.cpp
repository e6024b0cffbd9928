#include "desktop/tray_icon.h"

#include <cstring>

#include "win/code_page.h"

namespace radar {

namespace {

// The full record without the GUID and balloon-icon fields of later versions.
constexpr DWORD kRecordSize = NOTIFYICONDATAW_V2_SIZE;
constexpr UINT kIconId = 1;

// Texts are limited by their bytes in the program's code page: tip 127, balloon 255, title 63.
constexpr size_t kTipBytes = 127;
constexpr size_t kInfoBytes = 255;
constexpr size_t kTitleBytes = 63;

constexpr wchar_t kPropWinProc[] = L"WinProc";
constexpr wchar_t kPropCallbackMessage[] = L"CallbackMessage";
constexpr wchar_t kPropTaskbarCreated[] = L"TaskbarCreatedMessage";
constexpr wchar_t kPropExecEvent[] = L"Exec Event";

template <size_t N> void CopyText(wchar_t (&field)[N], const std::string& text, size_t maxBytes) {
    std::wstring wide = ToWide(ClipToBytes(text, maxBytes));
    size_t n = wide.size() < N - 1 ? wide.size() : N - 1;
    std::memcpy(field, wide.data(), n * sizeof(wchar_t));
    field[n] = L'\0';
}

template <class T> T PropAs(HWND window, const wchar_t* name) {
    return reinterpret_cast<T>(GetPropW(window, name));
}

uint32_t ReadLe(const unsigned char* p, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | p[i];
    return v;
}

} // namespace

std::string ClipToBytes(std::string_view text, size_t maxBytes) {
    size_t end = 0;
    while (end < text.size()) {
        size_t step = static_cast<unsigned char>(text[end]) >= 0x80 && end + 1 < text.size() ? 2 : 1;
        if (end + step > maxBytes) break;
        end += step;
    }
    return std::string(text.substr(0, end));
}

TrayIcon::TrayIcon() : taskbarCreatedMessage_(RegisterWindowMessageW(L"TaskbarCreated")) {}

TrayIcon::TrayIcon(const TrayIcon& other)
    : taskbarCreatedMessage_(other.taskbarCreatedMessage_), record_(other.record_), previousProc_(other.previousProc_),
      owner_(other.owner_) {
    // The copy shares the shell icon; only the original destroys the image it made.
}

TrayIcon::~TrayIcon() {
    if (ownIcon_) DestroyIcon(ownIcon_);
}

bool TrayIcon::AddIcon(HWND owner, std::string_view icoBytes, bool useIconBytes, const std::string& tip) {
    if (!IsWindow(owner)) return false;
    owner_ = owner;
    HICON icon = nullptr;
    if (useIconBytes) {
        int32_t w = 0, h = 0;
        icon = IconFromIcoBytes(icoBytes, 0, &w, &h);
        if (ownIcon_) DestroyIcon(ownIcon_);
        ownIcon_ = icon;
    } else {
        icon = reinterpret_cast<HICON>(SendMessageW(owner, WM_GETICON, ICON_SMALL, 0));
    }
    record_.cbSize = kRecordSize;
    record_.hWnd = owner;
    record_.uID = kIconId;
    record_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record_.uCallbackMessage = kTrayCallbackMessage;
    record_.hIcon = icon;
    CopyText(record_.szTip, tip, kTipBytes);
    return Shell_NotifyIconW(NIM_ADD, &record_) != FALSE;
}

bool TrayIcon::RemoveIcon() {
    if (previousProc_ && IsWindow(owner_)) {
        SetWindowLongPtrW(owner_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProc_));
        RemovePropW(owner_, kPropExecEvent);
    }
    owner_ = nullptr;
    previousProc_ = nullptr;
    return Shell_NotifyIconW(NIM_DELETE, &record_) != FALSE;
}

bool TrayIcon::SetTip(const std::string& tip) {
    record_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    CopyText(record_.szTip, tip, kTipBytes);
    return Shell_NotifyIconW(NIM_MODIFY, &record_) != FALSE;
}

bool TrayIcon::ShowBalloon(const std::string& title, const std::string& text, int32_t iconKind) {
    record_.uFlags = NIF_INFO;
    record_.dwInfoFlags = static_cast<DWORD>(iconKind);
    CopyText(record_.szInfoTitle, title, kTitleBytes);
    CopyText(record_.szInfo, text, kInfoBytes);
    return Shell_NotifyIconW(NIM_MODIFY, &record_) != FALSE;
}

bool TrayIcon::ChangeIcon(std::string_view icoBytes) {
    int32_t w = 0, h = 0;
    HICON icon = IconFromIcoBytes(icoBytes, 0, &w, &h);
    if (!icon) return false;
    record_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record_.hIcon = icon;
    bool shown = Shell_NotifyIconW(NIM_MODIFY, &record_) != FALSE;
    if (ownIcon_) DestroyIcon(ownIcon_);
    ownIcon_ = icon;
    return shown;
}

HICON TrayIcon::IconFromIcoBytes(std::string_view icoBytes, int32_t index, int32_t* width, int32_t* height) {
    auto bytes = reinterpret_cast<const unsigned char*>(icoBytes.data());
    const size_t size = icoBytes.size();
    if (index < 0 || size < 6) return nullptr;
    uint32_t count = ReadLe(bytes + 4, 2);
    size_t entry = 6 + 16 * static_cast<size_t>(index);
    // Malformed files and indexes past the directory give no icon instead of reading beyond the bytes.
    if (static_cast<uint32_t>(index) >= count || entry + 16 > size) return nullptr;
    if (width) *width = bytes[entry];
    if (height) *height = bytes[entry + 1];
    uint32_t imageSize = ReadLe(bytes + entry + 8, 4);
    uint32_t imageOffset = ReadLe(bytes + entry + 12, 4);
    if (imageOffset > size || imageSize > size - imageOffset || imageSize == 0) return nullptr;
    // At the image's own size: CreateIconFromResource would scale it to the system icon size.
    return CreateIconFromResourceEx(const_cast<PBYTE>(bytes + imageOffset), imageSize, TRUE, 0x00030000, 0, 0,
                                    LR_DEFAULTCOLOR);
}

void TrayIcon::SetCallback(TrayRoutineFn routine, bool install) {
    if (!IsWindow(owner_)) return;
    // A second call keeps the first hook: chaining to ourselves would loop forever.
    if (!previousProc_) {
        previousProc_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(owner_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TrayHookProc)));
    }
    SetPropW(owner_, kPropWinProc, reinterpret_cast<HANDLE>(previousProc_));
    SetPropW(owner_, kPropCallbackMessage, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(kTrayCallbackMessage)));
    SetPropW(owner_, kPropTaskbarCreated, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(taskbarCreatedMessage_)));
    if (install) SetPropW(owner_, kPropExecEvent, reinterpret_cast<HANDLE>(routine));
}

LRESULT CALLBACK TrayHookProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto previous = PropAs<WNDPROC>(window, kPropWinProc);
    auto callbackMessage = PropAs<UINT_PTR>(window, kPropCallbackMessage);
    auto taskbarCreated = PropAs<UINT_PTR>(window, kPropTaskbarCreated);
    auto routine = PropAs<TrayRoutineFn>(window, kPropExecEvent);
    if (routine && callbackMessage && message == callbackMessage) {
        routine(static_cast<int32_t>(lParam));
        return 0;
    }
    if (routine && taskbarCreated && message == taskbarCreated) {
        routine(kTrayTaskbarCreated);
        return 0;
    }
    if (routine && message == WM_DESTROY) routine(kTrayOwnerDestroyed);
    if (!previous) return DefWindowProcW(window, message, wParam, lParam);
    return CallWindowProcW(previous, window, message, wParam, lParam);
}

} // namespace radar
