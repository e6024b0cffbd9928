// The main window's file handlers: the saved number list, import and export.
#include "app/main_window.h"
#include "tracking/number_list_file.h"
#include "win/controls.h"

namespace radar {

void MainWindow::LoadNumberList() {
    SetText(Control(MainId::编辑框_单号), ReadNumberListFile());
}

void MainWindow::SaveNumberList() {
    SaveNumberListFile(GetText(Control(MainId::编辑框_单号)));
}

void MainWindow::OnImportNumbers() {}
void MainWindow::OnExportTable() {}

} // namespace radar
