#pragma once
// The rules behind the result table that need no window: the coarse last status of a parcel, the
// colours of its row, and the texts of the row, of the reminder entry and of the status line.
// All texts are GBK.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace radar {

// What a last status does to its row besides its text.
enum class StatusEffect {
    None,
    DeliveredColouring,  // cells 0 to 5 in the delivered colours
    OutForDeliveryAlert, // cells 0 to 5 in the out-for-delivery colours and a reminder entry
};

struct StatusClass {
    std::string lastStatus;
    StatusEffect effect = StatusEffect::None;
};

// The first of the status keywords that the status text contains decides; the search steps whole
// GBK characters, so a keyword never matches across a character boundary.
StatusClass ClassifyStatus(std::string_view statusText);

// The test made for every row with history after ClassifyStatus, whatever it found: a text with
// "派送" runs the out-for-delivery alert (again, if ClassifyStatus already did) and its cell 5
// becomes kOutForDeliveryStatus.
inline constexpr std::string_view kOutForDeliveryKeyword = "派送";
inline constexpr std::string_view kOutForDeliveryStatus = "派送中";
bool IsOutForDelivery(std::string_view statusText);

// Windows colours (0x00BBGGRR) of a coloured row.
struct RowColours {
    uint32_t text = 0;
    uint32_t background = 0;
};
inline constexpr RowColours kDeliveredColours{0x00FF0000, 0x00FFFFFF};      // blue on white
inline constexpr RowColours kOutForDeliveryColours{0x000000FF, 0x00FFFFFF}; // red on white
// A colour goes to cells 0 to 5; cell 6 ("备注") keeps the table's own colours.
inline constexpr int kColouredColumnCount = 6;

inline constexpr int kResultColumnCount = 7;
// The seven cell texts of one row of the result table, in column order.
using ResultRow = std::array<std::string, kResultColumnCount>;

// How a row with history ends: its cells as they stand when it is finished, and what the run has
// to do to it, in order.
struct HistoryRowOutcome {
    ResultRow row;
    StatusEffect effect = StatusEffect::None; // ClassifyStatus's effect, applied first
    bool secondAlert = false;                 // then the "派送" test's alert
};

// A number with history. position is its 1-based place among the run's numbers, number the text
// as it stands in the numbers box (untrimmed), date, time and status the newest history entry,
// courierName the courier of the row with its trailing CR LF (empty when unknown).
HistoryRowOutcome HistoryRow(int position, std::string_view number, std::string_view date, std::string_view time,
                             std::string_view status, std::string_view courierName);
// A number whose query failed: no colour, no alert. Its cell 5 reads kFailureStatus.
inline constexpr std::string_view kFailureStatus = "查询失败";
ResultRow FailureRow(int position, std::string_view number);

// How many reminder entries the row adds (0, 1 or 2 identical ones).
int AlertCount(const HistoryRowOutcome& outcome);
// The colours cells 0 to 5 end in; none when the row keeps the table's colours.
std::optional<RowColours> FinalRowColours(const HistoryRowOutcome& outcome);

// The entry that an out-for-delivery row appends to the reminder's text. Carriage returns and
// then spaces are removed from courierName.
std::string ReminderEntryText(std::string_view courierName, std::string_view number, std::string_view date,
                              std::string_view time, std::string_view status);

// The status line while number is queried, and when the run has queried count numbers.
std::string QueryingStatusText(std::string_view number);
std::string RunFinishedStatusText(int count);

} // namespace radar
