#include "tracking/status_rules.h"

#include "web/text_utils.h"

namespace radar {

namespace {

struct StatusRule {
    std::string_view keyword;
    std::string_view lastStatus;
    StatusEffect effect;
};

// Order matters: the first keyword found decides ("签收失败" before "签收", "发往" before "已发出").
constexpr StatusRule kStatusRules[] = {
    {"发往", "运输中", StatusEffect::None},
    {"签收失败", "签收失败", StatusEffect::None},
    {"签收", "已签收", StatusEffect::DeliveredColouring},
    {"派件", "派件中", StatusEffect::OutForDeliveryAlert},
    {"已收件", "已收件", StatusEffect::DeliveredColouring},
    {"已打包", "已打包", StatusEffect::None},
    {"已拆包", "已拆包", StatusEffect::None},
    {"已发出", "已发出", StatusEffect::None},
    {"站点", "运输中", StatusEffect::None},
    {"指定", "派送中", StatusEffect::None},
    {"疑难件", "疑难件", StatusEffect::None},
    {"扫描", "正在扫描", StatusEffect::None},
    {"已到达", "运输中", StatusEffect::None},
    {"已收入", "已收入", StatusEffect::None},
    {"已揽收", "已揽收", StatusEffect::None},
    {"完成分捡", "运输中", StatusEffect::None},
    {"离开", "运输中", StatusEffect::None},
    {"配送员", "派件中", StatusEffect::None},
    {"完成配送", "已签收", StatusEffect::DeliveredColouring},
};

constexpr std::string_view kDefaultStatus = "运输中";
constexpr std::string_view kNoRemark = "无";
constexpr std::string_view kFailureStatusText = "提示：该单号不存在或已过期";
constexpr std::string_view kFailureRemark = "异常";

} // namespace

StatusClass ClassifyStatus(std::string_view statusText) {
    for (const auto& rule : kStatusRules) {
        // Contains, in the sense of a last occurrence being found.
        if (FindLastText(statusText, rule.keyword) > 0) return {std::string(rule.lastStatus), rule.effect};
    }
    return {std::string(kDefaultStatus), StatusEffect::None};
}

bool IsOutForDelivery(std::string_view statusText) {
    return FindLastText(statusText, kOutForDeliveryKeyword) > 0;
}

HistoryRowOutcome HistoryRow(int position, std::string_view number, std::string_view date, std::string_view time,
                             std::string_view status, std::string_view courierName) {
    HistoryRowOutcome outcome;
    StatusClass status5 = ClassifyStatus(status);
    outcome.effect = status5.effect;
    outcome.secondAlert = IsOutForDelivery(status);
    outcome.row = {std::to_string(position),
                   std::string(number),
                   std::string(date) + " " + std::string(time),
                   std::string(courierName),
                   std::string(status),
                   outcome.secondAlert ? std::string(kOutForDeliveryStatus) : std::move(status5.lastStatus),
                   std::string(kNoRemark)};
    return outcome;
}

ResultRow FailureRow(int position, std::string_view number) {
    return {std::to_string(position),
            std::string(number),
            std::string(),
            std::string(),
            std::string(kFailureStatusText),
            std::string(kFailureStatus),
            std::string(kFailureRemark)};
}

int AlertCount(const HistoryRowOutcome& outcome) {
    return (outcome.effect == StatusEffect::OutForDeliveryAlert ? 1 : 0) + (outcome.secondAlert ? 1 : 0);
}

std::optional<RowColours> FinalRowColours(const HistoryRowOutcome& outcome) {
    // The second test's alert comes last, so its colours win over a delivered colouring.
    if (AlertCount(outcome) > 0) return kOutForDeliveryColours;
    if (outcome.effect == StatusEffect::DeliveredColouring) return kDeliveredColours;
    return std::nullopt;
}

std::string ReminderEntryText(std::string_view courierName, std::string_view number, std::string_view date,
                              std::string_view time, std::string_view status) {
    const std::string name = RemoveSpaces(ReplaceText(courierName, "\r", ""));
    std::string entry = "快递名称：";
    entry += name;
    entry += "   快递单号：";
    entry += number;
    entry += "\r\n";
    entry += date;
    entry += " ";
    entry += time;
    entry += "  ";
    entry += status;
    entry += "\r\n";
    return entry;
}

std::string QueryingStatusText(std::string_view number) {
    return "正在查询单号为：" + std::string(number) + "  请勿操作 否则会崩溃！";
}

std::string RunFinishedStatusText(int count) {
    return "所有单号查询完毕--共查询：" + std::to_string(count) + "个快递单号";
}

} // namespace radar
