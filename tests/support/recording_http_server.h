#pragma once
// A small HTTP server for tests: it listens on 127.0.0.1 on a port the system chooses, records the
// raw bytes of every request it receives and answers each with the next scripted answer. It serves
// one connection at a time on its own thread; every wait is bounded, and the destructor stops it.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace radar::test {

class RecordingHttpServer {
public:
    RecordingHttpServer();
    ~RecordingHttpServer();
    RecordingHttpServer(const RecordingHttpServer&) = delete;
    RecordingHttpServer& operator=(const RecordingHttpServer&) = delete;

    bool IsListening() const { return port_ != 0; }
    int Port() const { return port_; }
    // "http://127.0.0.1:<port>" followed by path.
    std::string Url(std::string_view path) const;

    // Queues the bytes sent back, as they are, for the next request not yet answered. Requests
    // beyond the script get "200 OK" with an empty body.
    void Answer(std::string raw);
    // The next request is read and recorded, then its connection is held open without an answer.
    void AnswerNothing();

    // A complete response: the status line, extra header lines (each ending in CR LF), the
    // Content-Length of body and "Connection: close", then the body.
    static std::string Response(std::string_view status, std::string_view headerLines, std::string_view body);

    // Waits until at least count requests have been recorded or the bound has passed.
    bool WaitForRequests(size_t count, std::chrono::milliseconds bound) const;
    // The raw bytes of every request so far: head and body.
    std::vector<std::string> Requests() const;

private:
    struct Scripted {
        std::string raw;
        bool silent = false;
    };

    void Serve();
    Scripted NextAnswer();

    std::intptr_t listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    mutable std::condition_variable recorded_;
    std::deque<Scripted> script_;
    std::vector<std::string> requests_;
    std::thread thread_;
};

// A port on 127.0.0.1 that nobody listens on: bound once by the system's choice, then released.
int UnusedLoopbackPort();

// Head of a raw request: the request line and header lines up to the blank line, without it.
std::string RequestHead(std::string_view raw);
// What follows the blank line.
std::string RequestBodyOf(std::string_view raw);
// The request's header lines (the request line excluded), in the order sent.
std::vector<std::string> RequestHeaderLines(std::string_view raw);

} // namespace radar::test
