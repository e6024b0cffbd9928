// The tracking run end to end: the real main window in this process, its query button pressed,
// the local tracking service answering over HTTP (its address in RADAR_TEST_SERVICE).
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <cstdlib>
#include <thread>
#include <functional>
#include <string>
#include <vector>

#include "app/addresses.h"
#include "tests/app/main_window_fixture.h"
#include "app/program_globals.h"
#include "app/reminder_window.h"
#include "tests/support/message_box_answerer.h"
#include "tests/support/recording_http_server.h"
#include "tracking/result_table.h"
#include "tracking/service_pages.h"
#include "tracking/service_sites.h"
#include "tracking/status_rules.h"
#include "win/controls.h"
#include "win/message_pump.h"

namespace radar::test {
namespace {

constexpr DWORD kRunBoundMs = 60000;

// Runs a callback from inside the message processing of a run, on this thread, as the
// window's own timers do.
class InRunTimer {
public:
    InRunTimer(UINT periodMs, std::function<bool()> tick) : tick_(std::move(tick)) {
        Current() = this;
        id_ = SetTimer(nullptr, 0, periodMs, Proc);
    }
    ~InRunTimer() {
        KillTimer(nullptr, id_);
        Current() = nullptr;
    }

private:
    static InRunTimer*& Current() {
        static InRunTimer* current = nullptr;
        return current;
    }
    static void CALLBACK Proc(HWND, UINT, UINT_PTR id, DWORD) {
        InRunTimer* timer = Current();
        if (timer && timer->id_ == id && !timer->done_) timer->done_ = timer->tick_();
    }
    std::function<bool()> tick_; // true: done, no more ticks wanted
    UINT_PTR id_ = 0;
    bool done_ = false;
};

class TrackingRunTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        const char* service = std::getenv("RADAR_TEST_SERVICE");
        ASSERT_TRUE(service) << "run under tools/with-tracking-service.sh";
        service_ = service;
        PointAtService(service_);
    }
    void TearDown() override {
        PointAtService(service_);
        MainWindowTest::TearDown();
    }

    HWND Box() { return window_->Control(MainId::编辑框_单号); }
    HWND Table() { return window_->Control(MainId::超级列表框1); }
    HWND StatusLine() { return window_->Control(MainId::标签_查询状态); }
    std::string ReminderText() { return GetText(window_->Reminder()->Control(ReminderId::编辑框1)); }

    void PressQuery() { SendMessageW(window_->Control(MainId::按钮_查一下), BM_CLICK, 0, 0); }

    // Puts numbers into the box, presses the button and waits for the run's end.
    void Query(const std::string& numbers, int expectedCount) {
        SetText(Box(), numbers);
        PressQuery();
        ASSERT_TRUE(WaitUntil(
            [&] { return !window_->RunInProgress() && GetText(StatusLine()) == RunFinishedStatusText(expectedCount); },
            kRunBoundMs))
            << GetText(StatusLine());
    }

    std::vector<ResultRow> Rows() {
        std::vector<ResultRow> rows(static_cast<size_t>(TableRowCount(Table())));
        for (size_t r = 0; r < rows.size(); ++r)
            for (int c = 0; c < kResultColumnCount; ++c)
                rows[r][static_cast<size_t>(c)] = TableCell(Table(), static_cast<int>(r), c);
        return rows;
    }

    // The colours recorded for cells 0 to 6 of a row; 0xFFFFFFFF where the cell has none.
    std::vector<uint32_t> RowTextColours(int row) {
        std::vector<uint32_t> colours(kResultColumnCount, 0xFFFFFFFF);
        for (const CellColour& c : *Globals().cellColours)
            if (c.row == row) colours[static_cast<size_t>(c.column)] = c.textColour;
        return colours;
    }

    std::string service_;
};

const std::vector<uint32_t> kBlueRow = {0xFF0000, 0xFF0000, 0xFF0000, 0xFF0000, 0xFF0000, 0xFF0000, 0xFFFFFFFF};
const std::vector<uint32_t> kRedRow = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFFFFFFFF};
const std::vector<uint32_t> kPlainRow(kResultColumnCount, 0xFFFFFFFF);

