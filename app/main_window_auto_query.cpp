// The auto query: the countdown, the wait for a run to fill the table, and the check box.
#include "app/main_window.h"

namespace radar {

void MainWindow::OnAutoQueryClicked() {}
void MainWindow::OnCountdownTick() {}
void MainWindow::OnRunWaitTick() {}

} // namespace radar
