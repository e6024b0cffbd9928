#include "tracking/table_export.h"

#include <commctrl.h>

#include "tracking/excel_workbook.h"
#include "tracking/file_content.h"
#include "tracking/result_table.h"
#include "win/code_page.h"
#include "win/message_pump.h"

namespace radar {

namespace {

std::string ColumnTitle(HWND list, int column) {
    wchar_t buffer[512] = {};
    LVCOLUMNW lvc{};
    lvc.mask = LVCF_TEXT;
    lvc.pszText = buffer;
    lvc.cchTextMax = 512;
    if (!SendMessageW(list, LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&lvc))) return {};
    return ToGbk(buffer);
}

} // namespace

TableCells ReadTableCells(HWND list) {
    TableCells table;
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    const int columns = header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    for (int c = 0; c < columns; ++c)
        table.titles.push_back(ColumnTitle(list, c));
    const int rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int r = 0; r < rows; ++r) {
        std::vector<std::string> row;
        for (int c = 0; c < columns; ++c)
            row.push_back(TableCell(list, r, c));
        table.rows.push_back(std::move(row));
    }
    return table;
}

TableExport::TableExport(const TableCells& table) : rows_(SheetRows(table)) {
    auto excel = std::make_unique<ExcelWorkbook>();
    if (!excel->Start()) return;
    for (size_t r = 0; r < rows_.size(); ++r) {
        ProcessPendingMessages();
        for (size_t c = 0; c < rows_[r].size(); ++c) {
            ProcessPendingMessages();
            if (!excel->SetTextCell(CellName(r, c), rows_[r][c])) return; // Excel is quit; ours writes
        }
    }
    excel_ = std::move(excel);
}

TableExport::~TableExport() = default;

bool TableExport::UsesExcel() const {
    return excel_ != nullptr;
}

bool TableExport::SaveAs(const std::wstring& pathW) {
    if (excel_ && excel_->SaveAs(pathW)) return true;
    // Without Excel, or when Excel could not save: our own workbook under the same name.
    std::string workbook = MakeXlsxWorkbook(rows_);
    return !workbook.empty() && ReplaceFileContent(pathW, workbook);
}

} // namespace radar
