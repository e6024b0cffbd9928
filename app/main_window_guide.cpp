// The tray menu's help and contact entries.
#include "app/main_window.h"

namespace radar {

void MainWindow::OnGuideMenu() {}
void MainWindow::OnFeedbackMenu() {}

} // namespace radar
