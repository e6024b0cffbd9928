// tracking_service: the local tracking service for tests and the demo (README.md).
#include <pthread.h>
#include <signal.h>

#include <charconv>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <thread>

#include "tools/tracking_service/service.h"

namespace {

bool ParseInt(const char* text, int& value) {
    std::string_view digits(text);
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return error == std::errc() && end == digits.data() + digits.size() && value >= 0;
}

int Usage() {
    std::fprintf(stderr, "usage: tracking_service [--port N] [--print-port] [--delay-ms N]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    int port = 0;
    bool printPort = false;
    radar::service::ServiceOptions options;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg(argv[i]);
        if (arg == "--print-port") {
            printPort = true;
        } else if (arg == "--port" && i + 1 < argc) {
            if (!ParseInt(argv[++i], port) || port > 65535) return Usage();
        } else if (arg == "--delay-ms" && i + 1 < argc) {
            if (!ParseInt(argv[++i], options.delayMs)) return Usage();
        } else {
            return Usage();
        }
    }

    // SIGTERM and SIGINT are taken by one thread that stops the server; the server's own
    // threads inherit the blocked mask.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    radar::service::TrackingService service(options);
    int bound = service.Bind(port);
    if (bound == 0) {
        std::fprintf(stderr, "tracking_service: cannot bind 127.0.0.1:%d\n", port);
        return 1;
    }
    if (printPort) {
        std::printf("%d\n", bound);
        std::fflush(stdout);
    }
    std::thread stopper([&service, &stopSignals] {
        int signal = 0;
        sigwait(&stopSignals, &signal);
        service.Stop();
    });
    bool served = service.Serve();
    // Serve also ends without a signal when it fails: wake the stopper so it can be joined.
    pthread_kill(stopper.native_handle(), SIGTERM);
    stopper.join();
    return served ? 0 : 1;
}
