#include "win/message_pump.h"

namespace radar {

namespace {

constexpr wchar_t kDialogKeysProperty[] = L"RadarDialogKeys";

bool HandledAsDialogKey(MSG& msg) {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST || !msg.hwnd) return false;
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    return root && GetPropW(root, kDialogKeysProperty) && IsDialogMessageW(root, &msg);
}

} // namespace

void EnableDialogKeys(HWND topLevel) {
    SetPropW(topLevel, kDialogKeysProperty, reinterpret_cast<HANDLE>(1));
}

void DispatchUiMessage(MSG& msg) {
    if (HandledAsDialogKey(msg)) return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

void ProcessPendingMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        DispatchUiMessage(msg);
    }
}

void WaitWithMessages(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        ProcessPendingMessages();
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= milliseconds) return;
        MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds - elapsed, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        ProcessPendingMessages();
        if (condition()) return true;
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs) return false;
        // Wake for messages, or every 10 ms for conditions that other threads change.
        DWORD slice = timeoutMs - elapsed < 10 ? timeoutMs - elapsed : 10;
        MsgWaitForMultipleObjectsEx(0, nullptr, slice, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

int RunMessageLoop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        DispatchUiMessage(msg);
    return static_cast<int>(msg.wParam);
}

} // namespace radar
