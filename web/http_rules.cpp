#include "web/http_rules.h"

#include <cstddef>
#include <utility>

#include "web/text_utils.h"

namespace radar {

namespace {

// Length of the GBK character that starts at text[i]: a lead byte of 0x80 or more takes its trail.
size_t CharLength(std::string_view text, size_t i) {
    return static_cast<unsigned char>(text[i]) >= 0x80 && i + 1 < text.size() ? 2 : 1;
}

// Lower-cases ASCII letters, leaving the trail bytes of GBK characters alone.
std::string ToLowerAscii(std::string_view text) {
    std::string out(text);
    for (size_t i = 0; i < out.size(); i += CharLength(out, i)) {
        if (out[i] >= 'A' && out[i] <= 'Z') out[i] = static_cast<char>(out[i] - 'A' + 'a');
    }
    return out;
}

bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && FindText(text.substr(0, prefix.size()), prefix, 1, true) == 1;
}

// Leading decimal digits as a number, saturated well above the largest port.
int LeadingNumber(std::string_view text) {
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        value = value * 10 + (c - '0');
        if (value > 1000000) return 1000000;
    }
    return value;
}

// 1-based position where the host starts: after the scheme when the URL has one.
int HostStart(std::string_view url) {
    if (StartsWithIgnoreCase(url, "https://")) return 9;
    if (StartsWithIgnoreCase(url, "http://")) return 8;
    return 1;
}

} // namespace

std::string UrlHost(std::string_view url, bool keepPort) {
    std::string lower = ToLowerAscii(url);
    if (lower.empty() || lower.back() != '/') lower += '/';
    std::string_view scheme = "https://";
    if (!lower.starts_with(scheme)) {
        scheme = "http://";
        // Only a scheme at the start counts: a URL without one may still carry "http://" in its query.
        if (!lower.starts_with(scheme)) lower.insert(0, scheme);
    }
    std::string host = TextBetweenAt(lower, scheme, "/");
    if (!keepPort) {
        int colon = FindText(host, ":");
        if (colon > 0) host.resize(static_cast<size_t>(colon - 1));
    }
    return host;
}

int UrlPort(std::string_view url) {
    std::string host = UrlHost(url, true);
    int colon = FindLastText(host, ":");
    if (colon > 0) return LeadingNumber(std::string_view(host).substr(static_cast<size_t>(colon)));
    return IsSecureUrl(url) ? 443 : 80;
}

std::string UrlPath(std::string_view url) {
    // The host is searched after the scheme, so that a host such as "h" or "s" is not found inside
    // "https://" itself.
    int from = HostStart(url);
    int at = FindText(url, UrlHost(url), from, true);
    int slash = FindText(url, "/", at > 0 ? at : from);
    if (slash < 0) return "/";
    return std::string(url.substr(static_cast<size_t>(slash - 1)));
}

std::string HeaderValue(std::string_view header) {
    int colon = FindText(header, ":");
    if (colon < 0) return {};
    return TrimText(header.substr(static_cast<size_t>(colon)));
}

std::string CookieName(std::string_view item) {
    int eq = FindText(item, "=");
    return TrimText(eq < 0 ? item : item.substr(0, static_cast<size_t>(eq - 1)));
}

const char* MethodVerb(int method) {
    switch (method) {
    case 1:
        return "POST";
    case 2:
        return "HEAD";
    default:
        return "GET";
    }
}

bool IsSecureUrl(std::string_view url) {
    return StartsWithIgnoreCase(url, "https");
}

std::string RequestUserAgent(std::string_view headers) {
    constexpr std::string_view kName = "User-Agent:";
    int at = FindText(headers, kName, 1, true);
    if (at < 0) return kDefaultUserAgent;
    // The value runs to the end of its own line, whatever case the name is written in and whether
    // or not the line is the last one.
    std::string_view rest = headers.substr(static_cast<size_t>(at - 1) + kName.size());
    int end = FindText(rest, "\r\n");
    std::string agent = TrimText(end < 0 ? rest : rest.substr(0, static_cast<size_t>(end - 1)));
    return agent.empty() ? std::string(kDefaultUserAgent) : agent;
}

