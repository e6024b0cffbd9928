#include "tools/tracking_service/service.h"

#include <httplib.h>

#include <chrono>
#include <charconv>

#include "tools/tracking_service/demo_data.h"

namespace radar::service {

namespace {

constexpr const char* kHtml = "text/html; charset=utf-8";
constexpr const char* kFaultPrefix = "FAULT-";         // the detection answer of the number faults
constexpr const char* kHistoryFaultPrefix = "HFAULT-"; // its history page faults
constexpr const char* kFaultCourier = "shunfeng";

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// The fault named after 'prefix' in a number such as "HFAULT-drop-1"; none without the prefix.
Fault FaultOfNumber(std::string_view number, std::string_view prefix) {
    if (!StartsWith(number, prefix)) return {};
    std::string_view mode = number.substr(prefix.size());
    return ParseFault(mode.substr(0, mode.find('-')));
}

bool IsFaultNumber(std::string_view number) {
    return StartsWith(number, kFaultPrefix) || StartsWith(number, kHistoryFaultPrefix);
}

std::string CourierListPage() {
    std::string page = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>全部快递公司</title></head>\n"
                       "<body><div class=\"list\">\n";
    for (const DemoCourier& courier : DemoCouriers()) {
        page +=
            "<a href=\"/all/" + courier.code + ".shtml\" data-code=\"" + courier.code + "\">" + courier.name + "</a>\n";
    }
    return page + "</div></body></html>\n";
}

std::string DetectionAnswer(std::string_view number) {
    std::vector<std::string> codes;
    if (IsFaultNumber(number)) {
        codes = {kFaultCourier};
    } else if (const DemoParcel* parcel = FindDemoParcel(number)) {
        codes = parcel->courierCodes;
    }
    std::string answer = "[";
    for (size_t i = 0; i < codes.size(); ++i) {
        if (i > 0) answer += ",";
        answer += "{\"comCode\":\"" + codes[i] + "\",\"id\":\"\",\"noCount\":" + std::to_string(100 - i) +
                  ",\"noPre\":\"" + std::string(number.substr(0, 4)) + "\",\"startTime\":\"\"}";
    }
    return answer + "]";
}

std::string HistoryPage(std::string_view courier, std::string_view number) {
    std::vector<DemoScan> history;
    if (IsFaultNumber(number)) {
        if (courier == kFaultCourier) history = {{"2026-12-04", "12:00:00", "【上海市】快件运输途中"}};
    } else if (const DemoParcel* parcel = FindDemoParcel(number)) {
        if (!parcel->courierCodes.empty() && parcel->courierCodes.front() == courier) history = parcel->history;
    }
    std::string page = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>快递查询结果</title></head>\n"
                       "<body><div class=\"result\">\n";
    if (history.empty()) page += "<p class=\"empty\">暂无查询结果，请确认单号和快递公司</p>\n";
    for (const DemoScan& scan : history) {
        page += "<dl class=\"col1\"><dt>" + scan.date + "</dt><dd>" + scan.time +
                "</dd></dl><span class=\"col2\"><span class=\"step\"></span><span class=\"line1\"></span>"
                "<span class=\"line2\"></span></span><span class=\"col3\">" +
                scan.status + "</span>\n";
    }
    return page + "</div></body></html>\n";
}

std::string NoticeFeed() {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<rss version=\"2.0\"><channel>\n"
           "<title>包裹雷达的日志</title>\n"
           "<item><title>公告：欢迎使用包裹雷达，本地演示服务运行中-2026-12-01</title>"
           "<description>公告：欢迎使用包裹雷达，本地演示服务运行中-2026-12-01</description></item>\n"
           "<item><title>最新版本：包裹雷达 2.0-2026-11-20</title>"
           "<description>最新版本：包裹雷达 2.0-2026-11-20</description></item>\n"
           "</channel></rss>\n";
}

// 25 divisions; the 25th holds the two counters, written as the browser control serializes
// them (upper-case tag, unquoted id), or only the directory heading.
std::string CounterPage(bool headingOnly) {
    std::string page = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>共享空间</title></head><body>\n";
    for (int i = 1; i < 25; ++i)
        page += "<div class=\"box\">栏目 " + std::to_string(i) + "</div>\n";
    if (headingOnly) return page + "<div>目录列表 </div>\n</body></html>\n";
    return page +
           "<div>软件已被使用：<LABEL id=zxrsts1>321</LABEL>次 当前在线人数：<LABEL id=zxrsts>12</LABEL>人</div>\n"
           "</body></html>\n";
}

// Lines with no part any of the program's patterns looks for.
std::string Padding(size_t bytes) {
    const std::string line = "<p class=\"pad\">0123456789abcdefghijklmnopqrstuvwxyz0123456789</p>\n";
    std::string padding;
    padding.reserve(bytes + line.size());
    while (padding.size() < bytes)
        padding += line;
    return padding;
}

void Answer(httplib::Response& response, const Fault& fault, std::string body, const char* contentType) {
    switch (fault.kind) {
    case FaultKind::kEmpty:
        response.set_content("", contentType);
        return;
    case FaultKind::kServerError:
        response.status = 500;
        response.set_content("<html><body>服务器内部错误</body></html>\n", kHtml);
        return;
    case FaultKind::kDrop: {
        // Headers and the first half of the body go out, then the connection closes.
        auto shared = std::make_shared<std::string>(std::move(body));
        response.set_content_provider(shared->size(), contentType,
                                      [shared](size_t offset, size_t, httplib::DataSink& sink) {
                                          if (offset == 0) sink.write(shared->data(), shared->size() / 2);
                                          return false;
                                      });
        return;
    }
    case FaultKind::kBadUtf8:
        // A lone continuation byte, an overlong form and a cut-off sequence before the text.
        response.set_content("\x80\xC0\xAF\xFF\xE5\xBF\n" + body, contentType);
        return;
    case FaultKind::kHuge:
        response.set_content(Padding(kHugePageBytes) + body, contentType);
        return;
    case FaultKind::kNone:
    case FaultKind::kSlow:
        break;
    }
    response.set_content(body, contentType);
}

} // namespace

Fault ParseFault(std::string_view mode) {
    if (mode == "empty") return {FaultKind::kEmpty};
    if (mode == "500") return {FaultKind::kServerError};
    if (mode == "drop") return {FaultKind::kDrop};
    if (mode == "badutf8") return {FaultKind::kBadUtf8};
    if (mode == "huge") return {FaultKind::kHuge};
    if (StartsWith(mode, "slow")) {
        std::string_view digits = mode.substr(4);
        int ms = 0;
        auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), ms);
        if (error == std::errc() && end == digits.data() + digits.size() && ms >= 0 && ms <= 600000)
            return {FaultKind::kSlow, ms};
    }
    return {};
}

