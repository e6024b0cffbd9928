#include "web/http_rules.h"

#include <gtest/gtest.h>

namespace radar {
namespace {

struct UrlCase {
    const char* url;
    const char* host;
    const char* hostWithPort;
    int port;
    const char* path;
};

TEST(UrlParts, SplitsHostPortAndPath) {
    const UrlCase cases[] = {
        {"HTTP://SERVER:81/x?y=1", "server", "server:81", 81, "/x?y=1"},
        {"https://Example.com/a/b", "example.com", "example.com", 443, "/a/b"},
        {"http://example.com/a", "example.com", "example.com", 80, "/a"},
        {"http://example.com", "example.com", "example.com", 80, "/"}, // no path
        {"https://example.com?q=1", "example.com?q=1", "example.com?q=1", 443, "/"},
        {"SERVER/a", "server", "server", 80, "/a"}, // no scheme
        {"server:8080/feed?a=b", "server", "server:8080", 8080, "/feed?a=b"},
        {"https://host:8443", "host", "host:8443", 8443, "/"},
        {"http://127.0.0.1:5000/p", "127.0.0.1", "127.0.0.1:5000", 5000, "/p"},
        // A host that also occurs inside the scheme is still found after it.
        {"http://h/x", "h", "h", 80, "/x"},
        {"https://s:1/y", "s", "s:1", 1, "/y"},
        // Without a scheme, an "http://" in the query does not make a second host.
        {"server/a?u=http://other/b", "server", "server", 80, "/a?u=http://other/b"},
        {"http://server:/x", "server", "server:", 0, "/x"}, // empty port
    };
    for (const UrlCase& c : cases) {
        SCOPED_TRACE(c.url);
        EXPECT_EQ(UrlHost(c.url), c.host);
        EXPECT_EQ(UrlHost(c.url, true), c.hostWithPort);
        EXPECT_EQ(UrlPort(c.url), c.port);
        EXPECT_EQ(UrlPath(c.url), c.path);
    }
}

TEST(UrlParts, LowerCasesOnlyAsciiLetters) {
    // C4 41 is one GBK character whose trail byte is the code of 'A': it must stay as it is.
    EXPECT_EQ(UrlHost("http://AB\xC4\x41Z/x"), "ab\xC4\x41z");
}

TEST(UrlParts, PortIsSaturatedNotWrapped) {
    EXPECT_GT(UrlPort("http://h:99999999999/"), 65535);
}

TEST(HeaderValue, TakesTrimmedTextAfterFirstColon) {
    const std::pair<const char*, const char*> cases[] = {
        {"Host: example.com", "example.com"},
        {"Location:  http://a/b ", "http://a/b"}, // only the first colon splits
        {"NoColon", ""},
        {"Empty:", ""},
        {"X: \xA1\xA1value\xA1\xA1", "value"}, // full-width spaces trimmed
        {"X: a\t", "a\t"},                     // a tab is not a space
    };
    for (auto [header, value] : cases)
        EXPECT_EQ(HeaderValue(header), value) << header;
}

TEST(CookieName, IsTrimmedTextBeforeFirstEquals) {
    const std::pair<const char*, const char*> cases[] = {
        {"a=1", "a"}, {" sid = x=y", "sid"}, {"  flag ", "flag"}, {"=v", ""}, {"", ""},
    };
    for (auto [item, name] : cases)
        EXPECT_EQ(CookieName(item), name) << item;
}

TEST(RequestRules, MethodVerbs) {
    const std::pair<int, const char*> cases[] = {{0, "GET"}, {1, "POST"}, {2, "HEAD"},
                                                 {3, "GET"}, {5, "GET"},  {-1, "GET"}};
    for (auto [method, verb] : cases)
        EXPECT_STREQ(MethodVerb(method), verb) << method;
}

TEST(RequestRules, SecureUrl) {
    EXPECT_TRUE(IsSecureUrl("https://a/"));
    EXPECT_TRUE(IsSecureUrl("HTTPS://a/"));
    EXPECT_FALSE(IsSecureUrl("http://a/"));
    EXPECT_FALSE(IsSecureUrl("http"));
    EXPECT_FALSE(IsSecureUrl(""));
}

TEST(RequestRules, Flags) {
    EXPECT_EQ(RequestFlags(false, false, false), 0x80004010u); // plain GET
    EXPECT_EQ(RequestFlags(false, false, true), 0x80800010u);  // secure GET
    EXPECT_EQ(RequestFlags(true, false, false), 0x80084010u);
    EXPECT_EQ(RequestFlags(false, true, false), 0x80204010u);
    EXPECT_EQ(RequestFlags(true, true, true), 0x80a80010u);
}

TEST(RequestRules, ProxyName) {
    EXPECT_EQ(ProxyName("10.0.0.1:81", false), "http=10.0.0.1:81");
    EXPECT_EQ(ProxyName("10.0.0.1:81", true), "10.0.0.1:81");
}

TEST(RequestRules, UserAgent) {
    const std::pair<const char*, const char*> cases[] = {
        {"", kDefaultUserAgent},
        {"Accept: text/html", kDefaultUserAgent},
        {"User-Agent: Mine/1.0\r\nAccept: a", "Mine/1.0"},
        {"User-Agent: Mine/1.0", "Mine/1.0"},                // the only line
        {"Accept: a\r\nUser-Agent:  Mine/1.0 ", "Mine/1.0"}, // the last line
        {"Accept: a\r\nuser-agent: mine\r\nX: y", "mine"},   // any case
        {"User-Agent: \r\nAccept: a", kDefaultUserAgent},    // empty value
    };
    for (auto [headers, agent] : cases)
        EXPECT_EQ(RequestUserAgent(headers), agent) << headers;
}

TEST(HeaderBlock, BuiltInOrder) {
    const std::string url = "http://Server/a?b=1";
    struct Case {
        const char* headers;
        const char* cookies;
        std::string block;
    } cases[] = {
        {"", "",
         "Accept: */*\r\nReferer: http://Server/a?b=1\r\nAccept-Language: zh-cn\r\n"
         "Content-Type: application/x-www-form-urlencoded"},
        // An Accept line of the caller is kept and not doubled.
        {"Accept: text/html", "",
         "Accept: text/html\r\nReferer: http://Server/a?b=1\r\nAccept-Language: zh-cn\r\n"
         "Content-Type: application/x-www-form-urlencoded"},
        // The tests are case-sensitive: a lower-case accept gets the default line too.
        {"accept: text/html", "",
         "accept: text/html\r\nAccept: */*\r\nReferer: http://Server/a?b=1\r\nAccept-Language: zh-cn\r\n"
         "Content-Type: application/x-www-form-urlencoded"},
        // The caller's own Referer, Accept-Language and Content-Type replace the defaults.
        {"Referer: r\r\nAccept-Language: en\r\nContent-Type: text/plain", "",
         "Referer: r\r\nAccept-Language: en\r\nContent-Type: text/plain\r\nAccept: */*"},
        // Cookies come last, even next to a Cookie line of the caller.
        {"Cookie: x=1", "a=1; b=2",
         "Cookie: x=1\r\nAccept: */*\r\nReferer: http://Server/a?b=1\r\nAccept-Language: zh-cn\r\n"
         "Content-Type: application/x-www-form-urlencoded\r\nCookie: a=1; b=2"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BuildHeaderBlock(c.headers, url, c.cookies), c.block) << c.headers;
}

TEST(RequestBody, FollowsVerbAndPrecedence) {
    using namespace std::string_literals;
    struct Case {
        const char* verb;
        std::string postText;
        std::string postBytes;
        std::string body;
        std::string postBytesAfter;
    } cases[] = {
        {"GET", "a=1", "", "", ""},                     // GET sends none
        {"GET", "", "raw", "", "raw"},                  // not even given bytes
        {"POST", "a=1&b=2", "", "a=1&b=2", "a=1&b=2"},  // the text, written back
        {"POST", "ignored", "r\0w"s, "r\0w"s, "r\0w"s}, // bytes first, zero bytes kept
        {"POST", "", "", "", ""},                       // empty body
        {"HEAD", "h=1", "", "h=1", "h=1"},
    };
    for (Case& c : cases) {
        std::string bytes = c.postBytes;
        EXPECT_EQ(RequestBody(c.verb, c.postText, bytes), c.body) << c.verb << " " << c.postText;
        EXPECT_EQ(bytes, c.postBytesAfter) << c.verb << " " << c.postText;
    }
}

TEST(ResponseCookies, SetCookieOfAnyCaseIsNormalized) {
    EXPECT_EQ(NormalizeSetCookie("HTTP/1.1 200 OK\r\nset-cookie: b=2\r\nSET-COOKIE: c=3\r\nsEt-CoOkIe: d\r\n"),
              "HTTP/1.1 200 OK\r\nSet-Cookie: b=2\r\nSet-Cookie: c=3\r\nSet-Cookie: d\r\n");
    EXPECT_EQ(NormalizeSetCookie("X-Other: set-cookies-here"), "X-Other: Set-Cookies-here");
}

TEST(ResponseCookies, ValuesOfSetCookieLines) {
    const std::pair<const char*, const char*> cases[] = {
        {"HTTP/1.1 200 OK\r\nSet-Cookie: a=1; path=/\r\nSet-Cookie: b=2\r\n\r\n", "a=1; b=2"},
        {"HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n", ""},
        {"", ""},
        {"HTTP/1.1 200 OK\r\nSet-Cookie:  sid=abc ; HttpOnly\r\nSet-Cookie:x=y\r\n", "sid=abc; x=y"},
        {"Set-Cookie: gone=deleted; expires=Thu, 01 Jan 1970 00:00:00 GMT", "gone=deleted"},
    };
    for (auto [headers, cookies] : cases)
        EXPECT_EQ(ReturnedCookies(headers), cookies) << headers;
}

TEST(ResponseCookies, MixedCaseHeadersThroughBothSteps) {
    std::string raw = "HTTP/1.1 200 OK\r\nSet-Cookie: a=1; path=/\r\nset-cookie: b=2\r\n\r\n";
    EXPECT_EQ(ReturnedCookies(NormalizeSetCookie(raw)), "a=1; b=2");
}

TEST(CookieLists, HasCookieNameAndIndexOfText) {
    const std::vector<std::string> items = {"a=1", " b =2", "c"};
    EXPECT_TRUE(HasCookieName(items, "a"));
    EXPECT_TRUE(HasCookieName(items, "b"));
    EXPECT_TRUE(HasCookieName(items, "c"));
    EXPECT_FALSE(HasCookieName(items, "A"));
    EXPECT_FALSE(HasCookieName({}, "a"));
    EXPECT_EQ(IndexOfText(items, "a=1"), 1);
    EXPECT_EQ(IndexOfText(items, "c"), 3);
    EXPECT_EQ(IndexOfText(items, "b=2"), -1);
    EXPECT_EQ(IndexOfText({}, ""), -1);
}

TEST(CookieLists, JoinDistinctKeepsFirstAppearance) {
    const std::pair<const char*, const char*> cases[] = {
        {"a=1; b=2; a=1; c=3; b=2", "a=1; b=2; c=3"},
        {"a=1; A=1", "a=1; A=1"}, // exact comparison
        {"", ""},
        {"x", "x"},
    };
    for (auto [text, joined] : cases)
        EXPECT_EQ(JoinDistinct(text, "; "), joined) << text;
}

TEST(MergeCookies, ResponseFirstThenOldOnesNotSetAgain) {
    struct Case {
        const char* oldText;
        const char* newText;
        const char* merged;
        const char* newAfter;
    } cases[] = {
        {"a=1; c=3", "a=9; b=2", "a=9; b=2; c=3", "a=9;b=2"},
        {"a=1; c=3", "c=deleted", "a=1", "c=deleted"}, // deleted by the server
        {"", "a=1; b=2", "a=1; b=2", "a=1;b=2"},
        {"a=1; b=2", "", "a=1; b=2", ""},
        {"", "", "", ""},
        {"a=1; a=2; b=3", "", "a=1; b=3", ""},      // of one name the first old item survives
        {"a = 1 ;b=2", "b = 5", "b=5; a=1", "b=5"}, // spaces removed everywhere
        {"a=1", "x=1; x=1", "x=1; a=1", "x=1;x=1"}, // duplicates joined once
        {"k=\xA1\xA1v", "", "k=v", ""},             // full-width spaces too
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.oldText) + " + " + c.newText);
        std::string oldText = c.oldText, newText = c.newText;
        EXPECT_EQ(MergeCookies(oldText, newText), c.merged);
        EXPECT_EQ(oldText, c.merged);
        EXPECT_EQ(newText, c.newAfter);
    }
}

} // namespace
} // namespace radar
