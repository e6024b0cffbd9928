// The main window's side of the tracking run: the query button, the run itself and the
// history balloon of a row.
#include <windows.h>

#include <memory>

#include "app/main_window.h"
#include "app/program_globals.h"
#include "app/reminder_window.h"
#include "msgbox/skinned_message_box.h"
#include "tracking/courier_query.h"
#include "tracking/history_view.h"
#include "tracking/tracking_run.h"
#include "web/text_utils.h"
#include "win/controls.h"

namespace radar {

namespace {

constexpr UINT kInformationStyle = 64;

struct RunStarterArguments {
    HWND label = nullptr;
    std::shared_ptr<CourierDirectory> couriers;
};

// The run starter: the run itself is queued to the user-interface thread at once, and the
// courier list is read meanwhile.
DWORD WINAPI RunStarter(void* parameter) {
    std::unique_ptr<RunStarterArguments> arguments(static_cast<RunStarterArguments*>(parameter));
    PostFeedback(arguments->label, 0, 0);
    try {
        LoadCourierList(*arguments->couriers);
    } catch (...) {
        // Out of memory while reading the list: the run goes on without courier names.
    }
    return 0;
}

bool IsPlaceholderOrEmpty(const std::string& text) {
    return text.empty() || ContainsText(text, "请将要") || ContainsText(text, "涉及多个单号");
}

} // namespace

void MainWindow::OnQueryButton() {
    ReadNotice();
    HWND box = Control(MainId::编辑框_单号);
    if (IsPlaceholderOrEmpty(GetText(box))) {
        SkinnedMessageBox(Hwnd(), "请输入订单号后再进行查询！", kInformationStyle, "信息：");
        if (!destroyed_) SetFocus(box);
        return;
    }
    // One run at a time: a press (or the countdown) while a run is on is refused; the running
    // one fills the table, which is what the countdown waits for.
    if (runRequested_ || !GlobalsBuilt()) return;
    auto* arguments = new RunStarterArguments{Control(MainId::标签_单号), Globals().courierDirectory};
    HANDLE thread = CreateThread(nullptr, 0, RunStarter, arguments, 0, nullptr);
    if (!thread) {
        delete arguments;
        return;
    }
    runRequested_ = true;
    if (Globals().runThread) CloseHandle(Globals().runThread);
    Globals().runThread = thread;
}

void MainWindow::OnTrackingFeedback(int, int) {
    if (!runRequested_ || !GlobalsBuilt() || !reminder_) {
        runRequested_ = false;
        return;
    }
    ProgramGlobals& g = Globals();
    TrackingRunWindows windows{Hwnd(), Control(MainId::编辑框_单号), Control(MainId::超级列表框1),
                               Control(MainId::标签_查询状态), reminder_->Control(ReminderId::编辑框1)};
    TrackingRunData data{g.courierDirectory, g.rowCourierCodes.get(), g.rowHistories.get(), g.cellColours.get(),
                         &g.historyBuffer,   &g.lastCourierName,      &g.runNumberCount,    &g.runThread};
    TrackingRunHooks hooks{[this] { SlideReminder(true); }, [this] { return !destroyed_; }};
    // Whatever way the run ends, the next press may start one again.
    struct RunEnd {
        bool& requested;
        ~RunEnd() { requested = false; }
    } runEnd{runRequested_};
    TrackingRun(windows, data, hooks);
}

void MainWindow::OnRowDoubleClicked() {
    if (!GlobalsBuilt()) return;
    ProgramGlobals& g = Globals();
    HistoryViewData data{g.courierDirectory.get(), g.rowCourierCodes.get(), g.rowHistories.get(), &g.lastCourierName};
    ShowRowHistory(Control(MainId::超级列表框1), 气球提示框1_, data);
}

} // namespace radar
