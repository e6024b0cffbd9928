#include "tracking/excel_workbook.h"

#include "win/code_page.h"

namespace radar {

namespace {

ComPtr<IDispatch> GetObject(IDispatch* object, const wchar_t* name, std::initializer_list<VARIANT> args = {}) {
    Variant result;
    if (FAILED(DispatchGet(object, name, result, args))) return {};
    return result.ToDispatch();
}

} // namespace

ExcelWorkbook::ExcelWorkbook() = default;

ExcelWorkbook::~ExcelWorkbook() {
    Quit();
}

bool ExcelWorkbook::Start() {
    Quit();
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(L"Excel.Application", &clsid))) return false;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                reinterpret_cast<void**>(application_.ReleaseAndGetAddressOf()))))
        return false;
    // The save dialog has already asked before replacing a file; Excel must not ask again
    // from its hidden window.
    DispatchPut(application_.Get(), L"DisplayAlerts", Variant::Bool(false));
    ComPtr<IDispatch> workbooks = GetObject(application_.Get(), L"Workbooks");
    Variant added;
    if (workbooks && SUCCEEDED(DispatchCall(workbooks.Get(), L"Add", {}, &added))) workbook_ = added.ToDispatch();
    ComPtr<IDispatch> worksheets = workbook_ ? GetObject(workbook_.Get(), L"Worksheets") : nullptr;
    if (worksheets) sheet_ = GetObject(worksheets.Get(), L"Item", {Variant::Int(1).Ref()});
    if (sheet_) return true;
    Quit();
    return false;
}

bool ExcelWorkbook::SetTextCell(const std::string& cell, const std::string& text) {
    if (!sheet_) return false;
    std::u16string cellW = GbkToUtf16(cell);
    Variant name = Variant::Text(cellW);
    // The cell as the range's first and its last cell.
    ComPtr<IDispatch> range = GetObject(sheet_.Get(), L"Range", {name.Ref(), name.Ref()});
    if (!range) return false;
    if (FAILED(DispatchPut(range.Get(), L"NumberFormat", Variant::Text(u"@")))) return false;
    return SUCCEEDED(DispatchPut(range.Get(), L"Value", Variant::Text(GbkToUtf16(text))));
}

bool ExcelWorkbook::SaveAs(const std::wstring& pathW) {
    if (!workbook_) return false;
    Variant name = Variant::Text(std::u16string(pathW.begin(), pathW.end()));
    return SUCCEEDED(DispatchCall(workbook_.Get(), L"SaveAs", {name.Ref()}));
}

void ExcelWorkbook::Quit() {
    sheet_.Reset();
    if (workbook_) DispatchCall(workbook_.Get(), L"Close", {Variant::Bool(false).Ref()});
    workbook_.Reset();
    if (application_) DispatchCall(application_.Get(), L"Quit", {});
    application_.Reset();
}

} // namespace radar
