// Handlers of the main window whose behaviour other subsystems provide: the tracking run,
// the auto query, the reminder slide, the notice feed and counters, import and export, the
// instructions window and the skin. Each is wired to its event already; the ones below
// without a body have no behaviour in this build yet.
#include "app/main_window.h"
#include "tracking/number_list_file.h"
#include "win/controls.h"

namespace radar {

void MainWindow::LoadNumberList() {
    SetText(Control(MainId::编辑框_单号), ReadNumberListFile());
}

void MainWindow::OnQueryButton() {}
void MainWindow::OnTrackingFeedback(int, int) {}
void MainWindow::OnAutoQueryClicked() {}
void MainWindow::OnCountdownTick() {}
void MainWindow::OnRunWaitTick() {}
void MainWindow::OnCounterTick() {}
void MainWindow::OnImportNumbers() {}
void MainWindow::OnExportTable() {}
void MainWindow::OnNoticePressed() {}
void MainWindow::OnRowDoubleClicked() {}
void MainWindow::OnGuideMenu() {}
void MainWindow::OnFeedbackMenu() {}
void MainWindow::ReadLatestVersion() {}
void MainWindow::ReadNotice() {}
void MainWindow::ApplySkin() {}

} // namespace radar
