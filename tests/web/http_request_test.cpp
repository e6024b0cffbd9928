// HttpRequest and FetchUrl over the real WinInet, against a local recording server on 127.0.0.1.
#include "web/http_request.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "tests/support/recording_http_server.h"

namespace radar {
namespace {

using test::RecordingHttpServer;
using test::RequestBodyOf;
using test::RequestHeaderLines;
using namespace std::chrono_literals;

std::string RequestLine(const std::string& raw) {
    return raw.substr(0, raw.find("\r\n"));
}

std::vector<std::string> SplitLines(const std::string& block) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        size_t end = block.find("\r\n", start);
        lines.push_back(block.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) return lines;
        start = end + 2;
    }
}

size_t CountLines(const std::vector<std::string>& lines, const std::string& line) {
    return static_cast<size_t>(std::count(lines.begin(), lines.end(), line));
}

// Lines of the request whose name (before the colon) matches, without regard to case.
std::vector<std::string> LinesNamed(const std::vector<std::string>& lines, std::string name) {
    std::vector<std::string> found;
    for (const std::string& line : lines) {
        size_t colon = line.find(':');
        if (colon == std::string::npos || colon != name.size()) continue;
        bool same = std::equal(name.begin(), name.end(), line.begin(),
                               [](char a, char b) { return std::tolower(a) == std::tolower(b); });
        if (same) found.push_back(line);
    }
    return found;
}

class HttpRequestTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server.IsListening()); }

    // The single request the server saw.
    std::string OnlyRequest() {
        auto requests = server.Requests();
        EXPECT_EQ(requests.size(), 1u);
        return requests.empty() ? std::string() : requests.front();
    }

    RecordingHttpServer server;
};

TEST_F(HttpRequestTest, PlainGetSendsDefaultBlockAndAgent) {
    server.Answer(RecordingHttpServer::Response("200 OK", "", "hello"));
    const std::string url = server.Url("/plain?q=1");
    std::string headers, responseHeaders;
    std::string body = HttpRequest(url, 0, {}, nullptr, nullptr, &headers, &responseHeaders);

    EXPECT_EQ(body, "hello");
    const std::string block = "Accept: */*\r\nReferer: " + url +
                              "\r\nAccept-Language: zh-cn\r\nContent-Type: application/x-www-form-urlencoded";
    EXPECT_EQ(headers, block);

    const std::string raw = OnlyRequest();
    EXPECT_EQ(RequestLine(raw), "GET /plain?q=1 HTTP/1.1");
    EXPECT_EQ(RequestBodyOf(raw), "");
    const auto lines = RequestHeaderLines(raw);
    EXPECT_NE(raw.find("\r\n" + block + "\r\n"), std::string::npos) << raw;
    for (const std::string& line : SplitLines(block))
        EXPECT_EQ(CountLines(lines, line), 1u) << line;
    EXPECT_EQ(LinesNamed(lines, "User-Agent"),
              std::vector<std::string>{std::string("User-Agent: ") + kDefaultUserAgent});
    EXPECT_EQ(LinesNamed(lines, "Accept").size(), 1u);
    EXPECT_EQ(LinesNamed(lines, "Cookie").size(), 0u);
    EXPECT_EQ(responseHeaders.rfind("HTTP/1.1 200 OK\r\n", 0), 0u) << responseHeaders;
}

TEST_F(HttpRequestTest, CallerAgentIsSentOnce) {
    std::string headers = "User-Agent: Radar-Test/2.0";
    HttpRequest(server.Url("/agent"), 0, {}, nullptr, nullptr, &headers);
    const auto lines = RequestHeaderLines(OnlyRequest());
    EXPECT_EQ(LinesNamed(lines, "User-Agent"), std::vector<std::string>{"User-Agent: Radar-Test/2.0"});
    EXPECT_EQ(headers.rfind("User-Agent: Radar-Test/2.0\r\nAccept: */*\r\n", 0), 0u) << headers;
}

