#include "web/http_request.h"

#include <windows.h>
#include <wininet.h>

#include <vector>

#include "win/code_page.h"
#include "win/handle.h"

namespace radar {

static_assert(kFlagReload == INTERNET_FLAG_RELOAD);
static_assert(kFlagNeedFile == INTERNET_FLAG_NEED_FILE);
static_assert(kFlagNoCookies == INTERNET_FLAG_NO_COOKIES);
static_assert(kFlagNoAutoRedirect == INTERNET_FLAG_NO_AUTO_REDIRECT);
static_assert(kFlagSecure == INTERNET_FLAG_SECURE);
static_assert(kFlagIgnoreRedirectToHttps == INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTPS);

namespace {

using InternetHandle = UniqueHandle<PointerHandleTraits<HINTERNET, InternetCloseHandle>>;

constexpr DWORD kReadChunk = 1024;
// First size asked for the raw headers, in characters with the terminating zero.
constexpr DWORD kRawHeaderChars = 5000;

// The whole body, chunk by chunk, until a read gives nothing. ok is false when a read failed.
std::string ReadBody(HINTERNET request, bool& ok) {
    std::string body;
    char chunk[kReadChunk];
    for (;;) {
        DWORD got = 0;
        if (!InternetReadFile(request, chunk, kReadChunk, &got)) {
            ok = false;
            return body;
        }
        if (got == 0) break;
        body.append(chunk, got);
    }
    ok = true;
    return body;
}

// The raw response header block, whole however long it is; empty when there is none.
std::string RawHeaders(HINTERNET request) {
    std::vector<wchar_t> buffer(kRawHeaderChars);
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        if (HttpQueryInfoW(request, HTTP_QUERY_RAW_HEADERS_CRLF, buffer.data(), &bytes, nullptr)) {
            std::string raw = ToGbk(std::wstring_view(buffer.data(), bytes / sizeof(wchar_t)));
            // Without a response Wine still answers, with a bare CR LF; Windows fails the query.
            return raw.starts_with("HTTP/") ? raw : std::string();
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
        // bytes now holds the size needed, in bytes, with the terminating zero.
        buffer.resize(bytes / sizeof(wchar_t) + 1);
    }
    return {};
}

void SetTimeout(HINTERNET handle, DWORD option, DWORD ms) {
    InternetSetOptionW(handle, option, &ms, sizeof(ms));
}

} // namespace

std::string HttpRequest(std::string_view url, int method, std::string_view postText, std::string* cookies,
                        std::string* returnedCookies, std::string* headers, std::string* responseHeaders,
                        bool noRedirect, std::string* postBytes, std::string_view proxy) {
    const std::string verb = MethodVerb(method);
    const bool secure = IsSecureUrl(url);
    const std::string callerHeaders = headers ? *headers : std::string();
    const std::wstring agentW = ToWide(RequestUserAgent(callerHeaders));

    InternetHandle internet;
    if (proxy.empty()) {
        // Direct: the system's configured proxy is not used.
        internet.Reset(InternetOpenW(agentW.c_str(), INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
    } else {
        const std::wstring proxyW = ToWide(ProxyName(proxy, secure));
        internet.Reset(InternetOpenW(agentW.c_str(), INTERNET_OPEN_TYPE_PROXY, proxyW.c_str(), L"", 0));
    }
    if (!internet) return {};

    // A port beyond 16 bits would silently become another port; such a URL cannot be reached.
    const int port = UrlPort(url);
    if (port < 0 || port > 65535) return {};
    InternetHandle connection(InternetConnectW(internet.Get(), ToWide(UrlHost(url)).c_str(),
                                               static_cast<INTERNET_PORT>(port), nullptr, nullptr,
                                               INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) return {};

    const DWORD flags = RequestFlags(cookies != nullptr, noRedirect, secure);
    InternetHandle request(HttpOpenRequestW(connection.Get(), ToWide(verb).c_str(), ToWide(UrlPath(url)).c_str(),
                                            ToWide(kHttpVersion).c_str(), nullptr, nullptr, flags, 0));
    if (!request) return {};

    const std::string block = BuildHeaderBlock(callerHeaders, url, cookies ? *cookies : std::string());
    if (headers) *headers = block;
    std::string ownBytes;
    const std::string body = RequestBody(verb, postText, postBytes ? *postBytes : ownBytes);

    // A failed send is not reported: it shows as an empty body.
    const std::wstring blockW = ToWide(block);
    HttpSendRequestW(request.Get(), blockW.c_str(), static_cast<DWORD>(blockW.size()),
                     body.empty() ? nullptr : const_cast<char*>(body.data()), static_cast<DWORD>(body.size()));
    bool complete = false;
    std::string response = ReadBody(request.Get(), complete);
    const std::string raw = NormalizeSetCookie(RawHeaders(request.Get()));
    if (responseHeaders) *responseHeaders = raw;

    request.Reset();
    connection.Reset();
    internet.Reset();

    std::string returned = ReturnedCookies(raw);
    // Merging also takes the spaces out of the returned cookies.
    if (cookies) MergeCookies(*cookies, returned);
    if (returnedCookies) *returnedCookies = returned;
    return response;
}

std::string FetchUrl(std::string_view url, FetchTimeouts timeouts) {
    const std::wstring urlW = ToWide(url);
    URL_COMPONENTSW parts{};
    parts.dwStructSize = sizeof(parts);
    // Non-zero lengths with null pointers: the parts come back as pointers into urlW.
    parts.dwHostNameLength = 1;
    parts.dwUrlPathLength = 1;
    parts.dwExtraInfoLength = 1;
    if (!InternetCrackUrlW(urlW.c_str(), static_cast<DWORD>(urlW.size()), 0, &parts)) return {};
    if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS) return {};
    const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
    std::wstring path(parts.lpszUrlPath ? parts.lpszUrlPath : L"", parts.dwUrlPathLength);
    if (parts.lpszExtraInfo) path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    if (path.empty()) path = L"/";

    InternetHandle internet(
        InternetOpenW(ToWide(kFetchUserAgent).c_str(), INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
    if (!internet) return {};
    DWORD retries = 1;
    InternetSetOptionW(internet.Get(), INTERNET_OPTION_CONNECT_RETRIES, &retries, sizeof(retries));
    InternetHandle connection(
        InternetConnectW(internet.Get(), host.c_str(), parts.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) return {};
    DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_NO_UI;
    if (parts.nScheme == INTERNET_SCHEME_HTTPS) flags |= INTERNET_FLAG_SECURE;
    const wchar_t* accept[] = {L"*/*", nullptr};
    InternetHandle request(
        HttpOpenRequestW(connection.Get(), L"GET", path.c_str(), nullptr, nullptr, accept, flags, 0));
    if (!request) return {};
    // On the request handle: Wine ignores a receive time-out set on the session.
    SetTimeout(request.Get(), INTERNET_OPTION_CONNECT_TIMEOUT, timeouts.connectMs);
    SetTimeout(request.Get(), INTERNET_OPTION_SEND_TIMEOUT, timeouts.receiveMs);
    SetTimeout(request.Get(), INTERNET_OPTION_RECEIVE_TIMEOUT, timeouts.receiveMs);

    // Any failure gives the empty buffer; a time-out shows as 12002 on Windows and as 12030 under
    // Wine, and both end here alike.
    if (!HttpSendRequestW(request.Get(), nullptr, 0, nullptr, 0)) return {};
    bool complete = false;
    std::string body = ReadBody(request.Get(), complete);
    if (!complete) return {};
    return body;
}

} // namespace radar