TrackingService::TrackingService(ServiceOptions options)
    : options_(options), server_(std::make_unique<httplib::Server>()) {
    Route();
}

TrackingService::~TrackingService() {
    Stop();
}

int TrackingService::Bind(int port) {
    if (port == 0) {
        int bound = server_->bind_to_any_port("127.0.0.1");
        return bound > 0 ? bound : 0;
    }
    return server_->bind_to_port("127.0.0.1", port) ? port : 0;
}

bool TrackingService::Serve() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (stopRequested_) return true;
        serving_ = true;
    }
    bool served = server_->listen_after_bind();
    ended_ = true;
    return served;
}

int TrackingService::Start(int port) {
    int bound = Bind(port);
    if (bound == 0) return 0;
    thread_ = std::thread([this] { Serve(); });
    return bound;
}

void TrackingService::Stop() {
    bool serving = false;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopRequested_ = true;
        serving = serving_;
    }
    // The server's stop only acts once its accept loop runs; until then, ask again.
    while (serving && !ended_) {
        if (server_->is_running()) server_->stop();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (thread_.joinable()) thread_.join();
}

void TrackingService::Route() {
    // Every answer: the fixed delay, the fault of the request's "fault" key, then 'fault'
    // (from the number), the later one winning where both name one.
    auto serve = [this](const httplib::Request& request, httplib::Response& response, Fault fault, std::string body,
                        const char* contentType) {
        if (request.has_param("fault")) fault = ParseFault(request.get_param_value("fault"));
        int delayMs = options_.delayMs + (fault.kind == FaultKind::kSlow ? fault.delayMs : 0);
        if (delayMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
        Answer(response, fault, std::move(body), contentType);
    };
    server_->Get("/all/", [serve](const httplib::Request& request, httplib::Response& response) {
        serve(request, response, {}, CourierListPage(), kHtml);
    });
    server_->Post("/autonumber/auto", [serve](const httplib::Request& request, httplib::Response& response) {
        std::string number = request.get_param_value("num");
        serve(request, response, FaultOfNumber(number, kFaultPrefix), DetectionAnswer(number),
              "application/json; charset=utf-8");
    });
    server_->Get("/queryDetail.php", [serve](const httplib::Request& request, httplib::Response& response) {
        std::string number = request.get_param_value("nu");
        serve(request, response, FaultOfNumber(number, kHistoryFaultPrefix),
              HistoryPage(request.get_param_value("com"), number), kHtml);
    });
    server_->Get("/cgi-bin/cgi_rss_out", [serve](const httplib::Request& request, httplib::Response& response) {
        serve(request, response, {}, NoticeFeed(), "application/rss+xml; charset=utf-8");
    });
    server_->Get("/counter.html", [serve](const httplib::Request& request, httplib::Response& response) {
        serve(request, response, {}, CounterPage(request.get_param_value("state") == "heading"), kHtml);
    });
}

} // namespace radar::service
