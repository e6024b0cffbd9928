// Import and export through the real main window: its buttons clicked, the file dialog and the
// message boxes answered from watcher threads as a user would answer them.
#include <windows.h>
#include <commctrl.h>

#include "tests/app/main_window_fixture.h"
#include "tests/support/file_dialog_answerer.h"
#include "tests/support/message_box_answerer.h"
#include "tests/support/xlsx_reader.h"
#include "tracking/file_content.h"
#include "win/controls.h"

namespace radar {
namespace {

using test::FileDialogAnswerer;
using test::MessageBoxAnswerer;

const char kWarning[] = "软件检测到你导入的数据有误，请核查！";

// A folder of the test's own under the temporary folder, removed with what is in it.
class TestFolder {
public:
    TestFolder() {
        wchar_t base[MAX_PATH];
        GetTempPathW(MAX_PATH, base);
        pathW_ = std::wstring(base) + L"radar-files-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                 std::to_wstring(counter_++);
        CreateDirectoryW(pathW_.c_str(), nullptr);
    }
    ~TestFolder() {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((pathW_ + L"\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                std::wstring name = found.cFileName;
                if (name != L"." && name != L"..") {
                    SetFileAttributesW((pathW_ + L"\\" + name).c_str(), FILE_ATTRIBUTE_NORMAL);
                    DeleteFileW((pathW_ + L"\\" + name).c_str());
                }
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(pathW_.c_str());
    }
    std::wstring File(const std::wstring& name) const { return pathW_ + L"\\" + name; }
    std::wstring Write(const std::wstring& name, const std::string& bytes) const {
        KernelHandle file(CreateFileW(File(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        DWORD written = 0;
        EXPECT_TRUE(file && WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
        return File(name);
    }
    const std::wstring& Path() const { return pathW_; }

private:
    static inline int counter_ = 0;
    std::wstring pathW_;
};

// A click on the button: the handler runs, with its dialogs, before this returns.
void Click(HWND button) {
    SendMessageW(button, BM_CLICK, 0, 0);
}

class MainWindowFilesTest : public test::MainWindowTest {
protected:
    HWND Box() { return window_->Control(MainId::编辑框_单号); }
    void Import() { Click(window_->Control(MainId::按钮_导入单号)); }
    void Export() { Click(window_->Control(MainId::按钮_导出)); }
    TestFolder folder_;
};

TEST_F(MainWindowFilesTest, ImportWithLettersShowsBothLinesWarnsAndReturnsFocus) {
    MainWindow& w = OpenWindow();
    std::wstring file = folder_.Write(L"单号.txt", "123456\r\nSF123456");
    FileDialogAnswerer dialogs(file);
    MessageBoxAnswerer boxes(IDOK);
    Import();
    // Asserted at once: the handler gave the focus back before returning.
    EXPECT_EQ(Box(), GetFocus()) << "the focus returns to the numbers box";
    EXPECT_EQ("123456\r\nSF123456", GetText(Box()));
    auto seen = boxes.Seen();
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ(kWarning, seen[0].text);
    EXPECT_EQ("数据检测：", seen[0].title);
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONINFORMATION), seen[0].style);
    EXPECT_EQ(w.Hwnd(), seen[0].owner);
    auto shown = dialogs.Seen();
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ("导入订单号：", shown[0].title);
    EXPECT_EQ(w.Hwnd(), shown[0].owner);
    EXPECT_EQ(GetCurrentThreadId(), shown[0].threadId);
    EXPECT_EQ(file, w.通用对话框1().FileNameW());
}

TEST_F(MainWindowFilesTest, ImportedTextDecidesTheWarning) {
    struct Case {
        std::string bytes;
        bool warned;
        const char* why;
    } cases[] = {
        {"123456\r\n7700123\r\n", false, "digits and line breaks only"},
        {"中通快递\r\n123", true, "Chinese text"},
        {std::string("123\r\n\0SF", 8), false, "the text ends at the first zero byte"},
        {"", false, "an empty file: nothing to check"},
    };
    MainWindow& w = OpenWindow();
    for (const Case& c : cases) {
        SetText(Box(), "old");
        std::wstring file = folder_.Write(L"list.txt", c.bytes);
        FileDialogAnswerer dialogs(file);
        MessageBoxAnswerer boxes(IDOK);
        Import();
        EXPECT_EQ(std::string(c.bytes.c_str()), GetText(Box())) << c.why;
        EXPECT_EQ(c.warned ? 1u : 0u, boxes.Seen().size()) << c.why;
        EXPECT_EQ(1u, dialogs.Seen().size()) << c.why;
    }
    EXPECT_TRUE(IsWindow(w.Hwnd()));
}

TEST_F(MainWindowFilesTest, UnreadableFileEmptiesTheBoxWithoutWarning) {
    OpenWindow();
    SetText(Box(), "7700123");
    std::wstring file = folder_.Write(L"locked.txt", "SF123");
    // Another program holds the file without sharing it.
    KernelHandle holder(CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder);
    FileDialogAnswerer dialogs(file);
    MessageBoxAnswerer boxes(IDOK);
    Import();
    EXPECT_EQ(1u, dialogs.Seen().size());
    EXPECT_EQ("", GetText(Box()));
    EXPECT_TRUE(boxes.Seen().empty());
}

TEST_F(MainWindowFilesTest, CancelledImportLeavesTheBox) {
    OpenWindow();
    SetText(Box(), "7700123\r\n456");
    FileDialogAnswerer dialogs(L""); // Cancel
    MessageBoxAnswerer boxes(IDOK);
    Import();
    EXPECT_EQ(1u, dialogs.Seen().size());
    EXPECT_EQ("7700123\r\n456", GetText(Box()));
    EXPECT_TRUE(boxes.Seen().empty());
}

void AddRow(HWND list, int row, const std::vector<std::string>& cells) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    std::wstring first = ToWide(cells[0]);
    item.pszText = first.data();
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    for (size_t c = 1; c < cells.size(); ++c) {
        std::wstring text = ToWide(cells[c]);
        item.iSubItem = static_cast<int>(c);
        item.pszText = text.data();
        SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    }
}

const std::vector<std::string> kTitles = {
    "序号", "单号", "最后扫描时间", "快递公司", "地点和跟踪状态（双击查看走件流程）", "最后状态", "备注"};

std::string CellOf(char column, size_t row) {
    std::string name = std::to_string(row);
    name.insert(name.begin(), column);
    return name;
}

std::string ExpectedTip() {
    return "先导成文本.txt格式， 之后再重命名，把.txt格式换成.xls格式就可以变成office表格了哦 \r\n\r\n" +
           std::string(30, ' ') + "不知道如何操作的联系作者";
}

TEST_F(MainWindowFilesTest, ExportWritesTheTableAsAWorkbookAndSaysSo) {
    MainWindow& w = OpenWindow();
    const std::vector<std::vector<std::string>> rows = {
        {"1", "7700123456", "2026-12-01 08:30:00", "圆通速递\r\n", "【杭州】已签收，签收人：<本人> & 家人", "已签收",
         ""},
        {"2", "0012345678", "2026-12-02 09:00:00", "韵达快递\r\n", "【上海】派送中", "派送中", ""},
        {"3", "SF123", "", "", "查询失败", "", "备注"},
    };
    HWND list = w.Control(MainId::超级列表框1);
    for (size_t r = 0; r < rows.size(); ++r)
        AddRow(list, static_cast<int>(r), rows[r]);
    std::wstring target = folder_.File(L"导出.txt");
    FileDialogAnswerer dialogs(target);
    MessageBoxAnswerer boxes(IDOK);
    Export();

    auto seen = boxes.Seen();
    ASSERT_EQ(2u, seen.size());
    EXPECT_EQ(ExpectedTip(), seen[0].text);
    EXPECT_EQ("导出数据提示", seen[0].title);
    EXPECT_EQ(static_cast<UINT>(MB_OK), seen[0].style);
    EXPECT_EQ(nullptr, seen[0].owner) << "a plain box without owner";
    EXPECT_EQ("导出成功！", seen[1].text);
    EXPECT_EQ("信息：", seen[1].title);
    EXPECT_EQ(nullptr, seen[1].owner);
    auto shown = dialogs.Seen();
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ("导出数据：", shown[0].title);
    EXPECT_EQ(w.Hwnd(), shown[0].owner);

    // Without Excel (as here) the workbook is ours: read it back cell by cell.
    std::string archive;
    ASSERT_TRUE(ReadFileContent(target, archive));
    std::vector<test::StoredEntry> entries;
    ASSERT_TRUE(test::ReadLocalEntries(archive, entries));
    std::string sheet;
    for (const auto& e : entries) {
        EXPECT_EQ(test::ReferenceCrc32(e.bytes), e.crc) << e.name;
        if (e.name == "xl/worksheets/sheet1.xml") sheet = e.bytes;
    }
    auto cells = test::ReadSheetCells(sheet);
    EXPECT_EQ(28u, cells.size());
    const char* columns = "ABCDEFG";
    for (size_t c = 0; c < 7; ++c) {
        std::string title = CellOf(columns[c], 1);
        EXPECT_EQ(GbkToUtf16(kTitles[c]), cells[title].text) << title;
        EXPECT_EQ("1", cells[title].style) << title;
        for (size_t r = 0; r < rows.size(); ++r) {
            std::string name = CellOf(columns[c], r + 2);
            EXPECT_EQ(GbkToUtf16(rows[r][c]), cells[name].text) << name;
            EXPECT_EQ("1", cells[name].style) << name << ": formatted as text";
        }
    }
    EXPECT_EQ(u"圆通速递\r\n", cells["D2"].text);
}

TEST_F(MainWindowFilesTest, CancelledExportWritesNothingAndSaysNothing) {
    MainWindow& w = OpenWindow();
    AddRow(w.Control(MainId::超级列表框1), 0, {"1", "7700123", "", "", "", "", ""});
    FileDialogAnswerer dialogs(L"");
    MessageBoxAnswerer boxes(IDOK);
    Export();
    EXPECT_EQ(1u, dialogs.Seen().size());
    auto seen = boxes.Seen();
    ASSERT_EQ(1u, seen.size()) << "only the tip";
    EXPECT_EQ("导出数据提示", seen[0].title);
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder_.Path() + L"\\*.*").c_str(), &found);
    int files = 0;
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++files;
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    EXPECT_EQ(0, files);
}

// A file that cannot be replaced: the user is told so, never "导出成功！".
TEST_F(MainWindowFilesTest, ExportThatCannotWriteSaysWhatFailed) {
    MainWindow& w = OpenWindow();
    AddRow(w.Control(MainId::超级列表框1), 0, {"1", "7700123", "", "", "", "", ""});
    std::wstring target = folder_.Write(L"只读.txt", "kept");
    ASSERT_TRUE(SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY));
    FileDialogAnswerer dialogs(target);
    MessageBoxAnswerer boxes(IDOK);
    boxes.SetYesNoButton(IDYES); // the dialog asks before replacing the file
    Export();
    auto seen = boxes.Seen();
    ASSERT_EQ(3u, seen.size());
    EXPECT_EQ(static_cast<UINT>(MB_YESNO), seen[1].style & MB_TYPEMASK) << "the replace question";
    EXPECT_NE(std::string::npos, seen[2].text.find("导出失败")) << seen[2].text;
    EXPECT_NE(std::string::npos, seen[2].text.find("只读.txt"));
    EXPECT_EQ("信息：", seen[2].title);
    std::string bytes;
    ASSERT_TRUE(ReadFileContent(target, bytes));
    EXPECT_EQ("kept", bytes);
}

// Export, then import: the import opens in the desktop folder the export chose, with its own
// title; a second import offers the name chosen before.
TEST_F(MainWindowFilesTest, TheDialogKeepsItsSettingsBetweenUses) {
    MainWindow& w = OpenWindow();
    std::wstring desktop = DesktopFolderW();
    ASSERT_FALSE(desktop.empty());
    CreateDirectoryW(desktop.c_str(), nullptr);
    std::wstring file = folder_.Write(L"numbers.txt", "123");
    {
        FileDialogAnswerer dialogs(L"");
        MessageBoxAnswerer boxes(IDOK);
        Export();
        ASSERT_EQ(1u, dialogs.Seen().size());
        EXPECT_EQ(desktop, dialogs.Seen()[0].folderW + L"\\");
        EXPECT_EQ(FileDialogType::Save, w.通用对话框1().Type());
    }
    FileDialogAnswerer dialogs(file);
    MessageBoxAnswerer boxes(IDOK);
    Import();
    Import();
    auto shown = dialogs.Seen();
    ASSERT_EQ(2u, shown.size());
    EXPECT_EQ("导入订单号：", shown[0].title);
    EXPECT_EQ(desktop, shown[0].folderW + L"\\") << "the export's folder is kept";
    EXPECT_EQ(L"", shown[0].nameW);
    EXPECT_EQ(L"numbers.txt", shown[1].nameW) << "the chosen name is kept";
    EXPECT_EQ(desktop, w.通用对话框1().InitialFolderW());
    EXPECT_EQ(FileDialogType::Open, w.通用对话框1().Type());
}

} // namespace
} // namespace radar
