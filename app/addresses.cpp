#include "app/addresses.h"

#include "app/build_config.h"
#include "tracking/service_sites.h"

namespace radar {

namespace {
constexpr char kFeedPath[] = "/cgi-bin/cgi_rss_out?uin=";
constexpr char kLocalCounterPath[] = "/counter.html";

struct Addresses {
    std::string feedSite = RADAR_FEED_SITE;
    std::string counterPage = RADAR_COUNTER_PAGE;
};

Addresses& Current() {
    static Addresses addresses;
    return addresses;
}
} // namespace

std::string NoticeFeedAddress() {
    return Current().feedSite + kFeedPath + RADAR_AUTHOR_ACCOUNT;
}

std::string CounterPageAddress() {
    return Current().counterPage;
}

std::string BlogLink() {
    return RADAR_BLOG_LINK;
}

std::string ChatLink() {
    return RADAR_CHAT_LINK;
}

void PointAtService(std::string_view base) {
    PointServiceSitesAt(base);
    const std::string& site = CurrentServiceSites().mainSite;
    Current() = Addresses{site, site + kLocalCounterPath};
}

} // namespace radar
