// The local tracking service, checked with the program's own patterns and text routines: what
// it sends must be what the program can take apart.
#include <httplib.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tools/tracking_service/service.h"
#include "web/regex_object.h"
#include "web/text_utils.h"

extern char** environ;

namespace radar {
namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kCourierListPattern = R"re(<a href="\S+" data-code="(\S+)">(\S+)</a>)re";
constexpr const char* kDetectionPattern = R"re(\[{"comCode":"(.*?)",")re";
constexpr const char* kHistoryPattern =
    R"re(<dl class="col1"><dt>(.*?)</dt><dd>(.*?)</dd></dl><span class="\S+"><span class="\S+"></span>)re"
    R"re(<span class="\S+"></span><span class="\S+"></span></span><span class="\S+">(.*?)</span>)re";

struct Answer {
    bool received = false;
    int status = 0;
    std::string body; // as sent, UTF-8
};

class TrackingServiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        port_ = service_.Start(0);
        ASSERT_NE(port_, 0);
    }

    Answer Get(const std::string& path) { return Send(path, false); }
    Answer Post(const std::string& path) { return Send(path, true); }

    Answer Send(const std::string& path, bool post) {
        httplib::Client client("127.0.0.1", port_);
        client.set_read_timeout(20, 0);
        httplib::Result result = post ? client.Post(path) : client.Get(path);
        if (!result) return {};
        return {true, result->status, result->body};
    }

    // The first courier the detection answer names, as the program reads it; empty for none.
    std::string DetectedCode(const std::string& number) {
        Answer answer = Post("/autonumber/auto?num=" + number);
        EXPECT_EQ(answer.status, 200);
        RegexObject regex;
        regex.Create(kDetectionPattern, Utf8ToGbk(answer.body));
        EXPECT_LE(regex.MatchCount(), 1);
        return regex.SubMatchText(1, 1);
    }

    // Entries (date, time, status) of the history page, in GBK.
    std::vector<std::vector<std::string>> History(const std::string& courier, const std::string& number) {
        Answer answer = Get("/queryDetail.php?com=" + courier + "&nu=" + number);
        EXPECT_EQ(answer.status, 200);
        RegexObject regex;
        regex.Create(kHistoryPattern, Utf8ToGbk(answer.body));
        std::vector<std::vector<std::string>> entries;
        for (int i = 1; i <= regex.MatchCount(); ++i) {
            entries.push_back({regex.SubMatchText(i, 1), regex.SubMatchText(i, 2), regex.SubMatchText(i, 3)});
        }
        return entries;
    }

    service::TrackingService service_;
    int port_ = 0;
};

TEST_F(TrackingServiceTest, CourierListPairsEveryCodeWithItsName) {
    Answer answer = Get("/all/");
    ASSERT_EQ(answer.status, 200);
    RegexObject regex;
    ASSERT_TRUE(regex.Create(kCourierListPattern, Utf8ToGbk(answer.body)));
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"shunfeng", "顺丰速运"}, {"yuantong", "圆通速递"}, {"zhongtong", "中通快递"},
        {"shentong", "申通快递"}, {"yunda", "韵达快递"},    {"ems", "EMS"},
    };
    ASSERT_EQ(regex.MatchCount(), static_cast<int>(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(regex.SubMatchText(static_cast<int>(i) + 1, 1), expected[i].first);
        EXPECT_EQ(regex.SubMatchText(static_cast<int>(i) + 1, 2), expected[i].second);
    }
}

TEST_F(TrackingServiceTest, DetectionNamesTheFirstListedCourier) {
    struct Case {
        const char* number;
        const char* code; // empty: no match
    };
    const Case cases[] = {
        {"10000000001", "shunfeng"},     // a keyword parcel
        {"20000000001", "zhongtong"},    // several couriers listed: the first one
        {"20000000002", "yunda"},        // detected, without history
        {"99999999999", ""},             // unknown to the service
        {"", ""},                        // no number at all
        {"FAULT-none-1", "shunfeng"},    // a fault number without a known fault
        {"FAULT-badutf8-1", "shunfeng"}, // still readable behind invalid UTF-8
        {"FAULT-huge-1", "shunfeng"},    // still found behind megabytes of filler
        {"FAULT-empty-1", ""},           // an empty answer names no courier
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        EXPECT_EQ(DetectedCode(c.number), c.code);
    }
    // The answer of the several-courier number really lists them all.
    Answer several = Post("/autonumber/auto?num=20000000001");
    EXPECT_NE(several.body.find("\"comCode\":\"yuantong\""), std::string::npos);
    EXPECT_NE(several.body.find("\"comCode\":\"yunda\""), std::string::npos);
}

