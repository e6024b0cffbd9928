// The main window's file handlers: the saved number list, import and export.
#include "app/main_window.h"
#include "msgbox/skinned_message_box.h"
#include "tracking/file_content.h"
#include "tracking/import_check.h"
#include "tracking/number_list_file.h"
#include "tracking/table_export.h"
#include "win/code_page.h"
#include "win/controls.h"
#include "win/message_pump.h"

namespace radar {

namespace {

const char kImportTitle[] = "导入订单号：";
const char kExportTitle[] = "导出数据：";
constexpr DWORD kImportSettleMs = 1000;

const char kExportTip[] = "先导成文本.txt格式， 之后再重命名，把.txt格式换成.xls格式就可以变成office表格了哦 "
                          "\r\n\r\n                              不知道如何操作的联系作者";

// The export's notes are plain system boxes without owner, modal to the whole task.
void ShowExportNote(const std::string& text, const std::string& title, UINT icon = 0) {
    MessageBoxW(nullptr, ToWide(text).c_str(), ToWide(title).c_str(), MB_TASKMODAL | MB_OK | icon);
}

// Clears a flag when the scope ends, whichever way it ends.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
};

} // namespace

void MainWindow::LoadNumberList() {
    SetText(Control(MainId::编辑框_单号), ReadNumberListFile());
}

void MainWindow::SaveNumberList() {
    SaveNumberListFile(GetText(Control(MainId::编辑框_单号)));
}

void MainWindow::OnImportNumbers() {
    if (fileTaskRunning_) return;
    FlagScope running(fileTaskRunning_);
    ImportCheck check;
    通用对话框1_.SetType(FileDialogType::Open);
    通用对话框1_.SetTitle(kImportTitle);
    if (!通用对话框1_.Show(Hwnd())) return;
    HWND window = Hwnd();
    HWND box = Control(MainId::编辑框_单号);
    // An unreadable file reads as the empty text, and the box then shows just that.
    SetText(box, ReadTextFile(通用对话框1_.FileNameW()));
    WaitWithMessages(kImportSettleMs);
    if (!IsWindow(window)) return;
    std::string text = GetText(box);
    if (text.empty() || !check.FindsLettersOrChinese(text)) return;
    SkinnedMessageBox(window, "软件检测到你导入的数据有误，请核查！", kBoxInformation, "数据检测：");
    if (IsWindow(window)) SetFocus(box);
}

void MainWindow::OnExportTable() {
    if (fileTaskRunning_) return;
    FlagScope running(fileTaskRunning_);
    ShowExportNote(kExportTip, "导出数据提示");
    if (IsWindow(Hwnd())) ExportTable();
}

void MainWindow::ExportTable() {
    HWND window = Hwnd();
    // The table as it is now: a run that starts while Excel is filled does not change the export.
    TableExport workbook(ReadTableCells(Control(MainId::超级列表框1)));
    if (!IsWindow(window)) return;
    通用对话框1_.SetInitialFolderW(DesktopFolderW());
    通用对话框1_.SetType(FileDialogType::Save);
    通用对话框1_.SetTitle(kExportTitle);
    if (!通用对话框1_.Show(window)) return; // cancelled: no file, no message, Excel quit
    if (workbook.SaveAs(通用对话框1_.FileNameW())) {
        ShowExportNote("导出成功！", "信息：");
        return;
    }
    ShowExportNote("导出失败，文件没有保存：\r\n" + 通用对话框1_.FileName() +
                       "\r\n\r\n请确认该文件夹可以写入，并且这个文件没有被其他程序打开。",
                   "信息：", MB_ICONWARNING);
}

} // namespace radar
