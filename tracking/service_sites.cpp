#include "tracking/service_sites.h"

namespace radar {

namespace {
ServiceSites& Sites() {
    static ServiceSites sites{RADAR_MOBILE_SITE, RADAR_MAIN_SITE, RADAR_DETAIL_SITE};
    return sites;
}
} // namespace

const ServiceSites& CurrentServiceSites() {
    return Sites();
}

void PointServiceSitesAt(std::string_view base) {
    while (!base.empty() && base.back() == '/')
        base.remove_suffix(1);
    std::string site(base);
    Sites() = ServiceSites{site, site, site};
}

void SetServiceSites(const ServiceSites& sites) {
    Sites() = sites;
}

} // namespace radar