TEST_F(TrackingServiceTest, HistoryPageListsTheScansOldestFirst) {
    struct Case {
        const char* courier;
        const char* number;
        size_t entries;
        std::vector<std::string> newest; // date, time, status in GBK
    };
    const Case cases[] = {
        {"shunfeng", "20000000003", 3, {"2026-12-03", "11:45:00", "【北京市】已签收，签收人是前台"}},
        {"zhongtong", "20000000001", 1, {"2026-12-03", "10:00:00", "【宁波市】快件已到达宁波转运中心"}},
        {"yuantong", "20000000001", 0, {}}, // not the first courier of the detection
        {"yunda", "20000000002", 0, {}},    // detected without history
        {"shunfeng", "99999999999", 0, {}}, // unknown number
        {"", "", 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.courier) + " " + c.number);
        auto entries = History(c.courier, c.number);
        ASSERT_EQ(entries.size(), c.entries);
        if (c.entries > 0) {
            EXPECT_EQ(entries.back(), c.newest);
        }
    }
    auto three = History("shunfeng", "20000000003");
    ASSERT_EQ(three.size(), 3u);
    EXPECT_EQ(three[0][2], "【深圳市】顺丰速运已揽收");
    EXPECT_EQ(three[1][2], "【深圳市】快件离开深圳转运中心");
}

// Each demo number's newest status holds its keyword and none of the keywords tested before it.
TEST_F(TrackingServiceTest, DemoNumbersCoverEveryStatusKeyword) {
    const std::vector<std::string> keywords = {
        "发往",   "签收失败", "签收",   "派件",   "已收件", "已打包",   "已拆包", "已发出", "站点",     "指定",
        "疑难件", "扫描",     "已到达", "已收入", "已揽收", "完成分捡", "离开",   "配送员", "完成配送",
    };
    struct Case {
        const char* number;
        size_t keyword;  // 1-based row of the keyword that decides; 0: none of them
        bool delivering; // also holds "派送"
    };
    std::vector<Case> cases;
    static const char* numbers[] = {"10000000001", "10000000002", "10000000003", "10000000004", "10000000005",
                                    "10000000006", "10000000007", "10000000008", "10000000009", "10000000010",
                                    "10000000011", "10000000012", "10000000013", "10000000014", "10000000015",
                                    "10000000016", "10000000017", "10000000018", "10000000019"};
    for (size_t i = 0; i < keywords.size(); ++i)
        cases.push_back({numbers[i], i + 1, false});
    cases.push_back({"10000000020", 0, false});
    cases.push_back({"10000000021", 4, true});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        std::string code = DetectedCode(c.number);
        ASSERT_FALSE(code.empty());
        auto entries = History(code, c.number);
        ASSERT_FALSE(entries.empty());
        const std::string& status = entries.back()[2];
        size_t decides = 0;
        for (size_t k = 0; k < keywords.size() && decides == 0; ++k) {
            if (ContainsText(status, keywords[k])) decides = k + 1;
        }
        EXPECT_EQ(decides, c.keyword);
        EXPECT_EQ(ContainsText(status, "派送"), c.delivering);
    }
}

TEST_F(TrackingServiceTest, NoticeFeedCarriesTheNoticeAndTheLatestVersion) {
    Answer answer = Get("/cgi-bin/cgi_rss_out?uin=10001");
    ASSERT_EQ(answer.status, 200);
    std::string feed = Utf8ToGbk(answer.body);
    EXPECT_EQ(TextBetween(feed, "公告：", "-"), "欢迎使用包裹雷达，本地演示服务运行中");
    EXPECT_EQ(TextBetween(feed, "最新版本：", "-"), "包裹雷达 2.0");
}

