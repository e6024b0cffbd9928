#include "app/main_window.h"

#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include "app/palette.h"
#include "app/program_globals.h"
#include "app/reminder_window.h"
#include "app/startup_worker.h"
#include "app/tray_routine.h"
#include "desktop/trim_timer.h"
#include "tracking/result_table.h"
#include "web/text_utils.h"
#include "win/code_page.h"
#include "win/controls.h"
#include "win/dpi.h"
#include "win/hot_keys.h"
#include "win/message_pump.h"
#include "win/messages.h"

namespace radar {

namespace {

const char kCaption[] = "青禾-包裹雷达 无限制测试版v1.1 圆通、韵达版";
constexpr DWORD kMainStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr int kStoredLeft = 50;
constexpr int kStoredTop = 50;
constexpr int kOuterWidth = 1205;
constexpr int kOuterHeight = 742;
constexpr DWORD kHotKeyTopmostMs = 100;

bool IsPaleBlueLabel(MainId id) {
    switch (id) {
    case MainId::标签_单号:
    case MainId::标签_自动查询时间:
    case MainId::标签_倒计时:
    case MainId::标签_倒计时秒:
    case MainId::标签_查询状态:
    case MainId::标签1:
    case MainId::标签2:
    case MainId::标签3:
    case MainId::标签4:
        return true;
    default:
        return false;
    }
}

} // namespace

MainWindow::MainWindow() : 通用对话框1_("文本文档（*.txt)|*.txt", "txt") {
    for (size_t i = 0; i < timers_.size(); ++i)
        timers_[i] = WindowTimer(nullptr, i + 1);
}

// Destroyed here, not in the base: the destroy handler must still run as this class's.
MainWindow::~MainWindow() {
    if (Hwnd()) DestroyWindow(Hwnd());
}

bool MainWindow::Create() {
    HICON icon = GlobalsBuilt() ? Globals().programIcon : nullptr;
    RegisterWindowClass(kMainWindowClass, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), icon, icon);
    RECT outer{kStoredLeft, kStoredTop, kStoredLeft + Scale(kOuterWidth), kStoredTop + Scale(kOuterHeight)};
    return CreateTopLevel(kMainWindowClass, kCaption, kMainStyle, WS_EX_APPWINDOW | WS_EX_CONTROLPARENT, outer,
                          nullptr);
}

void MainWindow::Show() {
    ShowWindow(Hwnd(), SW_SHOWNORMAL);
    UpdateWindow(Hwnd());
}

HWND MainWindow::Control(MainId id) const {
    return controls_[static_cast<size_t>(static_cast<int>(id) - kFirstMainId)];
}

WindowTimer& MainWindow::Timer(MainTimer timer) {
    return timers_[static_cast<size_t>(timer) - 1];
}

bool MainWindow::IsShownInTaskbar() const {
    return (GetWindowLongPtrW(Hwnd(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW) == 0;
}

void MainWindow::SetShownInTaskbar(bool shown) {
    LONG_PTR ex = GetWindowLongPtrW(Hwnd(), GWL_EXSTYLE);
    ex = shown ? (ex | WS_EX_APPWINDOW) & ~static_cast<LONG_PTR>(WS_EX_TOOLWINDOW)
               : (ex & ~static_cast<LONG_PTR>(WS_EX_APPWINDOW)) | WS_EX_TOOLWINDOW;
    SetWindowLongPtrW(Hwnd(), GWL_EXSTYLE, ex);
}

void MainWindow::CreateTrayMenu() {
    trayMenu_.Reset(CreatePopupMenu());
    HMENU menu = trayMenu_.Get();
    AppendMenuW(menu, MF_STRING, kMenuOpenPanel, ToWide("打开主面板").c_str());
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, kMenuExit, ToWide("退出").c_str());
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, kMenuGuide, ToWide("使用说明").c_str());
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, kMenuFeedback, ToWide("反馈给作者").c_str());
}

