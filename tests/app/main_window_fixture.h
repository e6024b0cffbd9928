#pragma once
// A real MainWindow in the test process, created and shown as the program does.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "app/main_window.h"
#include "app/program.h"
#include "app/startup_worker.h"
#include "tracking/number_list_file.h"
#include "win/code_page.h"
#include "win/handle.h"
#include "win/message_pump.h"

namespace radar::test {

inline void RemoveNumberListFile() {
    DeleteFileW(ToWide(NumberListPath()).c_str());
}

inline void WriteNumberListFile(const std::string& bytes) {
    KernelHandle file(CreateFileW(ToWide(NumberListPath()).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    ASSERT_TRUE(file && WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
}

// Takes the WM_QUIT that ending the program posts, so later tests' message loops are not ended.
inline bool TakeQuitMessage(int* exitCode) {
    MSG msg;
    if (!PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) return false;
    if (exitCode) *exitCode = static_cast<int>(msg.wParam);
    return true;
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        StartProgramServices();
        RemoveNumberListFile();
    }
    void TearDown() override {
        window_.reset();
        ProcessPendingMessages();
        TakeQuitMessage(nullptr);
        RemoveNumberListFile();
    }

    MainWindow& OpenWindow() {
        window_ = std::make_unique<MainWindow>();
        EXPECT_TRUE(window_->Create());
        window_->Show();
        EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(window_->Hwnd()) != FALSE; }, 5000));
        // The start-up worker adds the tray icon and its balloon on its own thread: let it finish,
        // so what a test then sees is what the user's action did.
        EXPECT_TRUE(WaitUntil([] { return !StartupWorkerRunning(); }, 10000));
        // The window manager activates windows asynchronously (the reminder below the screen is
        // mapped too): start each test with the main window active, as a user's would be.
        HWND hwnd = window_->Hwnd();
        EXPECT_TRUE(WaitUntil(
            [hwnd] {
                if (GetActiveWindow() == hwnd && GetForegroundWindow() == hwnd) return true;
                SetForegroundWindow(hwnd);
                return false;
            },
            5000));
        return *window_;
    }

    std::unique_ptr<MainWindow> window_;
};

} // namespace radar::test
