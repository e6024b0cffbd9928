// The main window's side of the tracking run: the query button, the run itself and the
// history balloon of a row.
#include "app/main_window.h"

namespace radar {

void MainWindow::OnQueryButton() {}
void MainWindow::OnTrackingFeedback(int, int) {}
void MainWindow::OnRowDoubleClicked() {}

} // namespace radar
