#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "assets/assets.h"
#include "desktop/tray_icon.h"
#include "desktop/trim_timer.h"
#include "win/code_page.h"

namespace radar {
namespace {

// An owner window whose own procedure records what reaches it.
std::vector<UINT> g_ownerSaw;
std::vector<int32_t> g_routineGot;

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    g_ownerSaw.push_back(message);
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void Routine(int32_t code) {
    g_routineGot.push_back(code);
}

bool Saw(UINT message) {
    for (UINT m : g_ownerSaw)
        if (m == message) return true;
    return false;
}

class TrayIconTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSW wc{};
        wc.lpfnWndProc = OwnerProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TrayOwnerForTest";
        RegisterClassW(&wc);
        owner_ = CreateWindowExW(0, L"TrayOwnerForTest", L"", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        g_ownerSaw.clear();
        g_routineGot.clear();
    }
    void TearDown() override {
        if (IsWindow(owner_)) DestroyWindow(owner_);
    }
    HWND owner_ = nullptr;
    TrayIcon tray_;
};

TEST_F(TrayIconTest, RoutineTakesCallbackAndTaskbarMessagesAndHearsOfDestroy) {
    tray_.AddIcon(owner_, ProgramIconBytes(), true, "青禾包裹雷达无限制版！");
    tray_.SetCallback(Routine, true);
    SendMessageW(owner_, kTrayCallbackMessage, 1, WM_LBUTTONUP);
    SendMessageW(owner_, kTrayCallbackMessage, 1, WM_RBUTTONUP);
    SendMessageW(owner_, tray_.TaskbarCreatedMessage(), 0, 0);
    EXPECT_EQ((std::vector<int32_t>{514, 517, kTrayTaskbarCreated}), g_routineGot);
    EXPECT_FALSE(Saw(kTrayCallbackMessage));
    EXPECT_FALSE(Saw(tray_.TaskbarCreatedMessage()));
    DestroyWindow(owner_);
    EXPECT_EQ(kTrayOwnerDestroyed, g_routineGot.back());
    EXPECT_TRUE(Saw(WM_DESTROY)) << "the owner still sees its own destruction";
}

TEST_F(TrayIconTest, WithoutRoutineMessagesReachTheOwner) {
    tray_.AddIcon(owner_, ProgramIconBytes(), true, "tip");
    tray_.SetCallback(Routine, false);
    SendMessageW(owner_, kTrayCallbackMessage, 1, WM_LBUTTONUP);
    SendMessageW(owner_, tray_.TaskbarCreatedMessage(), 0, 0);
    EXPECT_TRUE(g_routineGot.empty());
    EXPECT_TRUE(Saw(kTrayCallbackMessage));
    EXPECT_TRUE(Saw(tray_.TaskbarCreatedMessage()));
}

TEST_F(TrayIconTest, RemoveIconGivesTheOwnerItsProcedureBack) {
    tray_.AddIcon(owner_, ProgramIconBytes(), true, "tip");
    tray_.SetCallback(Routine, true);
    ASSERT_NE(reinterpret_cast<LONG_PTR>(OwnerProc), GetWindowLongPtrW(owner_, GWLP_WNDPROC));
    tray_.RemoveIcon();
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(OwnerProc), GetWindowLongPtrW(owner_, GWLP_WNDPROC));
    EXPECT_EQ(nullptr, tray_.Owner());
    SendMessageW(owner_, kTrayCallbackMessage, 1, WM_LBUTTONUP);
    EXPECT_TRUE(g_routineGot.empty());
    EXPECT_TRUE(Saw(kTrayCallbackMessage));
}

TEST_F(TrayIconTest, AddIconNeedsAWindowAndSetCallbackNeedsAnIcon) {
    tray_.SetCallback(Routine, true); // before AddIcon: nothing
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(OwnerProc), GetWindowLongPtrW(owner_, GWLP_WNDPROC));
    HWND gone = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    EXPECT_FALSE(tray_.AddIcon(gone, ProgramIconBytes(), true, "tip"));
    EXPECT_EQ(nullptr, tray_.Owner());
    EXPECT_EQ(0u, tray_.Record().cbSize) << "nothing changes";
}