TEST_F(HttpRequestTest, MethodNumbersGiveVerbs) {
    const std::pair<int, const char*> cases[] = {{0, "GET"}, {1, "POST"}, {2, "HEAD"}, {5, "GET"}, {-1, "GET"}};
    for (auto [method, verb] : cases) {
        HttpRequest(server.Url("/verb"), method);
    }
    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), std::size(cases));
    for (size_t i = 0; i < requests.size(); ++i) {
        EXPECT_EQ(RequestLine(requests[i]), std::string(cases[i].second) + " /verb HTTP/1.1") << cases[i].first;
    }
}

TEST_F(HttpRequestTest, BodyRules) {
    using namespace std::string_literals;
    struct Case {
        int method;
        std::string postText;
        std::string postBytes;
        std::string sent;
        std::string postBytesAfter;
    } cases[] = {
        {0, "a=1", "", "", ""},                                   // GET sends no body
        {1, "a=1&b=2", "", "a=1&b=2", "a=1&b=2"},                 // the text, also written back
        {1, "ignored", "b\0y\xfft"s, "b\0y\xfft"s, "b\0y\xfft"s}, // bytes take precedence
        {1, "", "", "", ""},                                      // neither: empty body
    };
    for (Case& c : cases) {
        HttpRequest(server.Url("/body"), c.method, c.postText, nullptr, nullptr, nullptr, nullptr, false, &c.postBytes);
        EXPECT_EQ(c.postBytes, c.postBytesAfter) << c.postText;
    }
    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), std::size(cases));
    for (size_t i = 0; i < requests.size(); ++i) {
        SCOPED_TRACE(cases[i].postText);
        EXPECT_EQ(RequestBodyOf(requests[i]), cases[i].sent);
        auto length = LinesNamed(RequestHeaderLines(requests[i]), "Content-Length");
        if (cases[i].method == 1) {
            EXPECT_EQ(length, std::vector<std::string>{"Content-Length: " + std::to_string(cases[i].sent.size())});
        }
    }
}

TEST_F(HttpRequestTest, AcceptRuleIsCaseSensitive) {
    std::string upper = "Accept: text/html";
    HttpRequest(server.Url("/accept"), 0, {}, nullptr, nullptr, &upper);
    std::string lower = "accept: text/html";
    HttpRequest(server.Url("/accept"), 0, {}, nullptr, nullptr, &lower);

    EXPECT_EQ(SplitLines(upper)[0], "Accept: text/html");
    EXPECT_EQ(CountLines(SplitLines(upper), "Accept: */*"), 0u);
    EXPECT_EQ(SplitLines(lower)[0], "accept: text/html");
    EXPECT_EQ(SplitLines(lower)[1], "Accept: */*");

    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(LinesNamed(RequestHeaderLines(requests[0]), "Accept"), std::vector<std::string>{"Accept: text/html"});
}

TEST_F(HttpRequestTest, SetCookieOfMixedCaseIsReturned) {
    server.Answer(RecordingHttpServer::Response("200 OK", "Set-Cookie: a=1; path=/sc\r\nset-cookie: b=2\r\n", "x"));
    server.Answer(RecordingHttpServer::Response("200 OK", "", "y"));
    std::string returned = "stale", responseHeaders;
    HttpRequest(server.Url("/sc/one"), 0, {}, nullptr, &returned, nullptr, &responseHeaders);
    EXPECT_EQ(returned, "a=1; b=2");
    EXPECT_NE(responseHeaders.find("\r\nSet-Cookie: b=2\r\n"), std::string::npos) << responseHeaders;
    EXPECT_EQ(responseHeaders.find("set-cookie"), std::string::npos) << responseHeaders;

    HttpRequest(server.Url("/other"), 0, {}, nullptr, &returned);
    EXPECT_EQ(returned, "");
}