// Inner text of the page's 25th division.
std::string Division25(const std::string& page) {
    size_t at = std::string::npos;
    for (int i = 0; i < 25; ++i) {
        at = page.find("<div", at == std::string::npos ? 0 : at + 1);
        if (at == std::string::npos) return {};
    }
    size_t open = page.find('>', at);
    size_t close = page.find("</div>", open);
    if (open == std::string::npos || close == std::string::npos) return {};
    return page.substr(open + 1, close - open - 1);
}

TEST_F(TrackingServiceTest, CounterPageHoldsBothCountersInDivision25) {
    Answer answer = Get("/counter.html");
    ASSERT_EQ(answer.status, 200);
    std::string division = Division25(Utf8ToGbk(answer.body));
    EXPECT_EQ(TextBetweenAt(division, "id=zxrsts1>", "</LABEL>次"), "321");
    EXPECT_EQ(TextBetweenAt(division, "id=zxrsts>", "</LABEL>人"), "12");

    Answer heading = Get("/counter.html?state=heading");
    EXPECT_EQ(Division25(Utf8ToGbk(heading.body)), "目录列表 ");
}

bool IsValidUtf8(const std::string& text) {
    for (size_t i = 0; i < text.size();) {
        unsigned char lead = static_cast<unsigned char>(text[i]);
        size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
        if (length == 0 || (length == 2 && lead < 0xC2) || i + length > text.size()) return false;
        for (size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        }
        i += length;
    }
    return true;
}

// Every route, with the fault chosen by the request's "fault" key or by the number.
TEST_F(TrackingServiceTest, FaultModesOnEveryRoute) {
    struct Route {
        const char* normal;  // the request without a fault
        const char* faulted; // the same request with "%s" for the fault
        bool post;
    };
    const Route routes[] = {
        {"/all/", "/all/?fault=%s", false},
        {"/autonumber/auto?num=10000000003", "/autonumber/auto?num=10000000003&fault=%s", true},
        {"/autonumber/auto?num=FAULT-none", "/autonumber/auto?num=FAULT-%s-7", true},
        {"/queryDetail.php?com=shunfeng&nu=20000000003", "/queryDetail.php?com=shunfeng&nu=20000000003&fault=%s",
         false},
        {"/queryDetail.php?com=shunfeng&nu=HFAULT-none", "/queryDetail.php?com=shunfeng&nu=HFAULT-%s-7", false},
        {"/cgi-bin/cgi_rss_out?uin=1", "/cgi-bin/cgi_rss_out?uin=1&fault=%s", false},
        {"/counter.html", "/counter.html?fault=%s", false},
    };
    for (const Route& route : routes) {
        SCOPED_TRACE(route.faulted);
        Answer normal = Send(route.normal, route.post);
        ASSERT_EQ(normal.status, 200);
        ASSERT_FALSE(normal.body.empty());
        ASSERT_TRUE(IsValidUtf8(normal.body));
        auto faulted = [&](const char* mode) {
            std::string path = route.faulted;
            path.replace(path.find("%s"), 2, mode);
            return Send(path, route.post);
        };

        Answer empty = faulted("empty");
        EXPECT_EQ(empty.status, 200);
        EXPECT_TRUE(empty.body.empty());

        EXPECT_EQ(faulted("500").status, 500);

        EXPECT_FALSE(faulted("drop").received);

        Answer bad = faulted("badutf8");
        EXPECT_EQ(bad.status, 200);
        EXPECT_FALSE(IsValidUtf8(bad.body));
        EXPECT_TRUE(bad.body.ends_with(normal.body));

        Answer huge = faulted("huge");
        EXPECT_EQ(huge.status, 200);
        EXPECT_GE(huge.body.size(), service::kHugePageBytes);
        EXPECT_TRUE(huge.body.ends_with(normal.body));

        Clock::time_point start = Clock::now();
        Answer slow = faulted("slow300");
        EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(300));
        EXPECT_EQ(slow.body, normal.body);
    }
}