// The creation handler: runs to its end before the window is shown.
void MainWindow::OnCreate() {
    for (size_t i = 0; i < timers_.size(); ++i)
        timers_[i] = WindowTimer(Hwnd(), i + 1);
    labelBrush_.Reset(CreateSolidBrush(kLabelBackground));
    气球提示框1_.SetOwner(Hwnd());
    CreateControls();
    气球提示框1_.SetFont(reinterpret_cast<HFONT>(SendMessageW(Control(MainId::超级列表框1), WM_GETFONT, 0, 0)));
    CreateTrayMenu();
    EnableDialogKeys(Hwnd());
    if (GlobalsBuilt() && Globals().programIcon) {
        SendMessageW(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(Globals().programIcon));
        SendMessageW(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(Globals().programIcon));
    }
    SetFeedbackHandler(Control(MainId::标签1), [this](int first, int) { OnHotKeyFeedback(first); });
    SetFeedbackHandler(Control(MainId::标签_单号),
                       [this](int first, int second) { OnTrackingFeedback(first, second); });

    // 1-2. The auto query is armed at start-up: ticked (no clicked event) and both timers running.
    Button_SetCheck(Control(MainId::选择框_自动查询), BST_CHECKED);
    Timer(MainTimer::时钟1).SetPeriod(1000);
    Timer(MainTimer::时钟2).SetPeriod(1000);
    // 3. Usage counters.
    Timer(MainTimer::时钟5).SetPeriod(1000);
    // 4. F1, no modifiers; works while other programs have the focus.
    hotKeyId_ = RegisterGlobalHotKey(Hwnd(), 0, VK_F1);
    // 5. Notice feed.
    ReadLatestVersion();
    ReadNotice();
    // 6-7. Skin and window alpha.
    ApplySkin();
    // 8. The saved number list replaces the box's text, even when it is missing or empty.
    LoadNumberList();
    // 9. The reminder waits just below the lower right corner of the screen.
    reminder_ = std::make_unique<ReminderWindow>();
    reminder_->Create(Hwnd());
    reminder_->PlaceBelowScreen();
    reminder_->SetDismissHandler([this] { SlideReminder(false); });
    // 10. Connection check and tray icon, on a thread of their own.
    SetTrayRoutineWindow(this);
    StartStartupWorker(Hwnd());
    // 11. Working-set trimming.
    StartTrimTimer(Hwnd(), 1000, true);
}

// Minimise-to-tray: a minimised window leaves the screen and the taskbar for the tray.
void MainWindow::OnPositionChanged() {
    if (!IsIconic(Hwnd()) || !IsWindowVisible(Hwnd())) return;
    if (GlobalsBuilt())
        AppTray().ShowBalloon("提示：", "程序最小化运行中，鼠标左键单击即可复原！", kBalloonInformation);
    ShowWindow(Hwnd(), SW_HIDE);
    SetShownInTaskbar(false);
}

void MainWindow::OnDestroy() {
    destroyed_ = true;
    气球提示框1_.Hide();
    UnregisterGlobalHotKey(Hwnd(), hotKeyId_);
    hotKeyId_ = 0;
    if (GlobalsBuilt()) AppTray().RemoveIcon();
    reminder_.reset();
    SetTrayRoutineWindow(nullptr);
    PostQuitMessage(0);
}