TEST_F(TrackingRunTest, RunFillsEveryRowWithItsCellsColoursHistoryAndReminder) {
    OpenWindow();
    Query("10000000001", 1); // the courier list is in place from the first run on
    const std::string box = "99999999999\r\n10000000003\r\n\r\n 10000000004 \r\n20000000003\r\n10000000021\r\n"
                            "20000000001\r\n20000000002\r\n";
    Query(box, 7);

    const std::vector<ResultRow> expected = {
        FailureRow(1, "99999999999"),
        {"2", "10000000003", "2026-12-02 14:30:00", "中通快递\r\n", "【北京市】已签收，签收人是本人", "已签收", "无"},
        {"3", " 10000000004 ", "2026-12-02 14:30:00", "申通快递\r\n", "【上海市】快递员张师傅正在派件", "派件中", "无"},
        {"4", "20000000003", "2026-12-03 11:45:00", "顺丰速运\r\n", "【北京市】已签收，签收人是前台", "已签收", "无"},
        {"5", "10000000021", "2026-12-02 14:30:00", "中通快递\r\n", "【上海市】正在派件，派送员王师傅", "派送中", "无"},
        // Several couriers detected: only the first (zhongtong) is asked for the history.
        {"6", "20000000001", "2026-12-03 10:00:00", "中通快递\r\n", "【宁波市】快件已到达宁波转运中心", "运输中", "无"},
        FailureRow(7, "20000000002"), // detected, but its history page holds no entry
    };
    EXPECT_EQ(Rows(), expected);
    EXPECT_EQ(Globals().runNumberCount, 7);

    EXPECT_EQ(RowTextColours(0), kPlainRow);
    EXPECT_EQ(RowTextColours(1), kBlueRow);
    EXPECT_EQ(RowTextColours(2), kRedRow);
    EXPECT_EQ(RowTextColours(3), kBlueRow);
    EXPECT_EQ(RowTextColours(4), kRedRow);
    EXPECT_EQ(RowTextColours(5), kPlainRow);
    EXPECT_EQ(RowTextColours(6), kPlainRow);
    for (const CellColour& c : *Globals().cellColours)
        EXPECT_EQ(c.backgroundColour, 0xFFFFFFu);

    const std::vector<std::string> codes = {
        "", "zhongtong\r\n", "shentong\r\n", "shunfeng\r\n", "zhongtong\r\n", "zhongtong\r\n", "yunda\r\n"};
    EXPECT_EQ(*Globals().rowCourierCodes, codes);

    const std::vector<std::string> histories = {
        "",
        "2026-12-01 09:15:00 【上海市】快件已被收寄\r\n2026-12-02 14:30:00 【北京市】已签收，签收人是本人\r\n",
        "2026-12-01 09:15:00 【上海市】快件已被收寄\r\n2026-12-02 14:30:00 【上海市】快递员张师傅正在派件\r\n",
        "2026-12-01 08:00:00 【深圳市】顺丰速运已揽收\r\n2026-12-02 06:30:00 【深圳市】快件离开深圳转运中心\r\n"
        "2026-12-03 11:45:00 【北京市】已签收，签收人是前台\r\n",
        "2026-12-01 09:15:00 【上海市】快件已被收寄\r\n2026-12-02 14:30:00 【上海市】正在派件，派送员王师傅\r\n",
        "2026-12-03 10:00:00 【宁波市】快件已到达宁波转运中心\r\n",
        "",
    };
    EXPECT_EQ(*Globals().rowHistories, histories);
    EXPECT_TRUE(Globals().historyBuffer.empty());

    // One entry for the 派件 row, two identical ones for the row with both 派件 and 派送.
    const std::string delivering =
        ReminderEntryText("中通快递\r\n", "10000000021", "2026-12-02", "14:30:00", "【上海市】正在派件，派送员王师傅");
    EXPECT_EQ(ReminderText(), ReminderEntryText("申通快递\r\n", " 10000000004 ", "2026-12-02", "14:30:00",
                                                "【上海市】快递员张师傅正在派件") +
                                  delivering + delivering);
    EXPECT_EQ(Globals().slideDirection, 1);

    // The list was saved byte for byte before the run.
    EXPECT_EQ(ReadNumberListFile(), box);
}

