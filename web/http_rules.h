#pragma once
// The parts of the HTTP request that need no network: URL splitting, the request's verb, agent,
// flags, header block and body, and the cookie texts of the response. Portable, so they are
// tested natively too. Texts are GBK bytes; HTTP headers and URLs are ASCII in practice.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace radar {

inline constexpr char kDefaultUserAgent[] = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";
inline constexpr char kHttpVersion[] = "HTTP/1.1";
inline constexpr char kPlainHttpProxyPrefix[] = "http=";

// WinInet's request flags, by value, so the flag rule can be checked without WinInet.
inline constexpr std::uint32_t kFlagReload = 0x80000000u;
inline constexpr std::uint32_t kFlagNeedFile = 0x00000010u;
inline constexpr std::uint32_t kFlagNoCookies = 0x00080000u;
inline constexpr std::uint32_t kFlagNoAutoRedirect = 0x00200000u;
inline constexpr std::uint32_t kFlagSecure = 0x00800000u;
inline constexpr std::uint32_t kFlagIgnoreRedirectToHttps = 0x00004000u;

// Host in lower case, with ":port" when keepPort is set and the URL names a port.
std::string UrlHost(std::string_view url, bool keepPort = false);
// The URL's port, or 443 for https and 80 otherwise when it names none.
int UrlPort(std::string_view url);
// Path with query; "/" when the URL has none.
std::string UrlPath(std::string_view url);

// The trimmed text after the first ':' of a header line; empty without a colon.
std::string HeaderValue(std::string_view header);
// Name of one cookie item "name=value": the trimmed text before the first '='.
std::string CookieName(std::string_view item);

// 0 "GET", 1 "POST", 2 "HEAD"; anything else "GET".
const char* MethodVerb(int method);
// The first five characters, lower-cased, are "https".
bool IsSecureUrl(std::string_view url);
// The caller's User-Agent line when the header text has one, else the default agent.
std::string RequestUserAgent(std::string_view headers);
std::uint32_t RequestFlags(bool ownCookies, bool noRedirect, bool secure);
// Proxy name for WinInet: plain HTTP URLs take the proxy as "http=host:port".
std::string ProxyName(std::string_view proxy, bool secure);
// The header block sent with every request, without a trailing CR LF.
std::string BuildHeaderBlock(std::string_view headers, std::string_view url, std::string_view cookies);
// The request body for a verb. A body taken from postText is also written into postBytes.
std::string RequestBody(std::string_view verb, std::string_view postText, std::string& postBytes);

// Writes every "Set-Cookie" of the raw response headers, in any mix of case, as "Set-Cookie".
std::string NormalizeSetCookie(std::string_view responseHeaders);
// The cookies that the (normalized) response headers set, as "name=value; name2=value2".
std::string ReturnedCookies(std::string_view responseHeaders);

// List routines of MergeCookies.
bool HasCookieName(const std::vector<std::string>& items, std::string_view name);
// 1-based place of text in the list, -1 when absent.
int IndexOfText(const std::vector<std::string>& items, std::string_view text);
// Splits text at the separator and joins the distinct pieces, in the order first seen.
std::string JoinDistinct(std::string_view text, std::string_view separator);

// Merges the response's cookies into the caller's: both come back without spaces; the merged
// text lists the new cookies first, then the old ones not set again, without deleted ones.
// It is stored in oldCookies and returned.
std::string MergeCookies(std::string& oldCookies, std::string& newCookies);

} // namespace radar
