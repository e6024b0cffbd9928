#include "tracking/courier_query.h"

#include "tracking/service_pages.h"
#include "tracking/service_sites.h"
#include "web/http_request.h"
#include "web/http_request_waiting.h"
#include "web/regex_object.h"
#include "web/text_utils.h"
#include "win/message_pump.h"

namespace radar {

namespace {
constexpr int kGet = 0;
constexpr int kPost = 1;
} // namespace

void LoadCourierList(CourierDirectory& couriers) {
    RegexObject regex;
    ProcessPendingMessages();
    const std::string page = Utf8ToGbk(TextFromBytes(HttpRequest(CourierListUrl(CurrentServiceSites()), kGet)));
    std::vector<CourierEntry> entries;
    if (!page.empty() && regex.Create(kCourierListPattern, page)) {
        const int count = regex.MatchCount();
        entries.reserve(static_cast<size_t>(count));
        for (int i = 1; i <= count; ++i)
            entries.push_back({regex.SubMatchText(i, 1), regex.SubMatchText(i, 2)});
    }
    couriers.Replace(entries);
}

void QueryNumber(std::string_view number, RegexObject& regex, std::vector<std::string>& rowCourierCodes,
                 const std::function<bool()>& keepWaiting) {
    const ServiceSites sites = CurrentServiceSites();
    const std::string detection =
        Utf8ToGbk(TextFromBytes(HttpRequestProcessingMessages(DetectionUrl(sites, number), kPost, keepWaiting)));
    regex.Create(kDetectionPattern, detection);
    std::string historyPage;
    const int detected = regex.MatchCount();
    for (int j = 1; j <= detected; ++j) {
        const std::string code = regex.SubMatchText(j, 1);
        rowCourierCodes.push_back(code + "\r\n");
        historyPage =
            Utf8ToGbk(TextFromBytes(HttpRequestProcessingMessages(HistoryUrl(sites, code, number), kGet, keepWaiting)));
        ProcessPendingMessages();
    }
    if (detected == 0) rowCourierCodes.push_back(std::string());
    regex.Create(kHistoryPattern, historyPage);
}

} // namespace radar
