#include "tests/support/recording_http_server.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

#include <cstdlib>

namespace radar::test {

namespace {

#ifdef _WIN32
using Socket = SOCKET;
const Socket kNoSocket = INVALID_SOCKET;
void CloseSocket(Socket s) {
    closesocket(s);
}
void ShutdownSend(Socket s) {
    shutdown(s, SD_SEND);
}

struct WinsockInit {
    bool ok;
    WinsockInit() {
        WSADATA data;
        ok = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }
    ~WinsockInit() {
        if (ok) WSACleanup();
    }
};
#else
using Socket = int;
const Socket kNoSocket = -1;
void CloseSocket(Socket s) {
    close(s);
}
void ShutdownSend(Socket s) {
    shutdown(s, SHUT_WR);
}
struct WinsockInit {
    bool ok = true;
};
#endif

// Winsock stays started for the life of the test process.
bool SocketsReady() {
    static WinsockInit init;
    return init.ok;
}

constexpr auto kPollStep = std::chrono::milliseconds(20);
// How long a client may take to send its whole request.
constexpr auto kRequestBound = std::chrono::seconds(10);

bool Readable(Socket s, std::chrono::milliseconds wait) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s, &set);
    timeval tv{};
    tv.tv_sec = static_cast<long>(wait.count() / 1000);
    tv.tv_usec = static_cast<long>((wait.count() % 1000) * 1000);
    return select(static_cast<int>(s) + 1, &set, nullptr, nullptr, &tv) > 0;
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Content-Length of a request head, 0 when it has none.
size_t ContentLength(std::string_view head) {
    for (const std::string& line : RequestHeaderLines(head)) {
        constexpr std::string_view kName = "content-length:";
        if (line.size() < kName.size()) continue;
        bool match = true;
        for (size_t i = 0; i < kName.size() && match; ++i)
            match = Lower(line[i]) == kName[i];
        if (match) return static_cast<size_t>(std::strtoul(line.c_str() + kName.size(), nullptr, 10));
    }
    return 0;
}

Socket OpenListener(int& port) {
    port = 0;
    if (!SocketsReady()) return kNoSocket;
    Socket s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == kNoSocket) return kNoSocket;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t size = sizeof(address);
    if (bind(s, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 || listen(s, 8) != 0 ||
        getsockname(s, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        CloseSocket(s);
        return kNoSocket;
    }
    port = ntohs(address.sin_port);
    return s;
}

} // namespace

RecordingHttpServer::RecordingHttpServer() {
    Socket s = OpenListener(port_);
    if (s == kNoSocket) return;
    listener_ = static_cast<std::intptr_t>(s);
    thread_ = std::thread([this] { Serve(); });
}

RecordingHttpServer::~RecordingHttpServer() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    if (listener_ != -1) CloseSocket(static_cast<Socket>(listener_));
}

std::string RecordingHttpServer::Url(std::string_view path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + std::string(path);
}

void RecordingHttpServer::Answer(std::string raw) {
    std::lock_guard lock(mutex_);
    script_.push_back({std::move(raw), false});
}

void RecordingHttpServer::AnswerNothing() {
    std::lock_guard lock(mutex_);
    script_.push_back({{}, true});
}

std::string RecordingHttpServer::Response(std::string_view status, std::string_view headerLines,
                                          std::string_view body) {
    std::string raw = "HTTP/1.1 " + std::string(status) + "\r\n";
    raw += headerLines;
    raw += "Content-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n";
    raw += body;
    return raw;
}

bool RecordingHttpServer::WaitForRequests(size_t count, std::chrono::milliseconds bound) const {
    std::unique_lock lock(mutex_);
    return recorded_.wait_for(lock, bound, [&] { return requests_.size() >= count; });
}

std::vector<std::string> RecordingHttpServer::Requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

RecordingHttpServer::Scripted RecordingHttpServer::NextAnswer() {
    std::lock_guard lock(mutex_);
    if (script_.empty()) return {Response("200 OK", "", ""), false};
    Scripted next = std::move(script_.front());
    script_.pop_front();
    return next;
}

void RecordingHttpServer::Serve() {
    const Socket listener = static_cast<Socket>(listener_);
    std::vector<Socket> held;
    while (!stop_) {
        if (!Readable(listener, kPollStep)) continue;
        Socket client = accept(listener, nullptr, nullptr);
        if (client == kNoSocket) continue;

        // Read the head, then as many body bytes as it announces.
        std::string raw;
        size_t headEnd = std::string::npos;
        size_t wanted = 0;
        bool complete = false;
        const auto deadline = std::chrono::steady_clock::now() + kRequestBound;
        while (!stop_ && std::chrono::steady_clock::now() < deadline) {
            if (headEnd != std::string::npos && raw.size() >= wanted) {
                complete = true;
                break;
            }
            if (!Readable(client, kPollStep)) continue;
            char buffer[4096];
            int got = static_cast<int>(recv(client, buffer, sizeof(buffer), 0));
            if (got <= 0) break;
            raw.append(buffer, static_cast<size_t>(got));
            if (headEnd == std::string::npos) {
                headEnd = raw.find("\r\n\r\n");
                if (headEnd != std::string::npos) wanted = headEnd + 4 + ContentLength(raw.substr(0, headEnd));
            }
        }
        if (!complete) {
            CloseSocket(client);
            continue;
        }

        Scripted answer = NextAnswer();
        {
            std::lock_guard lock(mutex_);
            requests_.push_back(std::move(raw));
        }
        recorded_.notify_all();
        if (answer.silent) {
            held.push_back(client);
            continue;
        }
        size_t sent = 0;
        while (sent < answer.raw.size()) {
            int n =
                static_cast<int>(send(client, answer.raw.data() + sent, static_cast<int>(answer.raw.size() - sent), 0));
            if (n <= 0) break;
            sent += static_cast<size_t>(n);
        }
        // Let the client see the end of the answer before the socket goes.
        ShutdownSend(client);
        const auto drainUntil = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (std::chrono::steady_clock::now() < drainUntil && Readable(client, kPollStep)) {
            char buffer[512];
            if (recv(client, buffer, sizeof(buffer), 0) <= 0) break;
        }
        CloseSocket(client);
    }
    for (Socket s : held)
        CloseSocket(s);
}

int UnusedLoopbackPort() {
    int port = 0;
    Socket s = OpenListener(port);
    if (s != kNoSocket) CloseSocket(s);
    return port;
}

std::string RequestHead(std::string_view raw) {
    size_t end = raw.find("\r\n\r\n");
    return std::string(raw.substr(0, end));
}

std::string RequestBodyOf(std::string_view raw) {
    size_t end = raw.find("\r\n\r\n");
    if (end == std::string_view::npos) return {};
    return std::string(raw.substr(end + 4));
}

std::vector<std::string> RequestHeaderLines(std::string_view raw) {
    std::string head = RequestHead(raw);
    std::vector<std::string> lines;
    size_t start = head.find("\r\n");
    while (start != std::string::npos) {
        start += 2;
        size_t end = head.find("\r\n", start);
        lines.push_back(head.substr(start, end == std::string::npos ? std::string::npos : end - start));
        start = end;
    }
    return lines;
}

} // namespace radar::test
