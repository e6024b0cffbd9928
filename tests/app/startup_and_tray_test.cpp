// The start-up check, the tray icon's clicks and the reminder's slide.
#include <windows.h>

#include <atomic>
#include <thread>

#include "app/program_globals.h"
#include "app/reminder_window.h"
#include "app/startup_worker.h"
#include "tests/app/main_window_fixture.h"
#include "tests/support/message_box_answerer.h"

namespace radar {
namespace {

using test::MainWindowTest;

bool Offline() {
    return false;
}

TEST_F(MainWindowTest, OnlineStartAddsTheIconAndGreets) {
    MainWindow& w = OpenWindow();
    EXPECT_EQ(w.Hwnd(), AppTray().Owner());
    const NOTIFYICONDATAW& r = AppTray().Record();
    EXPECT_EQ("青禾包裹雷达无限制版！", ToGbk(r.szTip));
    EXPECT_EQ("提示：", ToGbk(r.szInfoTitle));
    EXPECT_EQ("青禾包裹雷达启动成功，感谢您的使用！", ToGbk(r.szInfo));
    EXPECT_NE(nullptr, r.hIcon);
    EXPECT_EQ(nullptr, Globals().startupThread) << "the worker closed its own handle";
}

TEST_F(MainWindowTest, OfflineStartSaysSoOwnedByTheWindowAndEndsTheProgram) {
    SetConnectionCheckForTests(&Offline);
    test::MessageBoxAnswerer answerer(IDOK);
    window_ = std::make_unique<MainWindow>();
    ASSERT_TRUE(window_->Create());
    HWND hwnd = window_->Hwnd();
    window_->Show();
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(hwnd); }, 10000));
    SetConnectionCheckForTests(nullptr);
    auto seen = answerer.Seen();
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ(hwnd, seen[0].owner);
    EXPECT_EQ("当前电脑没有联网，请在联网的情况下使用本软件！", seen[0].text);
    EXPECT_EQ("网络错误：", seen[0].title);
    EXPECT_EQ(64u, seen[0].style);
    EXPECT_NE(GetCurrentThreadId(), seen[0].threadId) << "shown by the start-up worker";
    EXPECT_EQ(nullptr, AppTray().Owner()) << "no tray icon";
    int exitCode = -1;
    EXPECT_TRUE(test::TakeQuitMessage(&exitCode));
    EXPECT_EQ(0, exitCode);
}

TEST_F(MainWindowTest, LeftClickOnTheIconBringsTheWindowBack) {
    MainWindow& w = OpenWindow();
    for (bool hiddenFirst : {true, false}) {
        if (hiddenFirst) SendMessageW(w.Hwnd(), WM_CLOSE, 0, 0);
        SendMessageW(w.Hwnd(), kTrayCallbackMessage, 1, WM_LBUTTONUP);
        EXPECT_TRUE(IsWindowVisible(w.Hwnd())) << hiddenFirst;
        EXPECT_FALSE(IsIconic(w.Hwnd()));
        EXPECT_TRUE(w.IsShownInTaskbar());
        EXPECT_FALSE(GetWindowLongW(w.Hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST) << "topmost for half a second only";
    }
}

// After Explorer restarts, the icon comes back (the record is sent again with its tip).
TEST_F(MainWindowTest, IconIsAddedAgainWhenTheTaskbarIsRecreated) {
    MainWindow& w = OpenWindow();
    ASSERT_EQ(static_cast<UINT>(NIF_INFO), AppTray().Record().uFlags) << "the greeting was the last call";
    SendMessageW(w.Hwnd(), AppTray().TaskbarCreatedMessage(), 0, 0);
    EXPECT_EQ(static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP), AppTray().Record().uFlags);
    EXPECT_EQ("青禾包裹雷达无限制版！", ToGbk(AppTray().Record().szTip));
    EXPECT_EQ(w.Hwnd(), AppTray().Owner());
    // Still hooked once: the tray click works as before.
    SendMessageW(w.Hwnd(), WM_CLOSE, 0, 0);
    SendMessageW(w.Hwnd(), kTrayCallbackMessage, 1, WM_LBUTTONUP);
    EXPECT_TRUE(IsWindowVisible(w.Hwnd()));
}

// The menu is modal: a watcher thread finds it, counts its entries and closes it.
TEST_F(MainWindowTest, RightClickOnTheIconPopsUpTheTrayMenu) {
    MainWindow& w = OpenWindow();
    std::atomic<int> entries{-1};
    std::atomic<bool> done{false};
    std::thread watcher([&] {
        for (int i = 0; i < 500 && entries < 0; ++i) {
            HWND menuWindow = FindWindowW(L"#32768", nullptr);
            if (menuWindow && IsWindowVisible(menuWindow)) {
                auto menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
                entries = menu == w.TrayMenu() ? GetMenuItemCount(menu) : 0;
                PostMessageW(menuWindow, WM_KEYDOWN, VK_ESCAPE, 0);
            }
            Sleep(10); // polling interval of the watcher
        }
        done = true;
    });
    SendMessageW(w.Hwnd(), kTrayCallbackMessage, 1, WM_RBUTTONUP);
    watcher.join();
    EXPECT_EQ(7, entries.load());
}

TEST_F(MainWindowTest, ReminderSlidesUpPixelByPixelAndBackWhenDismissed) {
    MainWindow& w = OpenWindow();
    HWND reminder = w.Reminder()->Hwnd();
    auto top = [&] {
        RECT r;
        GetWindowRect(reminder, &r);
        return static_cast<int>(r.top);
    };
    auto tick = [&](int n) {
        for (int i = 0; i < n; ++i)
            SendMessageW(w.Hwnd(), WM_TIMER, static_cast<WPARAM>(MainTimer::时钟3), 0);
    };
    const int screen = GetSystemMetrics(SM_CYSCREEN);
    RECT r;
    GetWindowRect(reminder, &r);
    const int height = r.bottom - r.top;
    const int goal = screen - height - 30;
    ASSERT_EQ(screen, top());

    w.SlideReminder(true);
    EXPECT_EQ(1u, w.Timer(MainTimer::时钟3).Period());
    tick(10);
    EXPECT_EQ(screen - 10, top()) << "one pixel a tick";
    // Dismissed while still sliding in: reverses where it stands.
    SendMessageW(w.Reminder()->Control(ReminderId::透明标签1), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_EQ(0, Globals().slideDirection);
    tick(4);
    EXPECT_EQ(screen - 6, top());
    tick(6);
    EXPECT_EQ(screen, top());
    tick(1);
    EXPECT_EQ(0u, w.Timer(MainTimer::时钟3).Period()) << "below the screen: the timer stops";

    w.SlideReminder(true);
    tick(screen - goal);
    EXPECT_EQ(goal, top());
    tick(5);
    EXPECT_EQ(goal, top()) << "stays in view";
    EXPECT_EQ(0u, w.Timer(MainTimer::时钟3).Period());
    // A second request while in view changes nothing but wakes the timer once.
    w.SlideReminder(true);
    tick(2);
    EXPECT_EQ(goal, top());

    // A double-click on the text dismisses it too.
    SendMessageW(w.Reminder()->Control(ReminderId::编辑框1), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    ProcessPendingMessages();
    EXPECT_EQ(0, Globals().slideDirection);
    tick(screen - goal + 1);
    EXPECT_EQ(screen, top());
}

} // namespace
} // namespace radar
