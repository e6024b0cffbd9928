// The program as its own process: it starts, shows its main window, and "退出" ends it with
// exit code 0. Also started at 144 dpi, where places, sizes and fonts scale.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/main_window.h"
#include "win/dpi.h"
#include "win/handle.h"
#include "win/message_pump.h"

namespace radar {
namespace {

std::wstring TestFolder() {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self);
    path.resize(path.find_last_of(L'\\'));
    return path; // tests/app of the build folder
}

std::wstring ProgramPath() {
    return TestFolder() + L"\\..\\..\\app\\parcel_radar.exe";
}

struct FindContext {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindMainWindow(HWND window, LPARAM param) {
    auto* context = reinterpret_cast<FindContext*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    wchar_t className[64];
    if (pid == context->processId && GetClassNameW(window, className, 64) &&
        lstrcmpW(className, kMainWindowClass) == 0 && IsWindowVisible(window)) {
        context->found = window;
        return FALSE;
    }
    return TRUE;
}

class ProgramProcess {
public:
    bool Start(const std::wstring& commandLine = L"\"" + ProgramPath() + L"\"") {
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION info{};
        std::wstring line = commandLine;
        if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
            return false;
        process_.Reset(info.hProcess);
        CloseHandle(info.hThread);
        processId_ = info.dwProcessId;
        return true;
    }
    HWND WaitForMainWindow(DWORD timeoutMs) {
        FindContext context{processId_, nullptr};
        WaitUntil(
            [&] {
                EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&context));
                return context.found != nullptr;
            },
            timeoutMs);
        return context.found;
    }
    bool WaitForExit(DWORD timeoutMs, DWORD* exitCode) {
        if (WaitForSingleObject(process_.Get(), timeoutMs) != WAIT_OBJECT_0) return false;
        return GetExitCodeProcess(process_.Get(), exitCode) != FALSE;
    }
    ~ProgramProcess() {
        DWORD code = 0;
        if (process_ && GetExitCodeProcess(process_.Get(), &code) && code == STILL_ACTIVE)
            TerminateProcess(process_.Get(), 1);
    }

private:
    KernelHandle process_;
    DWORD processId_ = 0;
};

void ExitThroughTrayMenu(ProgramProcess& program, HWND mainWindow) {
    PostMessageW(mainWindow, WM_COMMAND, kMenuExit, 0);
    DWORD exitCode = STILL_ACTIVE;
    ASSERT_TRUE(program.WaitForExit(20000, &exitCode));
    EXPECT_EQ(0u, exitCode);
    EXPECT_FALSE(IsWindow(mainWindow));
}

TEST(Program, StartsShowsItsWindowAndExitEndsItWithCodeZero) {
    ProgramProcess program;
    ASSERT_TRUE(program.Start());
    HWND mainWindow = program.WaitForMainWindow(30000);
    ASSERT_NE(nullptr, mainWindow);
    // A close is refused: the process keeps running with its window in the tray.
    PostMessageW(mainWindow, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(mainWindow); }, 5000));
    DWORD exitCode = 0;
    EXPECT_FALSE(program.WaitForExit(0, &exitCode));
    ExitThroughTrayMenu(program, mainWindow);
}

// Sets the screen's DPI for processes started while the object lives.
class ScopedDpi {
public:
    explicit ScopedDpi(DWORD dpi) {
        RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                        nullptr);
        DWORD size = sizeof(old_);
        hadOld_ = RegQueryValueExW(key_, L"LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&old_), &size) ==
                  ERROR_SUCCESS;
        RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof(dpi));
    }
    ~ScopedDpi() {
        if (hadOld_)
            RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&old_), sizeof(old_));
        else
            RegDeleteValueW(key_, L"LogPixels");
        RegCloseKey(key_);
    }

private:
    HKEY key_ = nullptr;
    DWORD old_ = 96;
    bool hadOld_ = false;
};

TEST(Program, ScalesPlacesAndFontsAt144Dpi) {
    ProgramProcess program;
    {
        ScopedDpi dpi(144);
        ASSERT_TRUE(program.Start());
        HWND probe = program.WaitForMainWindow(30000);
        ASSERT_NE(nullptr, probe);
    }
    HWND mainWindow = program.WaitForMainWindow(1000);
    RECT outer;
    GetWindowRect(mainWindow, &outer);
    EXPECT_EQ(ScaleForDpi(1205, 144), outer.right - outer.left);
    EXPECT_EQ(ScaleForDpi(742, 144), outer.bottom - outer.top);
    ExitThroughTrayMenu(program, mainWindow);
}

// The layout tests again, in a process started at 144 dpi: every place, size and font scales.
TEST(Program, LayoutHoldsAt144Dpi) {
    ProgramProcess layoutTests;
    {
        ScopedDpi dpi(144);
        SetEnvironmentVariableW(L"RADAR_TEST_DPI", L"144");
        std::wstring line = L"\"" + TestFolder() +
                            L"\\main_window_test.exe\" "
                            L"--gtest_filter=MainWindowDpi.*:MainWindowTest.Every*:MainWindowTest.Window*:"
                            L"MainWindowTest.Table*:MainWindowTest.Reminder*";
        ASSERT_TRUE(layoutTests.Start(line));
        SetEnvironmentVariableW(L"RADAR_TEST_DPI", nullptr);
        // The child reads the DPI when it starts; wait for it to have done so before restoring.
        DWORD exitCode = STILL_ACTIVE;
        ASSERT_TRUE(layoutTests.WaitForExit(120000, &exitCode));
        EXPECT_EQ(0u, exitCode);
    }
}

} // namespace
} // namespace radar
