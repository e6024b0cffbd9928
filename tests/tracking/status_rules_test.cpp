// Narrow literals here are GBK. Golden bytes used below:
//   签收 C7 A9 CA D5, 派送 C5 C9 CB CD. Behind the lead byte B0 the bytes of a keyword pair up
//   differently: B0 C7 | A9 CA | D5 A1 are the characters 扒 ┦ 铡, which hold no keyword.
#include "tracking/status_rules.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using namespace radar;

namespace {

constexpr auto kNone = StatusEffect::None;
constexpr auto kDelivered = StatusEffect::DeliveredColouring;
constexpr auto kAlert = StatusEffect::OutForDeliveryAlert;

// 签收 and 派送, each straddling three characters behind a B0 lead byte.
const std::string kStraddledSigned = "\xB0\xC7\xA9\xCA\xD5\xA1";
const std::string kStraddledDelivering = "\xB0\xC5\xC9\xCB\xCD\xA1";

struct ClassifyCase {
    const char* note;
    std::string status;
    std::string lastStatus;
    StatusEffect effect;
};

const ClassifyCase kClassifyCases[] = {
    // One row per keyword, in table order; each text holds no earlier keyword.
    {"1 发往", "快件已从杭州发往北京", "运输中", kNone},
    {"2 签收失败", "客户拒收，签收失败", "签收失败", kNone},
    {"3 签收", "已签收，签收人：本人", "已签收", kDelivered},
    {"4 派件", "快递员正在派件", "派件中", kAlert},
    {"5 已收件", "网点已收件", "已收件", kDelivered},
    {"6 已打包", "快件在上海中心已打包", "已打包", kNone},
    {"7 已拆包", "快件在北京中心已拆包", "已拆包", kNone},
    {"8 已发出", "快件已发出，下一站北京", "已发出", kNone},
    {"9 站点", "到达朝阳站点", "运输中", kNone},
    {"10 指定", "请到指定地点取件", "派送中", kNone},
    {"11 疑难件", "地址不详，转为疑难件", "疑难件", kNone},
    {"12 扫描", "进行了到件扫描", "正在扫描", kNone},
    {"13 已到达", "快件已到达北京", "运输中", kNone},
    {"14 已收入", "快件已收入驿站", "已收入", kNone},
    {"15 已揽收", "快递员已揽收", "已揽收", kNone},
    {"16 完成分捡", "中转中心完成分捡", "运输中", kNone},
    {"17 离开", "快件离开杭州", "运输中", kNone},
    {"18 配送员", "配送员：张三 13800000000", "派件中", kNone},
    {"19 完成配送", "包裹完成配送", "已签收", kDelivered},
    // The first keyword of the table wins, wherever it stands in the text.
    {"发往 before 已发出", "已发出，发往北京", "运输中", kNone},
    {"签收失败 before 签收", "签收失败，等待再次签收", "签收失败", kNone},
    {"签收 before 派件", "派件后已签收", "已签收", kDelivered},
    {"派件 before 已收件", "已收件，正在派件", "派件中", kAlert},
    {"发往 before 签收失败", "签收失败，退回发往寄件网点", "运输中", kNone},
    {"派件 and 派送: ClassifyStatus sees only 派件", "派件员正在派送", "派件中", kAlert},
    {"派送 alone is no keyword", "正在派送", "运输中", kNone},
    {"ASCII around a keyword", "[2015] sign 签收 ok", "已签收", kDelivered},
    // Nothing found.
    {"no keyword", "快件在路上", "运输中", kNone},
    {"empty text", "", "运输中", kNone},
    {"keyword bytes straddling characters", kStraddledSigned, "运输中", kNone},
    {"straddled 签收 does not hide a later keyword", kStraddledSigned + "已打包", "已打包", kNone},
    {"half a keyword", "\xC7\xA9", "运输中", kNone},
};

TEST(ClassifyStatus, Table) {
    for (const auto& c : kClassifyCases) {
        const StatusClass result = ClassifyStatus(c.status);
        EXPECT_EQ(result.lastStatus, c.lastStatus) << c.note;
        EXPECT_EQ(result.effect, c.effect) << c.note;
    }
}

TEST(ClassifyStatus, GoldenBytes) {
    EXPECT_EQ(ClassifyStatus("\xC7\xA9\xCA\xD5").lastStatus, "\xD2\xD1\xC7\xA9\xCA\xD5"); // 签收 -> 已签收
    EXPECT_EQ(ClassifyStatus("").lastStatus, "\xD4\xCB\xCA\xE4\xD6\xD0");                 // 运输中
}

struct OutForDeliveryCase {
    const char* note;
    std::string status;
    bool expected;
};

const OutForDeliveryCase kOutForDeliveryCases[] = {
    {"派送", "快递员正在派送", true},
    {"派送 at the start", "派送中", true},
    {"派件 is not 派送", "快递员正在派件", false},
    {"empty", "", false},
    {"straddling characters", kStraddledDelivering, false},
};

TEST(IsOutForDelivery, Table) {
    for (const auto& c : kOutForDeliveryCases)
        EXPECT_EQ(IsOutForDelivery(c.status), c.expected) << c.note;
}

struct HistoryRowCase {
    const char* note;
    std::string status;
    std::string lastStatus; // cell 5 when the row is finished
    StatusEffect effect;
    bool secondAlert;
    int alerts;
    std::optional<uint32_t> textColour; // of cells 0 to 5; none: the table's colours
};

const HistoryRowCase kHistoryRowCases[] = {
    {"signed: blue", "已签收", "已签收", kDelivered, false, 0, 0x00FF0000},
    {"派件 and 派送: two alerts, red", "派件员正在派送", "派送中", kAlert, true, 2, 0x000000FF},
    {"派件 alone: one alert, red", "快递员正在派件", "派件中", kAlert, false, 1, 0x000000FF},
    {"签收失败: no colour", "签收失败", "签收失败", kNone, false, 0, std::nullopt},
    {"指定 without 派送: no colour, no alert", "请到指定地点取件", "派送中", kNone, false, 0, std::nullopt},
    {"指定 with 派送", "正在派送至指定地点", "派送中", kNone, true, 1, 0x000000FF},
    {"signed then 派送: the alert's red wins", "已签收，派送员张三", "派送中", kDelivered, true, 1, 0x000000FF},
    {"派送 overrides 运输中 of 发往", "发往北京，派送", "派送中", kNone, true, 1, 0x000000FF},
    {"no keyword", "快件在路上", "运输中", kNone, false, 0, std::nullopt},
    {"straddled 派送", kStraddledDelivering, "运输中", kNone, false, 0, std::nullopt},
};

TEST(HistoryRow, OutcomeTable) {
    for (const auto& c : kHistoryRowCases) {
        const HistoryRowOutcome outcome = HistoryRow(1, "123", "2015-06-01", "08:00:00", c.status, "");
        EXPECT_EQ(outcome.row[5], c.lastStatus) << c.note;
        EXPECT_EQ(outcome.effect, c.effect) << c.note;
        EXPECT_EQ(outcome.secondAlert, c.secondAlert) << c.note;
        EXPECT_EQ(AlertCount(outcome), c.alerts) << c.note;
        const std::optional<RowColours> colours = FinalRowColours(outcome);
        ASSERT_EQ(colours.has_value(), c.textColour.has_value()) << c.note;
        if (colours) {
            EXPECT_EQ(colours->text, *c.textColour) << c.note;
            EXPECT_EQ(colours->background, 0x00FFFFFFu) << c.note;
        }
    }
}

TEST(HistoryRow, Cells) {
    const HistoryRowOutcome outcome =
        HistoryRow(12, " 7700123 ", "2015-06-01", "08:30:15", "【北京】已签收", "中通快递\r\n");
    const ResultRow expected = {"12",     " 7700123 ", "2015-06-01 08:30:15", "中通快递\r\n", "【北京】已签收",
                                "已签收", "无"};
    EXPECT_EQ(outcome.row, expected);
}

TEST(HistoryRow, UnknownCourierLeavesCellThreeEmpty) {
    const HistoryRowOutcome outcome = HistoryRow(1, "1", "d", "t", "快件在路上", "");
    EXPECT_EQ(outcome.row[3], "");
    EXPECT_EQ(outcome.row[6], "无");
}

TEST(FailureRow, Cells) {
    const ResultRow expected = {"3", " 99 ", "", "", "提示：该单号不存在或已过期", "查询失败", "异常"};
    EXPECT_EQ(FailureRow(3, " 99 "), expected);
}

struct ReminderCase {
    const char* note;
    std::string courierName;
    std::string expected;
};

const ReminderCase kReminderCases[] = {
    // Only carriage returns go; the line feed of the name's CR LF stays.
    {"name with its CR LF", "中通快递\r\n", "快递名称：中通快递\n   快递单号：N1\r\nD T  S\r\n"},
    {"spaces and full-width spaces", " 圆通　速递 \r\n", "快递名称：圆通速递\n   快递单号：N1\r\nD T  S\r\n"},
    {"unknown courier", "", "快递名称：   快递单号：N1\r\nD T  S\r\n"},
    {"carriage returns inside", "申\r通\r", "快递名称：申通   快递单号：N1\r\nD T  S\r\n"},
};

TEST(ReminderEntryText, Table) {
    for (const auto& c : kReminderCases)
        EXPECT_EQ(ReminderEntryText(c.courierName, "N1", "D", "T", "S"), c.expected) << c.note;
}

TEST(ReminderEntryText, KeepsNumberAndStatusAsGiven) {
    EXPECT_EQ(ReminderEntryText("韵达\r\n", " 12 34 ", "2015-06-01", "08:30:15", "正在 派件"),
              "快递名称：韵达\n   快递单号： 12 34 \r\n2015-06-01 08:30:15  正在 派件\r\n");
}

TEST(StatusLineTexts, Table) {
    EXPECT_EQ(QueryingStatusText("7700123"), "正在查询单号为：7700123  请勿操作 否则会崩溃！");
    EXPECT_EQ(QueryingStatusText(""), "正在查询单号为：  请勿操作 否则会崩溃！");
    EXPECT_EQ(RunFinishedStatusText(0), "所有单号查询完毕--共查询：0个快递单号");
    EXPECT_EQ(RunFinishedStatusText(25), "所有单号查询完毕--共查询：25个快递单号");
}

} // namespace
