#pragma once
// What the tracking run asks the service and what it takes from the answers, without any
// window or network: the request addresses, the three page patterns, the numbers of a run,
// the history texts and the history balloon's text. All texts are GBK.
#include <string>
#include <string_view>
#include <vector>

#include "tracking/service_sites.h"

namespace radar {

// Patterns over the pages (case-insensitive, multiline, global).
// Courier list: group 1 the courier code, group 2 its display name.
inline constexpr std::string_view kCourierListPattern = R"re(<a href="\S+" data-code="(\S+)">(\S+)</a>)re";
// Detection answer: anchored on the list's opening bracket, so only the first courier matches.
inline constexpr std::string_view kDetectionPattern = R"re(\[{"comCode":"(.*?)",")re";
// History page: group 1 the scan date, 2 the scan time, 3 the place and status text.
inline constexpr std::string_view kHistoryPattern =
    R"re(<dl class="col1"><dt>(.*?)</dt><dd>(.*?)</dd></dl><span class="\S+"><span class="\S+"></span>)re"
    R"re(<span class="\S+"></span><span class="\S+"></span></span><span class="\S+">(.*?)</span>)re";

// Between the history texts of two numbers in the run's history buffer.
inline constexpr std::string_view kHistorySeparator = "-----------------------------------------------------";

// A number or courier code as it goes into a request: trimmed of spaces at both ends, and with
// every byte outside the URL's unreserved set (letters, digits, - . _ ~) percent-encoded from
// its UTF-8 form, so a pasted text cannot add query keys or break the request line. Ordinary
// numbers come out unchanged.
std::string UrlQueryValue(std::string_view text);

std::string CourierListUrl(const ServiceSites& sites);
std::string DetectionUrl(const ServiceSites& sites, std::string_view number);
std::string HistoryUrl(const ServiceSites& sites, std::string_view courierCode, std::string_view number);

// The run's numbers: the lines of the numbers box split at CR LF, empty lines left out, each
// line as it stands (spaces kept).
std::vector<std::string> RunNumbers(std::string_view boxText);

// One line of a number's history text.
std::string HistoryLine(std::string_view date, std::string_view time, std::string_view status);

// The balloon of a row: its number, its courier (with the name's own CR LF) and its history.
std::string HistoryPopupText(std::string_view number, std::string_view courierName, std::string_view history);
// The balloon of a row whose query failed.
std::string NoHistoryPopupText(std::string_view number, std::string_view courierName);

} // namespace radar