TEST_F(TrackingRunTest, TableColoursAreDrawnInTheCells) {
    OpenWindow();
    Query("10000000003\r\n10000000004\r\n10000000006", 3);
    UpdateWindow(Table());
    // Count the pixels of a row's cells that are drawn in each colour: the status cell (column 4),
    // drawn by the table, and the courier cell (column 3), drawn on one line by the window.
    RECT client;
    GetClientRect(Table(), &client);
    HDC screen = GetDC(Table());
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ old = SelectObject(memory, bitmap);
    SendMessageW(Table(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT | PRF_ERASEBKGND);
    auto count = [&](int row, auto isColour, int column = 4) {
        RECT cell{};
        cell.top = column;
        cell.left = LVIR_LABEL;
        SendMessageW(Table(), LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&cell));
        int n = 0;
        for (int y = cell.top; y < cell.bottom; ++y)
            for (int x = cell.left; x < cell.right; ++x)
                if (isColour(GetPixel(memory, x, y))) ++n;
        return n;
    };
    auto blue = [](COLORREF c) { return GetBValue(c) > 160 && GetRValue(c) < 90 && GetGValue(c) < 90; };
    auto red = [](COLORREF c) { return GetRValue(c) > 160 && GetBValue(c) < 90 && GetGValue(c) < 90; };
    EXPECT_GT(count(0, blue), 10);
    EXPECT_EQ(count(0, red), 0);
    EXPECT_GT(count(1, red), 10);
    EXPECT_EQ(count(1, blue), 0);
    EXPECT_EQ(count(2, red) + count(2, blue), 0);
    EXPECT_GT(count(0, blue, 3), 10);
    EXPECT_GT(count(1, red, 3), 10);
    EXPECT_EQ(count(2, red, 3) + count(2, blue, 3), 0);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(Table(), screen);
}

TEST_F(TrackingRunTest, SettingACellToTheTablesOwnColoursRemovesItsRecord) {
    MainWindow& window = OpenWindow();
    std::vector<CellColour>& colours = *Globals().cellColours;
    ResetCellColours(colours);
    const COLORREF ownText =
        ListView_GetTextColor(Table()) == CLR_DEFAULT ? GetSysColor(COLOR_WINDOWTEXT) : ListView_GetTextColor(Table());
    SetCellColour(colours, window.Hwnd(), Table(), 2, 3, 0xFF, 0xFFFFFF, true);
    ASSERT_EQ(colours.size(), 1u);
    SetCellColour(colours, window.Hwnd(), Table(), 2, 3, 0xFF0000, 0xFFFFFF, true); // changed in place
    ASSERT_EQ(colours.size(), 1u);
    EXPECT_EQ(colours[0].textColour, 0xFF0000u);
    SetCellColour(colours, window.Hwnd(), Table(), 2, 3, ownText, 0, false); // the table's own: removed
    EXPECT_TRUE(colours.empty());
    SetCellColour(colours, window.Hwnd(), Table(), 2, 3, ownText, 0, false); // nothing to add
    EXPECT_TRUE(colours.empty());
    SetCellColour(colours, window.Hwnd(), Table(), 2, 3, 0xFF, 0xFFFFFF, true); // a new record again
    EXPECT_EQ(colours.size(), 1u);
    ResetCellColours(colours);
    EXPECT_TRUE(colours.empty());
}

TEST_F(TrackingRunTest, FirstRowsOfARunStayNamelessUntilTheCourierListArrives) {
    OpenWindow();
    Globals().courierDirectory->Replace({});
    // The courier list answers after 2 s; the second number's history after 6 s.
    ServiceSites sites = CurrentServiceSites();
    sites.mobileSite = service_ + "/all/?fault=slow2000&rest=";
    SetServiceSites(sites);
    Query("10000000003\r\nHFAULT-slow6000-1\r\n10000000004", 3);
    const std::vector<ResultRow> rows = Rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0][3], "");
    EXPECT_EQ(rows[1][3], "顺丰速运\r\n");
    EXPECT_EQ(rows[2][3], "申通快递\r\n");
    EXPECT_EQ(Globals().courierDirectory->Size(), 6u);
}

