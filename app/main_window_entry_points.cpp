// Handlers of the main window whose behaviour the notice feed, the counters and the skin
// provide. Each is wired to its event already; they have no behaviour in this build yet.
#include "app/main_window.h"

namespace radar {

void MainWindow::OnCounterTick() {}
void MainWindow::OnNoticePressed() {}
void MainWindow::ReadLatestVersion() {}
void MainWindow::ReadNotice() {}
void MainWindow::ApplySkin() {}

} // namespace radar
