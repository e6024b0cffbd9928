#include "tracking/tracking_run.h"

#include "tracking/courier_query.h"
#include "tracking/number_list_file.h"
#include "tracking/result_table.h"
#include "tracking/service_pages.h"
#include "tracking/status_rules.h"
#include "web/regex_object.h"
#include "web/text_utils.h"
#include "win/controls.h"
#include "win/message_pump.h"

namespace radar {

namespace {

constexpr DWORD kFinishWaitMs = 200;

class Run {
public:
    Run(const TrackingRunWindows& windows, const TrackingRunData& data, const TrackingRunHooks& hooks)
        : w_(windows), d_(data), hooks_(hooks) {}

    bool Execute();

private:
    // Lets pending messages be processed; false when the windows went away meanwhile.
    bool Breathe() {
        ProcessPendingMessages();
        return Alive();
    }
    bool Alive() const { return !hooks_.windowsAlive || hooks_.windowsAlive(); }
    std::string CourierName(int row) {
        return CourierNameOfRow(*d_.couriers, *d_.rowCourierCodes, row, d_.lastCourierName,
                                [] { ProcessPendingMessages(); });
    }
    bool QueryOne(int position, const std::string& number);
    void FinishRow(int row, const HistoryRowOutcome& outcome, const std::string& number, const std::string& date,
                   const std::string& time, const std::string& status);
    void Alert(int row, const std::string& number, const std::string& date, const std::string& time,
               const std::string& status);

    TrackingRunWindows w_;
    TrackingRunData d_;
    TrackingRunHooks hooks_;
    RegexObject regex_;
};

bool Run::Execute() {
    // 1. The run's regex object exists from here (made with the object).
    if (!Breathe()) return false;
    // 2. The list is kept before anything else; a failed save never stops the run.
    SaveNumberListFile(GetText(w_.numbersBox));
    // 3-5.
    SetText(w_.reminderText, "");
    if (d_.runThread && *d_.runThread) {
        CloseHandle(*d_.runThread);
        *d_.runThread = nullptr;
    }
    ResetCellColours(*d_.cellColours);
    ClearTable(w_.table);
    // 6. The box is read again: a handler that ran meanwhile may have changed it.
    std::vector<std::string> numbers;
    for (std::string& number : RunNumbers(GetText(w_.numbersBox))) {
        numbers.push_back(std::move(number));
        if (!Breathe()) return false;
    }
    *d_.runNumberCount = static_cast<int32_t>(numbers.size());
    // 7.
    d_.rowCourierCodes->clear();
    // 8.
    for (size_t i = 0; i < numbers.size(); ++i) {
        if (!QueryOne(static_cast<int>(i) + 1, numbers[i])) return false;
        if (!Breathe()) return false;
    }
    // 9. The histories, one per row.
    *d_.rowHistories = SplitText(*d_.historyBuffer, kHistorySeparator);
    if (!d_.rowHistories->empty()) d_.historyBuffer->clear();
    // 10-11.
    WaitWithMessages(kFinishWaitMs);
    if (!Alive()) return false;
    SetText(w_.statusLine, RunFinishedStatusText(static_cast<int>(numbers.size())));
    return true;
}

bool Run::QueryOne(int position, const std::string& number) {
    SetText(w_.statusLine, QueryingStatusText(number));
    std::string history;
    QueryNumber(number, regex_, *d_.rowCourierCodes, hooks_.windowsAlive);
    if (!Alive()) return false;
    const int matches = regex_.MatchCount();
    if (matches == 0) {
        const int row = AppendTableRow(w_.table);
        const ResultRow cells = FailureRow(TableRowCount(w_.table), number);
        for (int column = 0; column < kResultColumnCount; ++column)
            SetTableCell(w_.table, row, column, cells[static_cast<size_t>(column)]);
        *d_.historyBuffer += kHistorySeparator;
        return Breathe();
    }
    for (int j = 1; j <= matches; ++j) {
        const std::string date = regex_.SubMatchText(j, 1);
        const std::string time = regex_.SubMatchText(j, 2);
        const std::string status = regex_.SubMatchText(j, 3);
        history += HistoryLine(date, time, status);
        if (j == matches) {
            const int row = AppendTableRow(w_.table);
            const HistoryRowOutcome outcome = HistoryRow(position, number, date, time, status, CourierName(row));
            if (!Alive()) return false;
            for (int column = 0; column <= 4; ++column)
                SetTableCell(w_.table, row, column, outcome.row[static_cast<size_t>(column)]);
            if (!Breathe()) return false;
            FinishRow(row, outcome, number, date, time, status);
        }
        if (!Breathe()) return false;
    }
    *d_.historyBuffer += history;
    *d_.historyBuffer += kHistorySeparator;
    return true;
}

// Cells 5 and 6, the colours and the reminder entries: ClassifyStatus's effect first, then the
// "派送" test's alert, which every row with history gets when its status holds the word.
void Run::FinishRow(int row, const HistoryRowOutcome& outcome, const std::string& number, const std::string& date,
                    const std::string& time, const std::string& status) {
    if (outcome.effect == StatusEffect::DeliveredColouring)
        ColourRow(*d_.cellColours, w_.owner, w_.table, row, kDeliveredColours);
    if (outcome.effect == StatusEffect::OutForDeliveryAlert) Alert(row, number, date, time, status);
    if (outcome.secondAlert) Alert(row, number, date, time, status);
    SetTableCell(w_.table, row, 5, outcome.row[5]);
    SetTableCell(w_.table, row, 6, outcome.row[6]);
}

void Run::Alert(int row, const std::string& number, const std::string& date, const std::string& time,
                const std::string& status) {
    ColourRow(*d_.cellColours, w_.owner, w_.table, row, kOutForDeliveryColours);
    if (hooks_.slideReminderIn) hooks_.slideReminderIn();
    const std::string entry = ReminderEntryText(CourierName(row), number, date, time, status);
    SetText(w_.reminderText, GetText(w_.reminderText) + entry);
}

} // namespace

bool TrackingRun(const TrackingRunWindows& windows, const TrackingRunData& data, const TrackingRunHooks& hooks) {
    Run run(windows, data, hooks);
    return run.Execute();
}

} // namespace radar
