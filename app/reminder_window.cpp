#include "app/reminder_window.h"

#include <commctrl.h>

#include "app/palette.h"
#include "win/controls.h"
#include "win/dpi.h"
#include "win/font.h"

namespace radar {

namespace {

constexpr UINT kMsgTextDoubleClicked = WM_APP + 10;

// The text box tells its window about a double-click, which an edit box does not do itself.
LRESULT CALLBACK TextBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR) {
    if (message == WM_LBUTTONDBLCLK) PostMessageW(GetParent(hwnd), kMsgTextDoubleClicked, 0, 0);
    if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, TextBoxProc, id);
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

} // namespace

bool ReminderWindow::Create(HWND mainWindow) {
    RegisterWindowClass(kReminderWindowClass, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), nullptr, nullptr);
    RegisterTransparentLabelClass();
    RECT outer{0, 0, Scale(kReminderWidth), Scale(kReminderHeight)};
    // Owned by the main window: no taskbar button of its own, and it stays above other windows.
    if (!CreateTopLevel(kReminderWindowClass, "青禾包裹雷达提醒您", WS_POPUP | WS_CLIPCHILDREN,
                        WS_EX_TOOLWINDOW | WS_EX_TOPMOST, outer, mainWindow))
        return false;
    titleBrush_.Reset(CreateSolidBrush(kLabelBackground));
    fonts_.push_back(CreateUiFont("黑体", 16, true));
    fonts_.push_back(CreateUiFont("宋体", 14, false));
    fonts_.push_back(CreateUiFont("宋体", 14, true));
    controls_[0] = CreateControl(Hwnd(), L"STATIC", "青禾包裹雷达提醒您", WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE, 0, 0,
                                 0, 304, 40, static_cast<int>(ReminderId::标签1));
    controls_[1] = CreateControl(
        Hwnd(), L"EDIT", "", WS_VISIBLE | WS_VSCROLL | WS_CLIPSIBLINGS | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 0,
        1, 41, 303, 239, static_cast<int>(ReminderId::编辑框1));
    controls_[2] = CreateControl(Hwnd(), kTransparentLabelClass, "关闭", WS_VISIBLE, 0, 256, 232, 40, 32,
                                 static_cast<int>(ReminderId::透明标签1));
    for (size_t i = 0; i < controls_.size(); ++i)
        SendMessageW(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[i].Get()), FALSE);
    SetWindowSubclass(controls_[1], TextBoxProc, 1, 0);
    // The close label sits on top of the text box.
    SetWindowPos(controls_[2], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ShowWindow(Hwnd(), SW_SHOWNOACTIVATE);
    return true;
}

void ReminderWindow::PlaceBelowScreen() {
    RECT r;
    GetWindowRect(Hwnd(), &r);
    int width = r.right - r.left;
    SetWindowPos(Hwnd(), nullptr, GetSystemMetrics(SM_CXSCREEN) - width, GetSystemMetrics(SM_CYSCREEN), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND ReminderWindow::Control(ReminderId id) const {
    return controls_[static_cast<size_t>(static_cast<int>(id) - static_cast<int>(ReminderId::标签1))];
}

LRESULT ReminderWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(lParam) == controls_[0]) {
        SetBkColor(reinterpret_cast<HDC>(wParam), kLabelBackground);
        return reinterpret_cast<LRESULT>(titleBrush_.Get());
    }
    bool dismissed = message == kMsgTextDoubleClicked || (message == WM_COMMAND && HIWORD(wParam) == STN_CLICKED &&
                                                          LOWORD(wParam) == static_cast<int>(ReminderId::透明标签1));
    if (dismissed) {
        if (onDismiss_) onDismiss_();
        return 0;
    }
    return DefaultProc(message, wParam, lParam);
}

} // namespace radar
