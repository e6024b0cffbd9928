#pragma once
// What the export writes: the result table as a sheet, and that sheet as an .xlsx workbook
// (Office Open XML) that we write ourselves where Excel is not there to do it. Portable.
#include <string>
#include <vector>

namespace radar {

// The result table as copied out of the list view: column titles and cell texts (GBK).
struct TableCells {
    std::vector<std::string> titles;
    std::vector<std::vector<std::string>> rows;
};

// The sheet's rows from its first: the titles, then one row per table row, each as wide as the
// titles. A table without rows gives no rows at all, not even the titles.
std::vector<std::vector<std::string>> SheetRows(const TableCells& table);

// The cell name of a 0-based row and column: "A1", "G4", "AA10".
std::string CellName(size_t row, size_t column);

// The workbook: one sheet "Sheet1" holding these rows, every cell formatted as text ("@") and
// holding its text as an inline string. Empty when the package would be too large for a zip.
std::string MakeXlsxWorkbook(const std::vector<std::vector<std::string>>& sheetRows);

} // namespace radar
