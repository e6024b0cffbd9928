#include "tracking/service_pages.h"

#include "web/text_utils.h"
#include "win/code_page.h"

namespace radar {

namespace {
bool IsUnreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}
} // namespace

std::string UrlQueryValue(std::string_view text) {
    const std::string trimmed = TrimText(text);
    bool plain = true;
    for (unsigned char c : trimmed)
        plain = plain && IsUnreserved(c);
    if (plain) return trimmed;
    static const char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    for (unsigned char c : Utf16ToUtf8(GbkToUtf16(trimmed))) {
        if (IsUnreserved(c)) {
            encoded += static_cast<char>(c);
        } else {
            encoded += '%';
            encoded += kHex[c >> 4];
            encoded += kHex[c & 15];
        }
    }
    return encoded;
}

std::string CourierListUrl(const ServiceSites& sites) {
    return sites.mobileSite + "/all/";
}

std::string DetectionUrl(const ServiceSites& sites, std::string_view number) {
    return sites.mainSite + "/autonumber/auto?num=" + UrlQueryValue(number);
}

std::string HistoryUrl(const ServiceSites& sites, std::string_view courierCode, std::string_view number) {
    return sites.detailSite + "/queryDetail.php?com=" + UrlQueryValue(courierCode) + "&nu=" + UrlQueryValue(number);
}

std::vector<std::string> RunNumbers(std::string_view boxText) {
    std::vector<std::string> numbers;
    for (std::string& line : SplitText(boxText, "\r\n"))
        if (!line.empty()) numbers.push_back(std::move(line));
    return numbers;
}

std::string HistoryLine(std::string_view date, std::string_view time, std::string_view status) {
    std::string line(date);
    line += ' ';
    line += time;
    line += ' ';
    line += status;
    line += "\r\n";
    return line;
}

std::string HistoryPopupText(std::string_view number, std::string_view courierName, std::string_view history) {
    std::string text = "单号：";
    text += number;
    text += "      快递公司：";
    text += courierName;
    text += "\r\n";
    text += history;
    return text;
}

std::string NoHistoryPopupText(std::string_view number, std::string_view courierName) {
    std::string text = "单号：";
    text += number;
    text += "      快递公司：";
    text += courierName;
    text += "\r\n抱歉暂无查询记录!";
    return text;
}

} // namespace radar
