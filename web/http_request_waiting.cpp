#include "web/http_request_waiting.h"

#include <windows.h>

#include <memory>

#include "web/http_request.h"
#include "win/handle.h"
#include "win/message_pump.h"

namespace radar {

namespace {

// Shared by the waiting thread and the helper: whichever lets go last frees it.
struct PendingRequest {
    std::string url;
    int method = 0;
    std::string body;
    KernelHandle done;
};

DWORD WINAPI RequestThread(void* parameter) {
    auto* held = static_cast<std::shared_ptr<PendingRequest>*>(parameter);
    std::shared_ptr<PendingRequest> request = std::move(*held);
    delete held;
    try {
        request->body = HttpRequest(request->url, request->method);
    } catch (...) {
        request->body.clear(); // out of memory: an unusable answer, as a failed request
    }
    SetEvent(request->done.Get());
    return 0;
}

} // namespace

std::string HttpRequestProcessingMessages(std::string_view url, int method, const std::function<bool()>& keepWaiting) {
    auto request = std::make_shared<PendingRequest>();
    request->url = std::string(url);
    request->method = method;
    request->done.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!request->done) return HttpRequest(url, method);

    auto* handedOver = new std::shared_ptr<PendingRequest>(request);
    KernelHandle thread(CreateThread(nullptr, 0, RequestThread, handedOver, 0, nullptr));
    if (!thread) {
        delete handedOver;
        return HttpRequest(url, method);
    }
    HANDLE done = request->done.Get();
    for (;;) {
        DWORD woke = MsgWaitForMultipleObjectsEx(1, &done, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woke == WAIT_OBJECT_0) return std::move(request->body);
        ProcessPendingMessages();
        if (WaitForSingleObject(done, 0) == WAIT_OBJECT_0) return std::move(request->body);
        if (keepWaiting && !keepWaiting()) return {};
    }
}

} // namespace radar
