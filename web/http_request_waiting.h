#pragma once
// A request of the user-interface thread that does not freeze its window: the request runs on a
// helper thread while this thread keeps processing its messages (painting, timers, clicks).
#include <functional>
#include <string>
#include <string_view>

namespace radar {

// HttpRequest(url, method) on a helper thread; returns its body. keepWaiting is asked after
// each round of messages: when it says no (the window that wanted the answer is gone), the
// call returns the empty buffer at once and the helper thread ends on its own later.
std::string HttpRequestProcessingMessages(std::string_view url, int method,
                                          const std::function<bool()>& keepWaiting = {});

} // namespace radar
