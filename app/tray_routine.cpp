#include "app/tray_routine.h"

#include <windows.h>

#include "app/main_window.h"
#include "app/program_globals.h"
#include "app/tray_icon_texts.h"
#include "assets/assets.h"

namespace radar {

namespace {
MainWindow* g_window = nullptr;
constexpr DWORD kTopmostMs = 500;
} // namespace

void SetTrayRoutineWindow(MainWindow* window) {
    g_window = window;
}

void TrayRoutine(int32_t trayCode) {
    if (!g_window || !g_window->Hwnd()) return;
    HWND hwnd = g_window->Hwnd();
    if (trayCode == WM_LBUTTONUP) {
        g_window->SetShownInTaskbar(true);
        ShowWindow(hwnd, SW_SHOWNORMAL);
        // In front of every other window for a moment, then others may cover it again.
        SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        Sleep(kTopmostMs);
        SetWindowPos(hwnd, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    } else if (trayCode == kTrayTaskbarCreated) {
        // Explorer restarted: without the icon, a window hidden in the tray has no way back.
        AppTray().AddIcon(hwnd, ProgramIconBytes(), true, kTrayTip);
    } else if (trayCode == WM_RBUTTONUP) {
        POINT pointer{};
        GetCursorPos(&pointer);
        // The menu closes when the user clicks elsewhere only if its owner is in front.
        SetForegroundWindow(hwnd);
        TrackPopupMenu(g_window->TrayMenu(), TPM_RIGHTBUTTON, pointer.x, pointer.y, 0, hwnd, nullptr);
        PostMessageW(hwnd, WM_NULL, 0, 0);
    }
}

} // namespace radar
