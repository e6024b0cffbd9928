// Narrow literals here are GBK.
#include "tracking/service_pages.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "tracking/courier_directory.h"

using namespace radar;

namespace {

TEST(UrlQueryValue, Table) {
    struct Case {
        const char* note;
        std::string text;
        std::string expected;
    } cases[] = {
        {"an ordinary number goes as it stands", "773012345678", "773012345678"},
        {"letters, dash, dot, underscore, tilde", "SF-1.2_3~a", "SF-1.2_3~a"},
        {"spaces at both ends are not sent", "  12345 ", "12345"},
        {"full-width spaces at both ends too",
         "\xA1\xA1"
         "12345\xA1\xA1",
         "12345"},
        {"a space inside is encoded", "12 34", "12%2034"},
        {"query keys cannot be added", "1&com=x", "1%26com%3Dx"},
        {"nor a fragment or a new line", "1#2\r\n3", "1%232%0D%0A3"},
        {"Chinese goes as UTF-8", "单号", "%E5%8D%95%E5%8F%B7"},
        {"a percent sign itself", "100%", "100%25"},
        {"empty", "", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(UrlQueryValue(c.text), c.expected) << c.note;
}

TEST(ServiceUrls, EachRequestOnItsSite) {
    const ServiceSites sites{"http://m.example", "http://main.example", "http://detail.example"};
    EXPECT_EQ(CourierListUrl(sites), "http://m.example/all/");
    EXPECT_EQ(DetectionUrl(sites, " 9876 "), "http://main.example/autonumber/auto?num=9876");
    EXPECT_EQ(HistoryUrl(sites, "yunda", " 9876 "), "http://detail.example/queryDetail.php?com=yunda&nu=9876");
}

TEST(ServiceSites, OneBaseForAllThree) {
    const ServiceSites saved = CurrentServiceSites();
    PointServiceSitesAt("http://127.0.0.1:8080/");
    EXPECT_EQ(CurrentServiceSites().mobileSite, "http://127.0.0.1:8080");
    EXPECT_EQ(CurrentServiceSites().mainSite, "http://127.0.0.1:8080");
    EXPECT_EQ(CurrentServiceSites().detailSite, "http://127.0.0.1:8080");
    SetServiceSites(saved);
}

TEST(RunNumbers, Table) {
    struct Case {
        const char* note;
        std::string box;
        std::vector<std::string> numbers;
    } cases[] = {
        {"empty line and trailing CR LF", "A\r\n\r\nB\r\n", {"A", "B"}},
        {"spaces are kept", " 12 \r\n34", {" 12 ", "34"}},
        {"only empty lines", "\r\n\r\n", {}},
        {"a lone LF does not split", "1\n2", {"1\n2"}},
        {"empty box", "", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RunNumbers(c.box), c.numbers) << c.note;
}

TEST(HistoryTexts, LinesAndPopups) {
    EXPECT_EQ(HistoryLine("2026-12-01", "08:00:00", "已揽收"), "2026-12-01 08:00:00 已揽收\r\n");
    // The courier name keeps its CR LF: an empty line stands between the head and the route.
    EXPECT_EQ(HistoryPopupText("123", "顺丰速运\r\n", "a\r\nb\r\n"),
              "单号：123      快递公司：顺丰速运\r\n\r\na\r\nb\r\n");
    EXPECT_EQ(NoHistoryPopupText("123", ""), "单号：123      快递公司：\r\n抱歉暂无查询记录!");
}

TEST(CourierNameOfRow, LastMatchingPositionWins) {
    CourierDirectory couriers;
    couriers.Replace({{"yunda", "韵达快递"}, {"ems", "EMS"}, {"yunda", "韵达"}});
    const std::vector<std::string> rows = {"yunda\r\n", "", "ems\r\n", "sf\r\n", "yunda"};
    std::string last = "before";
    EXPECT_EQ(CourierNameOfRow(couriers, rows, 0, &last), "韵达\r\n");
    EXPECT_EQ(last, "韵达\r\n");
    EXPECT_EQ(CourierNameOfRow(couriers, rows, 1, &last), ""); // no code detected
    EXPECT_EQ(CourierNameOfRow(couriers, rows, 2, &last), "EMS\r\n");
    EXPECT_EQ(CourierNameOfRow(couriers, rows, 3, &last), ""); // unknown code
    EXPECT_EQ(last, "EMS\r\n");                                // kept from the latest match
    EXPECT_EQ(CourierNameOfRow(couriers, rows, 4, &last), ""); // compared with its CR LF
    EXPECT_EQ(CourierNameOfRow(couriers, rows, 5, &last), ""); // beyond the run's rows
    EXPECT_EQ(CourierNameOfRow(couriers, rows, -1, &last), "");
    int steps = 0;
    CourierNameOfRow(couriers, rows, 0, nullptr, [&] { ++steps; });
    EXPECT_EQ(steps, 3);
}

TEST(CourierDirectory, ReaderSeesWholeListsWhileAnotherThreadRefills) {
    CourierDirectory couriers;
    const std::vector<CourierEntry> a = {{"a1", "甲1"}, {"a2", "甲2"}, {"a3", "甲3"}};
    const std::vector<CourierEntry> b = {{"b1", "乙1"}};
    std::atomic<bool> stop{false};
    std::thread writer([&] {
        for (int i = 0; i < 2000; ++i)
            couriers.Replace(i % 2 ? a : b);
        stop = true;
    });
    int checked = 0;
    while (!stop || checked == 0) {
        const std::vector<std::string> codes = couriers.Codes();
        const std::vector<std::string> names = couriers.Names();
        ASSERT_TRUE(codes.empty() || codes.size() == 1 || codes.size() == 3);
        for (size_t i = 0; i < codes.size(); ++i)
            ASSERT_EQ(codes[i].back(), '\n');
        std::string code, name;
        if (couriers.Entry(0, &code, &name)) {
            ASSERT_EQ(code[0] == 'a', name.substr(0, 2) == "甲"); // a pair from one list
        }
        ++checked;
    }
    writer.join();
}

} // namespace
