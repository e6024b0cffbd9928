#pragma once
// The three sites of the tracking service. Their addresses are values of the build; the
// --service option points all three at one other base address (the local service).
#include <string>
#include <string_view>

namespace radar {

struct ServiceSites {
    std::string mobileSite; // courier list
    std::string mainSite;   // number detection
    std::string detailSite; // history pages
};

const ServiceSites& CurrentServiceSites();
// Every site at base ("http://127.0.0.1:8080"); a trailing slash is dropped.
void PointServiceSitesAt(std::string_view base);
// Each site on its own (tests lead one request into a fault this way).
void SetServiceSites(const ServiceSites& sites);

} // namespace radar