TEST_F(HttpRequestTest, OwnCookiesAreSentAndMerged) {
    server.Answer(RecordingHttpServer::Response("200 OK", "Set-Cookie: a=9; path=/own\r\nSet-Cookie: b=2\r\n", ""));
    server.Answer(RecordingHttpServer::Response("200 OK", "Set-Cookie: c=deleted; path=/own\r\n", ""));
    std::string cookies = "a=1; c=3", returned;
    HttpRequest(server.Url("/own/1"), 0, {}, &cookies, &returned);
    EXPECT_EQ(cookies, "a=9; b=2; c=3");
    EXPECT_EQ(returned, "a=9;b=2"); // the merge takes the spaces out

    cookies = "a=1; c=3";
    HttpRequest(server.Url("/own/2"), 0, {}, &cookies, &returned);
    EXPECT_EQ(cookies, "a=1");

    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(LinesNamed(RequestHeaderLines(requests[0]), "Cookie"), std::vector<std::string>{"Cookie: a=1; c=3"});
    EXPECT_EQ(LinesNamed(RequestHeaderLines(requests[1]), "Cookie"), std::vector<std::string>{"Cookie: a=1; c=3"});
}

TEST_F(HttpRequestTest, WinInetKeepsCookiesOnlyWhenNoCookieTextIsPassed) {
    server.Answer(RecordingHttpServer::Response("200 OK", "Set-Cookie: jar=1; path=/jar\r\n", ""));
    HttpRequest(server.Url("/jar/set"));
    HttpRequest(server.Url("/jar/get"));
    std::string cookies;
    HttpRequest(server.Url("/jar/get"), 0, {}, &cookies);

    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(LinesNamed(RequestHeaderLines(requests[1]), "Cookie"), std::vector<std::string>{"Cookie: jar=1"});
    EXPECT_EQ(LinesNamed(RequestHeaderLines(requests[2]), "Cookie").size(), 0u);
}

TEST_F(HttpRequestTest, RedirectsFollowedUnlessSwitchedOff) {
    const std::string location = "Location: " + server.Url("/target") + "\r\n";
    server.Answer(RecordingHttpServer::Response("302 Found", location, "moved"));
    server.Answer(RecordingHttpServer::Response("200 OK", "", "arrived"));
    EXPECT_EQ(HttpRequest(server.Url("/from")), "arrived");

    server.Answer(RecordingHttpServer::Response("302 Found", location, "moved"));
    std::string responseHeaders;
    EXPECT_EQ(HttpRequest(server.Url("/from"), 0, {}, nullptr, nullptr, nullptr, &responseHeaders, true), "moved");
    EXPECT_EQ(responseHeaders.rfind("HTTP/1.1 302 Found\r\n", 0), 0u) << responseHeaders;

    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(RequestLine(requests[0]), "GET /from HTTP/1.1");
    EXPECT_EQ(RequestLine(requests[1]), "GET /target HTTP/1.1");
    EXPECT_EQ(RequestLine(requests[2]), "GET /from HTTP/1.1");
}

TEST_F(HttpRequestTest, UrlWithoutSchemeIsPlainHttp) {
    server.Answer(RecordingHttpServer::Response("200 OK", "", "ok"));
    const std::string url = "127.0.0.1:" + std::to_string(server.Port()) + "/a?b=c";
    EXPECT_EQ(HttpRequest(url), "ok");
    EXPECT_EQ(RequestLine(OnlyRequest()), "GET /a?b=c HTTP/1.1");
}

TEST_F(HttpRequestTest, PlainHttpThroughProxy) {
    server.Answer(RecordingHttpServer::Response("200 OK", "", "via proxy"));
    const std::string proxy = "127.0.0.1:" + std::to_string(server.Port());
    std::string body =
        HttpRequest("http://127.0.0.1:9/feed?x=1", 0, {}, nullptr, nullptr, nullptr, nullptr, false, nullptr, proxy);
    EXPECT_EQ(body, "via proxy");
    EXPECT_EQ(RequestLine(OnlyRequest()), "GET http://127.0.0.1:9/feed?x=1 HTTP/1.1");
}

TEST_F(HttpRequestTest, SecureUrlThroughProxyAsksForTunnel) {
    server.Answer(RecordingHttpServer::Response("502 Bad Gateway", "", ""));
    const std::string proxy = "127.0.0.1:" + std::to_string(server.Port());
    std::string body =
        HttpRequest("https://127.0.0.1:9/s", 0, {}, nullptr, nullptr, nullptr, nullptr, false, nullptr, proxy);
    EXPECT_EQ(body, "");
    EXPECT_EQ(RequestLine(OnlyRequest()), "CONNECT 127.0.0.1:9 HTTP/1.1");
}