TEST_F(TrayIconTest, RecordFieldsForIconTipAndBalloon) {
    tray_.AddIcon(owner_, ProgramIconBytes(), true, "青禾包裹雷达无限制版！");
    const NOTIFYICONDATAW& r = tray_.Record();
    EXPECT_EQ(owner_, r.hWnd);
    EXPECT_EQ(1u, r.uID);
    EXPECT_EQ(static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP), r.uFlags);
    EXPECT_EQ(kTrayCallbackMessage, r.uCallbackMessage);
    EXPECT_EQ("青禾包裹雷达无限制版！", ToGbk(r.szTip));
    HICON icon = r.hIcon;
    ASSERT_NE(nullptr, icon);
    tray_.ShowBalloon("提示：", "青禾包裹雷达启动成功，感谢您的使用！", kBalloonInformation);
    EXPECT_EQ(static_cast<UINT>(NIF_INFO), r.uFlags);
    EXPECT_EQ("提示：", ToGbk(r.szInfoTitle));
    EXPECT_EQ("青禾包裹雷达启动成功，感谢您的使用！", ToGbk(r.szInfo));
    EXPECT_EQ("青禾包裹雷达无限制版！", ToGbk(r.szTip)) << "a balloon leaves the tip";
    EXPECT_EQ(icon, r.hIcon) << "and the icon";
    EXPECT_FALSE(tray_.ChangeIcon(std::string_view("not an icon")));
    EXPECT_EQ(icon, r.hIcon) << "no icon from bad bytes: nothing changes";
}

TEST(IconFromIcoBytes, FirstImageIsTheLargeOneAndBadBytesGiveNoIcon) {
    int32_t w = 0, h = 0;
    HICON icon = TrayIcon::IconFromIcoBytes(ProgramIconBytes(), 0, &w, &h);
    ASSERT_NE(nullptr, icon);
    EXPECT_EQ(128, w);
    EXPECT_EQ(128, h);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP bm{};
    GetObjectW(info.hbmColor, sizeof(bm), &bm);
    EXPECT_EQ(128, bm.bmWidth);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
    w = h = 0;
    icon = TrayIcon::IconFromIcoBytes(ProgramIconBytes(), 4, &w, &h);
    EXPECT_NE(nullptr, icon);
    EXPECT_EQ(16, w);
    DestroyIcon(icon);
    EXPECT_EQ(nullptr, TrayIcon::IconFromIcoBytes(ProgramIconBytes(), 5, &w, &h)) << "past the directory";
    EXPECT_EQ(nullptr, TrayIcon::IconFromIcoBytes(ProgramIconBytes().substr(0, 2000), 0, &w, &h)) << "cut short";
    EXPECT_EQ(nullptr, TrayIcon::IconFromIcoBytes({}, 0, &w, &h));
}

TEST(ClipToBytes, KeepsWholeGbkCharacters) {
    struct Case {
        std::string text;
        size_t limit;
        std::string expected;
    } cases[] = {
        {"青禾包裹雷达无限制版！", 127, "青禾包裹雷达无限制版！"},
        {"青禾包裹", 5, "青禾"}, // the fifth byte would split 包
        {"ab青", 3, "ab"},
        {"abc", 3, "abc"},
        {"", 10, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, ClipToBytes(c.text, c.limit)) << c.limit;
}

TEST(TrimTimer, PeriodRule) {
    EXPECT_EQ(3000, TrimTimerPeriod(999, true));
    EXPECT_EQ(3000, TrimTimerPeriod(1000, false));
    EXPECT_EQ(1000, TrimTimerPeriod(1000, true));
    EXPECT_EQ(5000, TrimTimerPeriod(5000, true));
    HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    EXPECT_NE(0u, StartTrimTimer(window, 1000, true));
    DestroyWindow(window);
}

} // namespace
} // namespace radar
