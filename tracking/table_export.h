#pragma once
// The export of the result table: into a new Excel workbook where Excel can be started, else
// into an .xlsx workbook that we write ourselves, with the same cells either way.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "tracking/export_workbook.h"

namespace radar {

class ExcelWorkbook;

// The list view's column titles and cell texts as they are now.
TableCells ReadTableCells(HWND listView);

class TableExport {
public:
    // Starts Excel and fills its new workbook's first sheet with the table, letting messages be
    // processed before each row and each cell. Where Excel cannot be started (or stops taking
    // cells) the table waits for SaveAs to write our own workbook.
    explicit TableExport(const TableCells& table);
    // Closes the workbook and quits Excel: an export that is not saved leaves nothing running.
    ~TableExport();
    TableExport(const TableExport&) = delete;
    TableExport& operator=(const TableExport&) = delete;

    bool UsesExcel() const;
    // Writes the workbook under exactly this name. False when no file was written.
    bool SaveAs(const std::wstring& pathW);

private:
    std::vector<std::vector<std::string>> rows_;
    std::unique_ptr<ExcelWorkbook> excel_;
};

} // namespace radar