TEST_F(TrackingRunTest, UnusableAnswersGiveFailureRowsAndSlowOnesNormalRows) {
    OpenWindow();
    Query("10000000001", 1);
    const char* kModes[] = {"empty", "500", "drop", "badutf8", "huge", "slow1500"};
    std::string box;
    for (const char* prefix : {"FAULT-", "HFAULT-"})
        for (const char* mode : kModes)
            box += std::string(prefix) + mode + "-1\r\n";
    Query(box, 12);
    const std::vector<ResultRow> rows = Rows();
    ASSERT_EQ(rows.size(), 12u);
    const ResultRow normal = {"", "", "2026-12-04 12:00:00", "顺丰速运\r\n", "【上海市】快件运输途中", "运输中", "无"};
    for (size_t i = 0; i < rows.size(); ++i) {
        const std::string mode = kModes[i % 6];
        const std::string number = (i < 6 ? "FAULT-" : "HFAULT-") + mode + "-1";
        SCOPED_TRACE(number);
        EXPECT_EQ(rows[i][0], std::to_string(i + 1));
        EXPECT_EQ(rows[i][1], number);
        const bool unusable = mode == "empty" || mode == "500";
        const bool usable = mode == "badutf8" || mode == "huge" || mode == "slow1500";
        ResultRow expected = normal;
        expected[0] = rows[i][0];
        expected[1] = number;
        const ResultRow failure = FailureRow(static_cast<int>(i) + 1, number);
        if (unusable) {
            EXPECT_EQ(rows[i], failure);
        } else if (usable) {
            EXPECT_EQ(rows[i], expected);
        } else { // a dropped answer is cut in half: a failure row, or a normal one when the half held it
            EXPECT_TRUE(rows[i] == expected || rows[i] == failure);
        }
    }
    EXPECT_EQ(Globals().rowHistories->size(), 12u);
}

TEST_F(TrackingRunTest, WindowKeepsAnsweringWhileARequestWaits) {
    MainWindow& window = OpenWindow();
    // Another thread asks the status line for its text while the run waits 3 s for an answer.
    std::atomic<bool> stop{false};
    std::atomic<int> answered{0}, unanswered{0};
    std::atomic<bool> sawQuerying{false};
    HWND status = StatusLine();
    const std::string querying = QueryingStatusText("HFAULT-slow3000-1");
    std::thread asker([&] {
        while (!stop) {
            wchar_t text[256] = {};
            DWORD_PTR result = 0;
            if (SendMessageTimeoutW(status, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 1000,
                                    &result)) {
                ++answered;
                if (ToGbk(text) == querying) sawQuerying = true;
            } else {
                ++unanswered;
            }
            Sleep(20);
        }
    });
    int ticksDuringRun = 0;
    InRunTimer timer(50, [&] {
        if (window.RunInProgress()) ++ticksDuringRun;
        return false;
    });
    Query("HFAULT-slow3000-1", 1);
    stop = true;
    asker.join();
    EXPECT_TRUE(sawQuerying);
    EXPECT_EQ(unanswered, 0);
    EXPECT_GT(answered, 20);
    EXPECT_GT(ticksDuringRun, 20); // timers keep running through the wait
}

TEST_F(TrackingRunTest, PressDuringARunIsRefusedAndTheRunEndsWhole) {
    MainWindow& window = OpenWindow();
    bool pressedDuringRun = false;
    HANDLE threadAfterPress = reinterpret_cast<HANDLE>(1);
    InRunTimer timer(100, [&] {
        if (!window.RunInProgress() || TableRowCount(Table()) == 0) return false;
        PressQuery();
        pressedDuringRun = true;
        threadAfterPress = Globals().runThread; // closed by the run; a second run would set it
        return true;
    });
    Query("10000000001\r\nHFAULT-slow1500-1\r\n10000000003", 3);
    ASSERT_TRUE(pressedDuringRun);
    EXPECT_EQ(threadAfterPress, nullptr);
    EXPECT_EQ(TableRowCount(Table()), 3);
    EXPECT_EQ(Rows()[2][0], "3");
    EXPECT_FALSE(window.RunInProgress());
}

TEST_F(TrackingRunTest, EndingTheProgramDuringARunStopsTheRunSafely) {
    MainWindow& window = OpenWindow();
    HWND hwnd = window.Hwnd();
    InRunTimer timer(100, [&] {
        if (!window.RunInProgress() || TableRowCount(Table()) == 0) return false;
        SendMessageW(hwnd, WM_COMMAND, kMenuExit, 0); // the tray menu's "退出"
        return true;
    });
    SetText(Box(), "10000000001\r\nHFAULT-slow3000-1\r\n10000000003");
    PressQuery();
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(hwnd) && !window.RunInProgress(); }, kRunBoundMs));
    int exitCode = -1;
    EXPECT_TRUE(WaitUntil([&] { return TakeQuitMessage(&exitCode); }, 5000));
    EXPECT_EQ(exitCode, 0);
}

