#pragma once
// The local tracking service: one HTTP server on 127.0.0.1 that answers the courier list, the
// number detection, the history page, the notice feed and the counter page in UTF-8, from the
// demo table, with test-only faults on request (README.md lists routes and faults).
#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace httplib {
class Server;
}

namespace radar::service {

enum class FaultKind { kNone, kSlow, kEmpty, kServerError, kDrop, kBadUtf8, kHuge };

struct Fault {
    FaultKind kind = FaultKind::kNone;
    int delayMs = 0; // for kSlow
};

// "slow<ms>", "empty", "500", "drop", "badutf8", "huge"; anything else is no fault.
Fault ParseFault(std::string_view mode);

// Size of the answer of the "huge" fault, at least.
constexpr size_t kHugePageBytes = 4 * 1024 * 1024;

struct ServiceOptions {
    int delayMs = 0; // added before every answer
};

class TrackingService {
public:
    explicit TrackingService(ServiceOptions options = {});
    ~TrackingService();
    TrackingService(const TrackingService&) = delete;
    TrackingService& operator=(const TrackingService&) = delete;

    // Binds 127.0.0.1:port, 0 for a free port. The bound port, or 0 when binding failed.
    int Bind(int port);
    // Answers requests on the bound port until Stop (at once when Stop came first); false when
    // it could not serve.
    bool Serve();
    // Bind, then Serve on a thread of its own; the bound port or 0.
    int Start(int port);
    // Ends Serve (from any thread) and joins the thread of Start.
    void Stop();

private:
    void Route();

    ServiceOptions options_;
    std::unique_ptr<httplib::Server> server_;
    std::thread thread_;
    std::mutex mutex_;
    bool stopRequested_ = false; // under mutex_
    bool serving_ = false;       // under mutex_
    std::atomic<bool> ended_ = false;
};

} // namespace radar::service