TEST(TrackingServiceFault, ParsesTheModes) {
    struct Case {
        const char* mode;
        service::FaultKind kind;
        int delayMs;
    };
    const Case cases[] = {
        {"slow250", service::FaultKind::kSlow, 250}, {"slow0", service::FaultKind::kSlow, 0},
        {"slow", service::FaultKind::kNone, 0},      {"slow-5", service::FaultKind::kNone, 0},
        {"slow10x", service::FaultKind::kNone, 0},   {"slow9999999", service::FaultKind::kNone, 0},
        {"empty", service::FaultKind::kEmpty, 0},    {"500", service::FaultKind::kServerError, 0},
        {"drop", service::FaultKind::kDrop, 0},      {"badutf8", service::FaultKind::kBadUtf8, 0},
        {"huge", service::FaultKind::kHuge, 0},      {"", service::FaultKind::kNone, 0},
        {"EMPTY", service::FaultKind::kNone, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        service::Fault fault = service::ParseFault(c.mode);
        EXPECT_EQ(fault.kind, c.kind);
        EXPECT_EQ(fault.delayMs, c.delayMs);
    }
}

// Addresses (hex, as /proc/net/tcp writes them) of the sockets listening on 'port'.
std::vector<std::string> ListeningAddresses(int port) {
    std::vector<std::string> addresses;
    for (const char* table : {"/proc/net/tcp", "/proc/net/tcp6"}) {
        std::ifstream file(table);
        std::string line;
        std::getline(file, line); // heading
        while (std::getline(file, line)) {
            std::istringstream fields(line);
            std::string slot, local, remote, state;
            fields >> slot >> local >> remote >> state;
            size_t colon = local.rfind(':');
            if (state == "0A" && colon != std::string::npos &&
                std::stoi(local.substr(colon + 1), nullptr, 16) == port) {
                addresses.push_back(local.substr(0, colon));
            }
        }
    }
    return addresses;
}

// The executable: prints its port, listens on loopback only, delays answers, ends on a signal.
TEST(TrackingServiceProcess, PrintsItsPortServesAndEndsOnSignal) {
    for (int stopSignal : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(stopSignal);
        int out[2];
        ASSERT_EQ(pipe(out), 0);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        std::string program = RADAR_TRACKING_SERVICE;
        char* argv[] = {program.data(),
                        const_cast<char*>("--port"),
                        const_cast<char*>("0"),
                        const_cast<char*>("--print-port"),
                        const_cast<char*>("--delay-ms"),
                        const_cast<char*>("200"),
                        nullptr};
        pid_t pid = 0;
        ASSERT_EQ(posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ), 0);
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);

        std::string first;
        Clock::time_point deadline = Clock::now() + std::chrono::seconds(20);
        while (first.find('\n') == std::string::npos && Clock::now() < deadline) {
            pollfd ready{out[0], POLLIN, 0};
            if (poll(&ready, 1, 100) <= 0) continue;
            char buffer[64];
            ssize_t got = read(out[0], buffer, sizeof buffer);
            if (got <= 0) break;
            first.append(buffer, static_cast<size_t>(got));
        }
        close(out[0]);
        ASSERT_NE(first.find('\n'), std::string::npos) << "no port line";
        int port = std::stoi(first);
        ASSERT_GT(port, 0);

        EXPECT_EQ(ListeningAddresses(port), std::vector<std::string>{"0100007F"}); // 127.0.0.1 only

        httplib::Client client("127.0.0.1", port);
        client.set_read_timeout(20, 0);
        Clock::time_point start = Clock::now();
        httplib::Result result = client.Get("/all/");
        ASSERT_TRUE(result);
        EXPECT_EQ(result->status, 200);
        EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(200));

        ASSERT_EQ(kill(pid, stopSignal), 0);
        int status = 0;
        pid_t ended = 0;
        deadline = Clock::now() + std::chrono::seconds(20);
        while ((ended = waitpid(pid, &status, WNOHANG)) == 0 && Clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        if (ended == 0) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            FAIL() << "the service did not end on the signal";
        }
        EXPECT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }
}

} // namespace
} // namespace radar
