#pragma once
// Where the program reads its notice feed and counters, and where the contact actions lead.
// Build values, except that the --service option points the feed and the counter page (and the
// tracking service's sites) at the local service.
#include <string>
#include <string_view>

namespace radar {

// The feed of the author's blog with the author's account number.
std::string NoticeFeedAddress();
std::string CounterPageAddress();
std::string BlogLink();
std::string ChatLink();

// The tracking service's three sites, the feed and the counter page, all at base.
void PointAtService(std::string_view base);

} // namespace radar
