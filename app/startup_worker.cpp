#include "app/startup_worker.h"

#include <wininet.h>

#include <atomic>

#include "app/program_globals.h"
#include "app/tray_icon_texts.h"
#include "app/tray_routine.h"
#include "assets/assets.h"
#include "msgbox/skinned_message_box.h"
#include "win/code_page.h"
#include "win/messages.h"

namespace radar {

namespace {

std::atomic<ConnectionCheck> g_connectionCheck{&SystemReportsOnline};
std::atomic<int> g_workersRunning{0};

struct RunningScope {
    ~RunningScope() { --g_workersRunning; }
};

DWORD WINAPI StartupWorker(void* parameter) noexcept {
    RunningScope running;
    auto mainWindow = static_cast<HWND>(parameter);
    // The thread closes its own handle: nobody waits for it.
    if (HANDLE self = InterlockedExchangePointer(&Globals().startupThread, nullptr)) CloseHandle(self);
    if (!g_connectionCheck.load()()) {
        SkinnedMessageBox(mainWindow, "当前电脑没有联网，请在联网的情况下使用本软件！", kBoxInformation, "网络错误：");
        PostMessageW(mainWindow, kMsgDestroySelf, 0, 0);
        return 0;
    }
    AppTray().AddIcon(mainWindow, ProgramIconBytes(), true, kTrayTip);
    AppTray().SetCallback(&TrayRoutine, true);
    AppTray().ShowBalloon("提示：", "青禾包裹雷达启动成功，感谢您的使用！", kBalloonInformation);
    return 0;
}

} // namespace

bool SystemReportsOnline() {
    DWORD flags = 0;
    // The name buffer is given with length 0, so no connection name comes back.
    std::wstring name = ToWide("宽带连接");
    return InternetGetConnectedStateExW(&flags, name.data(), 0, 0) != FALSE;
}

void SetConnectionCheckForTests(ConnectionCheck check) {
    g_connectionCheck = check ? check : &SystemReportsOnline;
}

bool StartupWorkerRunning() {
    return g_workersRunning.load() > 0;
}

void StartStartupWorker(HWND mainWindow) {
    ++g_workersRunning;
    HANDLE thread = CreateThread(nullptr, 0, StartupWorker, mainWindow, CREATE_SUSPENDED, nullptr);
    if (!thread) {
        --g_workersRunning;
        return;
    }
    Globals().startupThread = thread;
    ResumeThread(thread);
}

} // namespace radar