TEST_F(HttpRequestTest, RefusedConnection) {
    const std::string url = "http://127.0.0.1:" + std::to_string(test::UnusedLoopbackPort()) + "/gone";
    std::string cookies = "a=1; b=2", returned = "stale", headers, responseHeaders = "stale";
    std::string body = HttpRequest(url, 0, {}, &cookies, &returned, &headers, &responseHeaders);
    EXPECT_EQ(body, "");
    // The request was opened, so the block and the cookie texts are processed as usual.
    EXPECT_EQ(headers.rfind("Accept: */*\r\nReferer: " + url + "\r\n", 0), 0u) << headers;
    EXPECT_EQ(responseHeaders, "");
    EXPECT_EQ(returned, "");
    EXPECT_EQ(cookies, "a=1; b=2");
}

TEST_F(HttpRequestTest, FailureBeforeRequestLeavesTextsUntouched) {
    const char* urls[] = {"http://127.0.0.1:70000/x", "http:///x"};
    for (const char* url : urls) {
        SCOPED_TRACE(url);
        std::string cookies = "a=1", returned = "r", headers = "X-Keep: 1", responseHeaders = "h", bytes;
        EXPECT_EQ(HttpRequest(url, 1, "p=1", &cookies, &returned, &headers, &responseHeaders, false, &bytes), "");
        EXPECT_EQ(cookies, "a=1");
        EXPECT_EQ(returned, "r");
        EXPECT_EQ(headers, "X-Keep: 1");
        EXPECT_EQ(responseHeaders, "h");
        EXPECT_EQ(bytes, "");
    }
    EXPECT_TRUE(server.Requests().empty());
}

TEST_F(HttpRequestTest, LongHeaderBlockIsReadWhole) {
    std::string lines;
    for (int i = 0; i < 150; ++i)
        lines += "Set-Cookie: cookie" + std::to_string(i) + "=value; path=/long\r\n";
    lines += "Set-Cookie: last=1; path=/long\r\n";
    server.Answer(RecordingHttpServer::Response("200 OK", lines, "body"));
    std::string returned, responseHeaders;
    EXPECT_EQ(HttpRequest(server.Url("/long"), 0, {}, nullptr, &returned, nullptr, &responseHeaders), "body");
    EXPECT_GT(responseHeaders.size(), 5000u);
    EXPECT_EQ(returned.rfind("cookie0=value; cookie1=value; ", 0), 0u);
    EXPECT_TRUE(returned.ends_with("; cookie149=value; last=1")) << returned.substr(returned.size() - 60);
}

TEST_F(HttpRequestTest, FetchUrlReturnsBody) {
    server.Answer(RecordingHttpServer::Response("200 OK", "", "公告：测试-1"));
    EXPECT_EQ(FetchUrl(server.Url("/feed?uin=1")), "公告：测试-1");
    const std::string raw = OnlyRequest();
    EXPECT_EQ(RequestLine(raw), "GET /feed?uin=1 HTTP/1.1");
    EXPECT_EQ(LinesNamed(RequestHeaderLines(raw), "User-Agent"),
              std::vector<std::string>{std::string("User-Agent: ") + kFetchUserAgent});
}

TEST_F(HttpRequestTest, FetchUrlOfRefusedHostIsEmpty) {
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(FetchUrl("http://127.0.0.1:" + std::to_string(test::UnusedLoopbackPort()) + "/feed"), "");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(kFetchConnectTimeoutMs) + 2s);
}

TEST_F(HttpRequestTest, FetchUrlGivesUpOnSilentHost) {
    server.AnswerNothing();
    const FetchTimeouts timeouts{1000, 700};
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(FetchUrl(server.Url("/silent"), timeouts), "");
    auto took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(took, std::chrono::milliseconds(timeouts.receiveMs) + 2s);
    EXPECT_TRUE(server.WaitForRequests(1, 1s));
}

} // namespace
} // namespace radar
