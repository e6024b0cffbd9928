#pragma once
// Microsoft Excel through its automation interface ("Excel.Application"): one hidden
// application with one new workbook, whose first sheet the export fills cell by cell.
#include <memory>
#include <string>

#include "win/com.h"

namespace radar {

class ExcelWorkbook {
public:
    ExcelWorkbook();
    // Closes the workbook without saving it and quits Excel, if still running.
    ~ExcelWorkbook();
    ExcelWorkbook(const ExcelWorkbook&) = delete;
    ExcelWorkbook& operator=(const ExcelWorkbook&) = delete;

    // Starts Excel and adds a workbook. False where Excel is not installed or does not start
    // (nothing is left running then).
    bool Start();
    bool Started() const { return sheet_ != nullptr; }

    // Formats the cell ("A1") as text ("@") and sets its value.
    bool SetTextCell(const std::string& cell, const std::string& text);
    // Saves the workbook under exactly this name, every other argument left to Excel (its
    // default workbook format, whatever the name's extension).
    bool SaveAs(const std::wstring& pathW);
    // Closes the workbook (unsaved changes dropped) and quits Excel.
    void Quit();

private:
    ComInit com_;
    ComPtr<IDispatch> application_;
    ComPtr<IDispatch> workbook_;
    ComPtr<IDispatch> sheet_;
};

} // namespace radar