std::uint32_t RequestFlags(bool ownCookies, bool noRedirect, bool secure) {
    std::uint32_t flags = kFlagReload | kFlagNeedFile;
    if (ownCookies) flags |= kFlagNoCookies;
    if (noRedirect) flags |= kFlagNoAutoRedirect;
    flags |= secure ? kFlagSecure : kFlagIgnoreRedirectToHttps;
    return flags;
}

std::string ProxyName(std::string_view proxy, bool secure) {
    if (secure) return std::string(proxy);
    return kPlainHttpProxyPrefix + std::string(proxy);
}

std::string BuildHeaderBlock(std::string_view headers, std::string_view url, std::string_view cookies) {
    std::string block;
    if (headers.empty()) {
        block = "Accept: */*";
    } else {
        block = headers;
        if (!ContainsText(block, "Accept:")) block += "\r\nAccept: */*";
    }
    if (!ContainsText(block, "Referer:")) block.append("\r\nReferer: ").append(url);
    if (!ContainsText(block, "Accept-Language:")) block += "\r\nAccept-Language: zh-cn";
    if (!ContainsText(block, "Content-Type:")) block += "\r\nContent-Type: application/x-www-form-urlencoded";
    if (!cookies.empty()) block.append("\r\nCookie: ").append(cookies);
    return block;
}

std::string RequestBody(std::string_view verb, std::string_view postText, std::string& postBytes) {
    if (verb == "GET") return {};
    if (!postBytes.empty()) return postBytes;
    postBytes = postText;
    return postBytes;
}

std::string NormalizeSetCookie(std::string_view responseHeaders) {
    return ReplaceText(responseHeaders, "Set-Cookie", "Set-Cookie", true);
}

std::string ReturnedCookies(std::string_view responseHeaders) {
    std::string cookies;
    for (const std::string& line : SplitText(responseHeaders, "\r\n")) {
        if (!ContainsText(line, "Set-Cookie")) continue;
        if (!ContainsText(line, ";")) {
            cookies += TrimText(ReplaceText(line, "Set-Cookie:", "", true));
        } else {
            cookies += TrimText(TextBetweenAt(line, "Set-Cookie:", ";"));
        }
        cookies += "; ";
    }
    if (cookies.size() >= 2) cookies.resize(cookies.size() - 2);
    return cookies;
}

bool HasCookieName(const std::vector<std::string>& items, std::string_view name) {
    for (const std::string& item : items) {
        if (CookieName(item) == name) return true;
    }
    return false;
}

int IndexOfText(const std::vector<std::string>& items, std::string_view text) {
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i] == text) return static_cast<int>(i) + 1;
    }
    return -1;
}

std::string JoinDistinct(std::string_view text, std::string_view separator) {
    std::vector<std::string> kept;
    for (std::string& piece : SplitText(text, separator)) {
        if (IndexOfText(kept, piece) == -1) kept.push_back(std::move(piece));
    }
    return JoinTexts(kept, separator);
}

std::string MergeCookies(std::string& oldCookies, std::string& newCookies) {
    oldCookies = RemoveSpaces(oldCookies);
    newCookies = RemoveSpaces(newCookies);
    std::vector<std::string> merged = SplitText(newCookies, ";");
    // Appended items count in later tests: of several old items with one name the first survives.
    for (std::string& item : SplitText(oldCookies, ";")) {
        if (!HasCookieName(merged, CookieName(item))) merged.push_back(std::move(item));
    }
    std::string result;
    for (const std::string& item : merged) {
        if (item.ends_with("=deleted")) continue;
        result += item;
        result += "; ";
    }
    if (result.size() >= 2) result.resize(result.size() - 2);
    oldCookies = JoinDistinct(result, "; ");
    return oldCookies;
}

} // namespace radar
