// One tracking run of many numbers against the local tracking service, measured from outside
// the run: its wall time against the service's total answer time (the floor a run that asks
// one request after the other can reach), the longest time the window went without processing
// its messages, and the process's peak memory.
//   tracking_run_benchmark.exe --service URL --delay-ms N [--numbers N]
#include <windows.h>
#include <psapi.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "app/addresses.h"
#include "app/command_line.h"
#include "app/main_window.h"
#include "app/program.h"
#include "app/startup_worker.h"
#include "tracking/number_list_file.h"
#include "tracking/result_table.h"
#include "tracking/status_rules.h"
#include "web/http_request.h"
#include "web/http_request_waiting.h"
#include "win/code_page.h"
#include "win/controls.h"
#include "win/message_pump.h"

namespace {

using Clock = std::chrono::steady_clock;

// Every one of these numbers is known to the service: a detection and a history request each.
std::string DemoNumber(int i) {
    const int known = i % 24;
    char number[16];
    if (known < 21)
        std::snprintf(number, sizeof(number), "100000000%02d", known + 1);
    else
        std::snprintf(number, sizeof(number), "2000000000%d", known - 20 == 2 ? 3 : known - 20);
    return number;
}

int Run(int argc, wchar_t** argv) {
    std::vector<std::wstring> arguments(argv + 1, argv + argc);
    std::string service;
    int delayMs = 5, count = 1000;
    for (size_t i = 0; i + 1 < arguments.size(); ++i) {
        if (arguments[i] == L"--service") service = radar::ToGbk(arguments[i + 1]);
        if (arguments[i] == L"--delay-ms") delayMs = _wtoi(arguments[i + 1].c_str());
        if (arguments[i] == L"--numbers") count = _wtoi(arguments[i + 1].c_str());
    }
    if (service.empty()) {
        std::fprintf(stderr, "usage: tracking_run_benchmark --service URL [--delay-ms N] [--numbers N]\n");
        return 2;
    }
    radar::PointAtService(service);
    radar::StartProgramServices();
    radar::MainWindow window;
    if (!window.Create()) return 1;
    window.Show();
    radar::WaitUntil([] { return !radar::StartupWorkerRunning(); }, 20000);

    std::string box;
    for (int i = 0; i < count; ++i)
        box += DemoNumber(i) + "\r\n";
    radar::SetText(window.Control(radar::MainId::编辑框_单号), box);
    HWND status = window.Control(radar::MainId::标签_查询状态);
    const std::string finished = radar::RunFinishedStatusText(count);

    // One request on its own, as the run makes them, for comparison.
    const std::string probe = service + "/autonumber/auto?num=10000000001";
    const auto probeStart = Clock::now();
    constexpr int kProbes = 20;
    for (int i = 0; i < kProbes; ++i)
        radar::HttpRequestProcessingMessages(probe, 1);
    const double probeMs = std::chrono::duration<double, std::milli>(Clock::now() - probeStart).count() / kProbes;
    const auto directStart = Clock::now();
    for (int i = 0; i < kProbes; ++i)
        radar::HttpRequest(probe, 1);
    const double directMs = std::chrono::duration<double, std::milli>(Clock::now() - directStart).count() / kProbes;
    const std::string getProbe = service + "/queryDetail.php?com=shunfeng&nu=10000000001";
    const auto getStart = Clock::now();
    for (int i = 0; i < kProbes; ++i)
        radar::HttpRequest(getProbe, 0);
    const double getMs = std::chrono::duration<double, std::milli>(Clock::now() - getStart).count() / kProbes;
    std::printf("direct POST %.1f ms, direct GET %.1f ms\n", directMs, getMs);

    // Another thread asks the window for a reply every millisecond or so and keeps the longest
    // wait for one: that is how long the window went without processing messages.
    std::atomic<bool> stop{false};
    std::atomic<long long> longestUs{0};
    HWND hwnd = window.Hwnd();
    std::thread watcher([&] {
        while (!stop) {
            const auto sent = Clock::now();
            DWORD_PTR result = 0;
            SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result);
            const long long us = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - sent).count();
            if (us > longestUs) longestUs = us;
            Sleep(1);
        }
    });

    const auto start = Clock::now();
    SendMessageW(window.Control(radar::MainId::按钮_查一下), BM_CLICK, 0, 0);
    const bool done =
        radar::WaitUntil([&] { return !window.RunInProgress() && radar::GetText(status) == finished; }, 3600 * 1000);
    const double wallS = std::chrono::duration<double>(Clock::now() - start).count();
    stop = true;
    std::atomic<bool> watcherDone{false};
    std::thread joiner([&] {
        watcher.join();
        watcherDone = true;
    });
    radar::WaitUntil([&] { return watcherDone.load(); }, 120000); // the watcher's last send needs an answer
    joiner.join();

    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof(memory);
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof(memory));
    const int rows = radar::TableRowCount(window.Control(radar::MainId::超级列表框1));
    const double floorS = 2.0 * count * delayMs / 1000.0; // detection and history per number

    std::printf("numbers: %d, rows: %d, run finished: %s\n", count, rows, done ? "yes" : "no");
    std::printf("service delay per answer: %d ms, total answer time: %.2f s\n", delayMs, floorS);
    std::printf("run wall time: %.2f s, ratio to the total answer time: %.2f\n", wallS, wallS / floorS);
    std::printf("one detection request alone: %.1f ms\n", probeMs);
    std::printf("longest time without processing messages: %.1f ms\n", longestUs / 1000.0);
    std::printf("peak working set: %.1f MiB, peak private bytes: %.1f MiB\n", memory.PeakWorkingSetSize / 1048576.0,
                memory.PeakPagefileUsage / 1048576.0);
    DeleteFileW(radar::ToWide(radar::NumberListPath()).c_str());
    return done && rows == count ? 0 : 1;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    return Run(argc, argv);
}
