#pragma once
// The synchronous HTTP client over WinInet that every page of the tracking service is read with,
// and the plain fetch of the notice feed. Texts are GBK; bodies are byte buffers in std::string.
#include <string>
#include <string_view>

#include "web/http_rules.h"

namespace radar {

// Sends one request and returns the whole response body; the empty buffer when no request could
// be sent. Every argument but the url may be left out (nullptr for the in-out and out texts).
//   cookies: passing it, even empty, switches WinInet's cookie handling off; the routine then
//            sends it as the Cookie line and afterwards stores in it the merged cookies.
//   returnedCookies: the cookies the response set, "name=value; name2=value2".
//   headers: extra request lines separated by CR LF; afterwards the full block that was sent.
//   responseHeaders: the raw response header block.
//   postBytes: the body, taking precedence over postText; receives postText when it was empty.
//   proxy: "host:port"; empty means a direct connection.
std::string HttpRequest(std::string_view url, int method = 0, std::string_view postText = {},
                        std::string* cookies = nullptr, std::string* returnedCookies = nullptr,
                        std::string* headers = nullptr, std::string* responseHeaders = nullptr, bool noRedirect = false,
                        std::string* postBytes = nullptr, std::string_view proxy = {});

// A feed host that cannot be reached must not hold the caller (the main window's creation) for
// long, so the plain fetch waits only this long to connect and for each answer.
inline constexpr unsigned kFetchConnectTimeoutMs = 5000;
inline constexpr unsigned kFetchReceiveTimeoutMs = 5000;
inline constexpr char kFetchUserAgent[] = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";

struct FetchTimeouts {
    unsigned connectMs = kFetchConnectTimeoutMs;
    unsigned receiveMs = kFetchReceiveTimeoutMs;
};

// A plain GET of url: the whole response body, or the empty buffer when no complete response could
// be read (no connection, a time-out, a broken transfer).
std::string FetchUrl(std::string_view url, FetchTimeouts timeouts = {});

} // namespace radar
