// What the main window does with a user's actions: typing, focus, close, Esc, minimise,
// the hot key, the table selection and the two tray-menu commands of the window itself.
#include <windows.h>
#include <commctrl.h>

#include <thread>

#include "app/program_globals.h"
#include "tests/app/main_window_fixture.h"
#include "win/controls.h"

namespace radar {
namespace {

using test::MainWindowTest;

// Characters arrive as the keyboard's WM_CHAR. They are sent, not posted: processing the queue in
// between would also take in the window manager's late focus events, which are not the user's.
void Type(HWND control, const std::wstring& characters) {
    for (wchar_t c : characters)
        SendMessageW(control, WM_CHAR, c, 1);
}

void PressKey(HWND control, UINT key) {
    PostMessageW(control, WM_KEYDOWN, key, 1);
    PostMessageW(control, WM_KEYUP, key, 0xC0000001);
    ProcessPendingMessages();
}

bool InTray(MainWindow& w) {
    return !IsWindowVisible(w.Hwnd()) && !w.IsShownInTaskbar();
}

void AddRow(HWND list, int row, const std::string& number) {
    std::wstring position = std::to_wstring(row + 1);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = position.data();
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    std::wstring numberW = ToWide(number);
    item.iSubItem = 1;
    item.pszText = numberW.data();
    SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

std::pair<DWORD, DWORD> Selection(HWND edit) {
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

TEST_F(MainWindowTest, DigitBoxesKeepOnlyDigitsAndMinusOfTypedCharacters) {
    MainWindow& w = OpenWindow();
    for (MainId id : {MainId::编辑框_单号, MainId::编辑框_自动查询}) {
        HWND box = w.Control(id);
        SetText(box, "");
        Type(box, L"a1b2-中 .3");
        EXPECT_EQ("12-3", GetText(box)) << static_cast<int>(id);
        Type(box, L"\b"); // Backspace is a control character: it works
        EXPECT_EQ("12-", GetText(box));
        // Text set by the program (or pasted) is not filtered.
        SetText(box, "YT1234 中通");
        EXPECT_EQ("YT1234 中通", GetText(box));
    }
}

TEST_F(MainWindowTest, NumbersBoxEmptyWithoutListFileAndPlaceholderReturnsAfterFocus) {
    MainWindow& w = OpenWindow();
    HWND box = w.Control(MainId::编辑框_单号);
    EXPECT_EQ("", GetText(box)) << "no list file: empty, not the placeholder";
    SetFocus(box);
    SetFocus(w.Control(MainId::按钮_查一下));
    EXPECT_EQ(kNumbersPlaceholder, GetText(box));
    SetFocus(box);
    EXPECT_EQ("", GetText(box)) << "the placeholder empties on focus";
    Type(box, L"123456");
    SetFocus(w.Control(MainId::按钮_查一下));
    EXPECT_EQ("123456", GetText(box)) << "a typed number stays";
}

TEST_F(MainWindowTest, FocusEmptiesTextsHoldingAMarkerPhrase) {
    MainWindow& w = OpenWindow();
    HWND box = w.Control(MainId::编辑框_单号);
    SetText(box, "123\r\n如果涉及多个单号查询\r\n456");
    SetFocus(box);
    EXPECT_EQ("", GetText(box));
    SetFocus(w.Control(MainId::按钮_查一下));
    SetText(box, "123\r\n456");
    SetFocus(box);
    EXPECT_EQ("123\r\n456", GetText(box));
}

TEST_F(MainWindowTest, NumberListFileFillsTheBoxUpToItsFirstZeroByte) {
    test::WriteNumberListFile(std::string("中通123\r\n456\r\n\0garbage", 20));
    MainWindow& w = OpenWindow();
    EXPECT_EQ("中通123\r\n456\r\n", GetText(w.Control(MainId::编辑框_单号)));
}

TEST_F(MainWindowTest, CloseAndEscGoToTheTrayAndTheWindowLives) {
    MainWindow& w = OpenWindow();
    SendMessageW(w.Hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0); // the caption's close button
    EXPECT_TRUE(IsWindow(w.Hwnd()));
    EXPECT_TRUE(InTray(w));
    EXPECT_FALSE(test::TakeQuitMessage(nullptr));

    SendMessageW(w.Hwnd(), WM_COMMAND, kMenuOpenPanel, 0);
    ASSERT_TRUE(IsWindowVisible(w.Hwnd()));
    SetForegroundWindow(w.Hwnd());
    HWND list = w.Control(MainId::超级列表框1);
    SetFocus(list);
    PressKey(list, VK_ESCAPE);
    EXPECT_TRUE(InTray(w));
    EXPECT_TRUE(IsWindow(w.Hwnd()));
}

TEST_F(MainWindowTest, EveryMinimiseShowsTheBalloon) {
    MainWindow& w = OpenWindow();
    const NOTIFYICONDATAW& record = AppTray().Record();
    for (int round = 0; round < 2; ++round) {
        AppTray().SetTip("青禾包裹雷达无限制版！"); // leaves the record without the balloon flag
        ASSERT_EQ(static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP), record.uFlags);
        ShowWindow(w.Hwnd(), SW_MINIMIZE);
        ProcessPendingMessages();
        EXPECT_TRUE(InTray(w)) << round;
        EXPECT_EQ(static_cast<UINT>(NIF_INFO), record.uFlags) << round;
        EXPECT_EQ("提示：", ToGbk(record.szInfoTitle));
        EXPECT_EQ("程序最小化运行中，鼠标左键单击即可复原！", ToGbk(record.szInfo));
        EXPECT_EQ(static_cast<DWORD>(NIIF_INFO), record.dwInfoFlags);
        SendMessageW(w.Hwnd(), WM_COMMAND, kMenuOpenPanel, 0);
        EXPECT_TRUE(IsWindowVisible(w.Hwnd()));
        EXPECT_FALSE(IsIconic(w.Hwnd()));
        EXPECT_TRUE(w.IsShownInTaskbar());
    }
}

TEST_F(MainWindowTest, OpenPanelDoesNothingWhileVisible) {
    MainWindow& w = OpenWindow();
    ShowWindow(w.Hwnd(), SW_MAXIMIZE);
    SendMessageW(w.Hwnd(), WM_COMMAND, kMenuOpenPanel, 0);
    EXPECT_TRUE(IsZoomed(w.Hwnd())) << "a visible window keeps its state";
}

TEST_F(MainWindowTest, HotKeyBringsTheHiddenWindowBackOnTop) {
    MainWindow& w = OpenWindow();
    SendMessageW(w.Hwnd(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(InTray(w));

    // An id that is not ours does nothing.
    SendMessageW(w.Hwnd(), WM_HOTKEY, w.HotKeyId() + 7, MAKELPARAM(0, VK_F1));
    EXPECT_TRUE(InTray(w));

    SendMessageW(w.Hwnd(), WM_HOTKEY, w.HotKeyId(), MAKELPARAM(0, VK_F1));
    EXPECT_TRUE(IsWindowVisible(w.Hwnd()));
    EXPECT_FALSE(IsIconic(w.Hwnd()));
    EXPECT_TRUE(w.IsShownInTaskbar());
    EXPECT_FALSE(GetWindowLongW(w.Hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST) << "topmost only for the moment of the hot key";
}

// The label's feedback event posted from another thread runs the handler on the window's thread.
TEST_F(MainWindowTest, FeedbackPostedFromAnotherThreadRunsOnTheWindowThread) {
    MainWindow& w = OpenWindow();
    SendMessageW(w.Hwnd(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(InTray(w));
    std::thread poster([&] { PostFeedback(w.Control(MainId::标签1), w.HotKeyId(), 0); });
    poster.join();
    EXPECT_TRUE(InTray(w)) << "posted: nothing runs before messages are processed";
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(w.Hwnd()) != FALSE; }, 5000));
}

TEST_F(MainWindowTest, SelectingARowSelectsItsFirstOccurrenceInTheBox) {
    MainWindow& w = OpenWindow();
    HWND box = w.Control(MainId::编辑框_单号);
    HWND list = w.Control(MainId::超级列表框1);
    // Chinese text before the numbers: bytes and the control's character positions differ.
    SetText(box, "圆通：\r\n7700123\r\n4455\r\n7700123");
    AddRow(list, 0, "7700123");
    AddRow(list, 1, "4455");
    struct Case {
        int row;
        DWORD start, end;
    };
    for (Case c : {Case{1, 14, 18}, Case{0, 5, 12}}) {
        // The list view notifies the selection synchronously, so the handler has run on return.
        // Asserted before messages are processed: a late focus event from the X window manager
        // could otherwise move the focus in between.
        ListView_SetItemState(list, c.row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        EXPECT_EQ(box, GetFocus()) << c.row;
        EXPECT_EQ(std::make_pair(c.start, c.end), Selection(box)) << c.row;
    }
}

TEST_F(MainWindowTest, ExitDestroysTheWindowRemovesTheIconAndEndsTheLoop) {
    MainWindow& w = OpenWindow();
    HWND hwnd = w.Hwnd();
    SendMessageW(hwnd, WM_COMMAND, kMenuExit, 0);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(nullptr, AppTray().Owner());
    int exitCode = -1;
    EXPECT_TRUE(test::TakeQuitMessage(&exitCode));
    EXPECT_EQ(0, exitCode);
}

} // namespace
} // namespace radar