void MainWindow::OnHotKeyFeedback(int hotKeyId) {
    if (hotKeyId == 0 || hotKeyId != hotKeyId_) return;
    SetShownInTaskbar(true);
    ShowWindow(Hwnd(), SW_SHOWNORMAL);
    SetWindowPos(Hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    Sleep(kHotKeyTopmostMs);
    SetWindowPos(Hwnd(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void MainWindow::OnNumbersFocusGained() {
    HWND box = Control(MainId::编辑框_单号);
    std::string text = GetText(box);
    if (ContainsText(text, "请将要") || ContainsText(text, "涉及多个单号")) SetText(box, "");
}

void MainWindow::OnNumbersFocusLost() {
    HWND box = Control(MainId::编辑框_单号);
    if (GetWindowTextLengthW(box) == 0) SetText(box, kNumbersPlaceholder);
}

void MainWindow::OnRowSelected(int row) {
    气球提示框1_.Hide(); // it showed the route of the row selected before
    HWND box = Control(MainId::编辑框_单号);
    SetFocus(box);
    std::string number = TableCell(Control(MainId::超级列表框1), row, 1);
    int position = FindText(GetText(box), number);
    if (position > 0) SelectTextBytes(box, static_cast<size_t>(position - 1), number.size());
}

void MainWindow::OnOpenPanel() {
    if (IsWindowVisible(Hwnd())) return;
    SetShownInTaskbar(true);
    ShowWindow(Hwnd(), SW_RESTORE);
}

void MainWindow::OnExit() {
    DestroyWindow(Hwnd());
}

void MainWindow::SlideReminder(bool in) {
    if (GlobalsBuilt()) Globals().slideDirection = in ? 1 : 0;
    Timer(MainTimer::时钟3).SetPeriod(1);
}

// One pixel a tick: up until the bottom edge is 30 pixels above the screen's, down until the
// top edge reaches the screen's bottom. At the goal the timer stops until the next request.
void MainWindow::OnSlideTick() {
    if (!reminder_ || !GlobalsBuilt()) return;
    HWND reminder = reminder_->Hwnd();
    RECT r;
    GetWindowRect(reminder, &r);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    const int height = r.bottom - r.top;
    int top = r.top;
    if (Globals().slideDirection == 1) {
        if (top > screenHeight - height - 30) top -= 1;
    } else if (top < screenHeight) {
        top += 1;
    }
    if (top == r.top) {
        Timer(MainTimer::时钟3).SetPeriod(0);
        return;
    }
    SetWindowPos(reminder, nullptr, r.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::OnCommand(int id, int code) {
    switch (id) {
    case IDCANCEL: // Esc, when the focused control does not take the key itself
        SendMessageW(Hwnd(), WM_CLOSE, 0, 0);
        return;
    case kMenuOpenPanel:
        OnOpenPanel();
        return;
    case kMenuExit:
        OnExit();
        return;
    case kMenuGuide:
        OnGuideMenu();
        return;
    case kMenuFeedback:
        OnFeedbackMenu();
        return;
    }
    switch (static_cast<MainId>(id)) {
    case MainId::编辑框_单号:
        if (code == EN_SETFOCUS) OnNumbersFocusGained();
        if (code == EN_KILLFOCUS) OnNumbersFocusLost();
        return;
    case MainId::按钮_查一下:
        if (code == BN_CLICKED) OnQueryButton();
        return;
    case MainId::选择框_自动查询:
        if (code == BN_CLICKED) OnAutoQueryClicked();
        return;
    case MainId::按钮_导入单号:
        if (code == BN_CLICKED) OnImportNumbers();
        return;
    case MainId::按钮_导出:
        if (code == BN_CLICKED) OnExportTable();
        return;
    case MainId::透明标签6:
        if (code == STN_CLICKED) OnNoticePressed();
        return;
    default:
        return;
    }
}

LRESULT MainWindow::OnNotify(const NMHDR& header) {
    if (header.idFrom != static_cast<UINT_PTR>(MainId::超级列表框1)) return 0;
    if (header.code == LVN_ITEMCHANGED) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        bool nowSelected =
            (change.uChanged & LVIF_STATE) && (change.uNewState & LVIS_SELECTED) && !(change.uOldState & LVIS_SELECTED);
        if (nowSelected && change.iItem >= 0) OnRowSelected(change.iItem);
    } else if (header.code == NM_DBLCLK) {
        OnRowDoubleClicked();
    } else if (header.code == NM_CUSTOMDRAW) {
        return AnswerTableCustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(const_cast<NMHDR*>(&header)));
    }
    return 0;
}

void MainWindow::OnTimer(UINT_PTR id) {
    switch (static_cast<MainTimer>(id)) {
    case MainTimer::时钟1:
        OnCountdownTick();
        return;
    case MainTimer::时钟2:
        OnRunWaitTick();
        return;
    case MainTimer::时钟3:
        OnSlideTick();
        return;
    case MainTimer::时钟5:
        OnCounterTick();
        return;
    case MainTimer::时钟4:
        return; // no handler
    }
}

LRESULT MainWindow::OnColourStatic(HDC dc, HWND control) {
    if (!IsPaleBlueLabel(static_cast<MainId>(GetDlgCtrlID(control))))
        return DefaultProc(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
    SetBkColor(dc, kLabelBackground);
    return reinterpret_cast<LRESULT>(labelBrush_.Get());
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        OnCreate();
        return 0;
    case WM_WINDOWPOSCHANGED: {
        LRESULT result = DefaultProc(message, wParam, lParam);
        OnPositionChanged();
        return result;
    }
    case WM_CLOSE: // refused: the window goes to the tray instead
        ShowWindow(Hwnd(), SW_MINIMIZE);
        return 0;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case kMsgDestroySelf:
        DestroyWindow(Hwnd());
        return 0;
    case WM_HOTKEY:
        if (IsHandedOutHotKeyId(static_cast<int>(wParam)))
            RaiseFeedback(Control(MainId::标签1), static_cast<int>(wParam), 0);
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_NOTIFY:
        return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_TIMER:
        OnTimer(wParam);
        return 0;
    case WM_CTLCOLORSTATIC:
        return OnColourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    }
    return DefaultProc(message, wParam, lParam);
}

} // namespace radar