TEST_F(TrackingRunTest, EmptyLinesOnlyGiveARunOfNoNumbers) {
    OpenWindow();
    Query("10000000001", 1);
    Query("\r\n\r\n", 0);
    EXPECT_EQ(TableRowCount(Table()), 0);
    EXPECT_EQ(Globals().runNumberCount, 0);
    EXPECT_EQ(ReadNumberListFile(), "\r\n\r\n");
}

TEST_F(TrackingRunTest, EmptyBoxOrPlaceholderIsRefusedWithAMessage) {
    MainWindow& window = OpenWindow();
    for (const std::string& text : {std::string(), std::string(kNumbersPlaceholder), std::string("涉及多个单号")}) {
        SCOPED_TRACE(text);
        MessageBoxAnswerer answerer(IDOK);
        SetText(Box(), text);
        PressQuery();
        ASSERT_TRUE(answerer.WaitForBoxes(1, 10000));
        const SeenMessageBox seen = answerer.Seen()[0];
        EXPECT_EQ(seen.owner, window.Hwnd());
        EXPECT_EQ(seen.text, "请输入订单号后再进行查询！");
        EXPECT_EQ(seen.title, "信息：");
        EXPECT_EQ(seen.style, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
        EXPECT_EQ(GetFocus(), Box());
        EXPECT_FALSE(window.RunInProgress());
    }
}

TEST_F(TrackingRunTest, ALockedListFileDoesNotStopTheRun) {
    OpenWindow();
    WriteNumberListFile("old");
    KernelHandle held(CreateFileW(ToWide(NumberListPath()).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held);
    Query("10000000003", 1);
    EXPECT_EQ(Rows()[0][5], "已签收");
    held.Reset();
    EXPECT_EQ(ReadNumberListFile(), "old");
}

TEST_F(TrackingRunTest, NumbersGoIntoTheRequestsTrimmedAndEncoded) {
    OpenWindow();
    RecordingHttpServer server;
    ASSERT_TRUE(server.IsListening());
    server.Answer(RecordingHttpServer::Response("200 OK", "", R"([{"comCode":"yunda","id":""}])"));
    server.Answer(RecordingHttpServer::Response("200 OK", "", ""));
    server.Answer(RecordingHttpServer::Response("200 OK", "", ""));
    ServiceSites sites = CurrentServiceSites();
    sites.mainSite = sites.detailSite = server.Url("");
    SetServiceSites(sites);
    Query(" 123456 \r\n1&com=x 2#", 2);
    ASSERT_TRUE(server.WaitForRequests(3, std::chrono::milliseconds(5000)));
    const std::vector<std::string> requests = server.Requests();
    EXPECT_EQ(requests[0].substr(0, requests[0].find("\r\n")), "POST /autonumber/auto?num=123456 HTTP/1.1");
    EXPECT_EQ(requests[1].substr(0, requests[1].find("\r\n")), "GET /queryDetail.php?com=yunda&nu=123456 HTTP/1.1");
    EXPECT_EQ(requests[2].substr(0, requests[2].find("\r\n")), "POST /autonumber/auto?num=1%26com%3Dx%202%23 HTTP/1.1");
    EXPECT_EQ(Rows()[0][1], " 123456 ");
}

TEST_F(TrackingRunTest, ReminderSlidesInForDeliveriesAndARunWithoutThemLeavesItWhereItIs) {
    MainWindow& window = OpenWindow();
    HWND reminder = window.Reminder()->Hwnd();
    auto top = [&] {
        RECT r;
        GetWindowRect(reminder, &r);
        return static_cast<int>(r.top);
    };
    RECT r;
    GetWindowRect(reminder, &r);
    const int screen = GetSystemMetrics(SM_CYSCREEN);
    const int goal = screen - (r.bottom - r.top) - 30;
    ASSERT_EQ(top(), screen);

    Query("10000000001", 1); // nothing out for delivery: stays below the screen
    EXPECT_EQ(top(), screen);
    EXPECT_EQ(ReminderText(), "");

    Query("10000000004", 1);
    ASSERT_TRUE(WaitUntil([&] { return top() == goal; }, 30000)) << top();
    EXPECT_NE(ReminderText().find("10000000004"), std::string::npos);
    EXPECT_TRUE(WaitUntil([&] { return window.Timer(MainTimer::时钟3).Period() == 0; }, 5000)) << "stops at its goal";

    Query("10000000003", 1); // a run without deliveries while in view: emptied, not moved
    EXPECT_EQ(ReminderText(), "");
    EXPECT_EQ(top(), goal);

    Query("10000000021", 1); // the next run's entries only
    EXPECT_EQ(ReminderText().find("10000000004"), std::string::npos);
    EXPECT_NE(ReminderText().find("10000000021"), std::string::npos);
    EXPECT_EQ(top(), goal);
}

// A user's double-click on a row: the first click selects it, the second one double-clicks.
void DoubleClickRow(HWND table, int row) {
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = row >= 0 ? LVIS_SELECTED | LVIS_FOCUSED : 0;
    SendMessageW(table, LVM_SETITEMSTATE, static_cast<WPARAM>(row >= 0 ? row : -1), reinterpret_cast<LPARAM>(&state));
    RECT item{};
    item.left = LVIR_LABEL;
    POINT at{5, 5};
    if (row >= 0 && SendMessageW(table, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&item)))
        at = {item.left + 5, (item.top + item.bottom) / 2};
    else {
        RECT client;
        GetClientRect(table, &client);
        at = {client.right / 2, client.bottom - 5}; // the empty area below the rows
    }
    SendMessageW(table, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    SendMessageW(table, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

TEST_F(TrackingRunTest, DoubleClickShowsTheRowsWholeRouteInABalloon) {
    MainWindow& window = OpenWindow();
    Query("10000000001", 1);
    Query("99999999999\r\n20000000003\r\n10000000003", 3);
    BalloonTip& balloon = window.HistoryBalloon();

    DoubleClickRow(Table(), 1);
    ASSERT_TRUE(WaitUntil([&] { return balloon.IsShown(); }, 5000));
    EXPECT_EQ(balloon.Text(), "单号：20000000003      快递公司：顺丰速运\r\n\r\n"
                              "2026-12-01 08:00:00 【深圳市】顺丰速运已揽收\r\n"
                              "2026-12-02 06:30:00 【深圳市】快件离开深圳转运中心\r\n"
                              "2026-12-03 11:45:00 【北京市】已签收，签收人是前台\r\n");
    RECT tip;
    GetWindowRect(balloon.Hwnd(), &tip);
    POINT pointer;
    GetCursorPos(&pointer);
    InflateRect(&tip, 60, 60); // the balloon's stem points at the pointer from one of its sides
    EXPECT_TRUE(PtInRect(&tip, pointer));

    // A failed row says it has no record.
    DoubleClickRow(Table(), 0);
    EXPECT_EQ(balloon.Text(), "单号：99999999999      快递公司：\r\n抱歉暂无查询记录!");

    // No row selected, or a row the latest run's histories do not reach: nothing.
    balloon.Hide();
    DoubleClickRow(Table(), -1);
    ProcessPendingMessages();
    EXPECT_FALSE(balloon.IsShown());
    Globals().rowHistories->resize(2);
    DoubleClickRow(Table(), 2);
    ProcessPendingMessages();
    EXPECT_FALSE(balloon.IsShown());
}

TEST_F(TrackingRunTest, ARowWithoutACourierNameStillShowsItsRoute) {
    MainWindow& window = OpenWindow();
    Globals().courierDirectory->Replace({});
    ServiceSites sites = CurrentServiceSites();
    sites.mobileSite = service_ + "/all/?fault=empty&rest=";
    SetServiceSites(sites);
    Query("10000000003", 1);
    ASSERT_EQ(Rows()[0][3], "");
    DoubleClickRow(Table(), 0);
    EXPECT_EQ(window.HistoryBalloon().Text(), "单号：10000000003      快递公司：\r\n"
                                              "2026-12-01 09:15:00 【上海市】快件已被收寄\r\n"
                                              "2026-12-02 14:30:00 【北京市】已签收，签收人是本人\r\n");
}

} // namespace
} // namespace radar::test
