// The export's Excel automation, against a stand-in "Excel.Application" registered in this
// process: Excel itself is not installed here (nor under Wine at all), so a small automation
// server records the calls the export makes and answers them as Excel's object model would.
#include "tracking/excel_workbook.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/xlsx_reader.h"
#include "tracking/file_content.h"
#include "tracking/table_export.h"
#include "win/code_page.h"

namespace radar {
namespace {

// {6C1F3E0A-52B4-4E57-9A3D-7A0D5C1E2B91}
const CLSID kFakeExcelClsid = {0x6c1f3e0a, 0x52b4, 0x4e57, {0x9a, 0x3d, 0x7a, 0x0d, 0x5c, 0x1e, 0x2b, 0x91}};
const wchar_t kFakeExcelClsidText[] = L"{6C1F3E0A-52B4-4E57-9A3D-7A0D5C1E2B91}";

std::string Narrow(const std::wstring& text) {
    return ToGbk(text);
}

std::string ArgText(const VARIANT& v) {
    if (v.vt == VT_BSTR) return Narrow(std::wstring(v.bstrVal, SysStringLen(v.bstrVal)));
    if (v.vt == VT_BOOL) return v.boolVal ? "True" : "False";
    if (v.vt == VT_I4) return std::to_string(v.lVal);
    return "?";
}

// One object of the model: members by name, each call handed to 'handler' with its arguments in
// their own order (IDispatch passes them reversed).
class FakeObject : public IDispatch {
public:
    using Handler = std::function<HRESULT(const std::string& member, WORD flags, const std::vector<std::string>& args,
                                          VARIANT* result)>;
    explicit FakeObject(Handler handler) : handler_(std::move(handler)) {}
    virtual ~FakeObject() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IDispatch) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        for (UINT i = 0; i < count; ++i) {
            std::string name = Narrow(names[i]);
            auto found = ids_.find(name);
            if (found == ids_.end()) found = ids_.emplace(name, static_cast<DISPID>(ids_.size() + 1)).first;
            ids[i] = found->second;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO*, UINT*) override {
        std::string member;
        for (const auto& [name, value] : ids_)
            if (value == id) member = name;
        std::vector<std::string> args;
        for (UINT i = params->cArgs; i > 0; --i)
            args.push_back(ArgText(params->rgvarg[i - 1]));
        return handler_(member, flags, args, result);
    }

private:
    std::atomic<ULONG> references_{1};
    std::map<std::string, DISPID> ids_;
    Handler handler_;
};

void ReturnObject(VARIANT* result, IDispatch* object) {
    if (!result) {
        object->Release();
        return;
    }
    result->vt = VT_DISPATCH;
    result->pdispVal = object; // the reference passes to the caller
}

// Excel as far as the export uses it. Every call lands in 'log'.
struct FakeExcel {
    std::vector<std::string> log;
    bool refuseValues = false;
    bool refuseSave = false;
    int liveApplications = 0;

    IDispatch* MakeRange(const std::string& cell) {
        return new FakeObject([this, cell](const std::string& m, WORD, const std::vector<std::string>& a, VARIANT*) {
            log.push_back(cell + "." + m + "=" + (a.empty() ? "" : a[0]));
            return m == "Value" && refuseValues ? DISP_E_EXCEPTION : S_OK;
        });
    }
    IDispatch* MakeSheet() {
        return new FakeObject([this](const std::string& m, WORD, const std::vector<std::string>& a, VARIANT* r) {
            if (m != "Range" || a.empty()) return DISP_E_MEMBERNOTFOUND;
            log.push_back("Range(" + a[0] + (a.size() > 1 ? "," + a[1] : "") + ")");
            ReturnObject(r, MakeRange(a[0]));
            return S_OK;
        });
    }
    IDispatch* MakeWorkbook() {
        return new FakeObject([this](const std::string& m, WORD, const std::vector<std::string>& a, VARIANT* r) {
            if (m == "Worksheets") {
                ReturnObject(r, new FakeObject([this](const std::string& m2, WORD, const std::vector<std::string>& a2,
                                                      VARIANT* r2) {
                                 log.push_back(m2 + "(" + (a2.empty() ? "" : a2[0]) + ")");
                                 ReturnObject(r2, MakeSheet());
                                 return S_OK;
                             }));
                return S_OK;
            }
            std::string call = m + "(";
            for (size_t i = 0; i < a.size(); ++i)
                call += (i ? "," : "") + a[i];
            log.push_back(call + ")");
            return m == "SaveAs" && refuseSave ? DISP_E_EXCEPTION : S_OK;
        });
    }
    IDispatch* MakeApplication() {
        ++liveApplications;
        return new FakeObject([this](const std::string& m, WORD flags, const std::vector<std::string>& a, VARIANT* r) {
            if (m == "Workbooks") {
                ReturnObject(r, new FakeObject(
                                    [this](const std::string& m2, WORD, const std::vector<std::string>&, VARIANT* r2) {
                                        log.push_back("Workbooks." + m2);
                                        ReturnObject(r2, MakeWorkbook());
                                        return S_OK;
                                    }));
                return S_OK;
            }
            if (m == "Quit") --liveApplications;
            log.push_back(m + ((flags & DISPATCH_PROPERTYPUT) ? "=" + a[0] : "()"));
            return S_OK;
        });
    }
};

class FakeExcelFactory : public IClassFactory {
public:
    explicit FakeExcelFactory(FakeExcel& excel) : excel_(excel) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IClassFactory) {
            *out = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; } // lives on the test's stack
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, REFIID iid, void** out) override {
        IDispatch* application = excel_.MakeApplication();
        HRESULT hr = application->QueryInterface(iid, out);
        application->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

private:
    FakeExcel& excel_;
};

// Registers the ProgID under a root for the test's duration; removes only a key it created, so
// a real Excel's registration is never touched.
class ProgIdKey {
public:
    ProgIdKey(HKEY root, const wchar_t* path) : root_(root), path_(path) {
        HKEY key = nullptr;
        DWORD disposition = 0;
        if (RegCreateKeyExW(root, (path_ + L"\\CLSID").c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                            &disposition) != ERROR_SUCCESS)
            return;
        RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(kFakeExcelClsidText),
                       sizeof(kFakeExcelClsidText));
        RegCloseKey(key);
        created_ = disposition == REG_CREATED_NEW_KEY;
    }
    ~ProgIdKey() {
        if (created_) RegDeleteTreeW(root_, path_.c_str());
    }

private:
    HKEY root_;
    std::wstring path_;
    bool created_ = false;
};

bool ProgIdFindsTheStandIn() {
    CLSID found{};
    return SUCCEEDED(CLSIDFromProgID(L"Excel.Application", &found)) && IsEqualCLSID(kFakeExcelClsid, found);
}

// The stand-in registered under the name "Excel.Application" for the test's duration: as the
// user's own class (what Windows reads first); Wine reads only the machine's classes.
class ExcelWorkbookTest : public ::testing::Test {
protected:
    void SetUp() override {
        userKey_ = std::make_unique<ProgIdKey>(HKEY_CURRENT_USER, L"Software\\Classes\\Excel.Application");
        if (!ProgIdFindsTheStandIn())
            machineKey_ = std::make_unique<ProgIdKey>(HKEY_CLASSES_ROOT, L"Excel.Application");
        ASSERT_TRUE(ProgIdFindsTheStandIn());
        ASSERT_EQ(S_OK,
                  CoRegisterClassObject(kFakeExcelClsid, &factory_, CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, &cookie_));
    }
    void TearDown() override {
        CoRevokeClassObject(cookie_);
        machineKey_.reset();
        userKey_.reset();
        EXPECT_EQ(0, excel_.liveApplications) << "Excel was left running";
    }

    std::unique_ptr<ProgIdKey> userKey_;
    std::unique_ptr<ProgIdKey> machineKey_;
    ComInit com_;
    FakeExcel excel_;
    FakeExcelFactory factory_{excel_};
    DWORD cookie_ = 0;
};

TEST_F(ExcelWorkbookTest, FillsSavesUnderOnlyTheNameClosesAndQuits) {
    {
        ExcelWorkbook workbook;
        ASSERT_TRUE(workbook.Start());
        EXPECT_TRUE(workbook.SetTextCell("B2", "0012 圆通\r\n"));
        EXPECT_TRUE(workbook.SaveAs(L"C:\\导出.txt"));
    }
    const std::vector<std::string> expected = {
        "DisplayAlerts=False",    "Workbooks.Add",        "Item(1)",      "Range(B2,B2)", "B2.NumberFormat=@",
        "B2.Value=0012 圆通\r\n", "SaveAs(C:\\导出.txt)", "Close(False)", "Quit()",
    };
    EXPECT_EQ(expected, excel_.log);
}

TEST_F(ExcelWorkbookTest, ExportFillsEveryCellAsTextOnceAndQuitsWhenNotSaved) {
    TableCells table{{"序号", "单号"}, {{"1", "7700123"}, {"2", "SF1"}}};
    {
        TableExport workbook(table);
        EXPECT_TRUE(workbook.UsesExcel());
    } // the save dialog was cancelled
    const std::vector<std::string> expected = {
        "DisplayAlerts=False",
        "Workbooks.Add",
        "Item(1)",
        "Range(A1,A1)",
        "A1.NumberFormat=@",
        "A1.Value=序号",
        "Range(B1,B1)",
        "B1.NumberFormat=@",
        "B1.Value=单号",
        "Range(A2,A2)",
        "A2.NumberFormat=@",
        "A2.Value=1",
        "Range(B2,B2)",
        "B2.NumberFormat=@",
        "B2.Value=7700123",
        "Range(A3,A3)",
        "A3.NumberFormat=@",
        "A3.Value=2",
        "Range(B3,B3)",
        "B3.NumberFormat=@",
        "B3.Value=SF1",
        "Close(False)",
        "Quit()",
    };
    EXPECT_EQ(expected, excel_.log);
}

class TemporaryTarget {
public:
    TemporaryTarget() {
        wchar_t folder[MAX_PATH], name[MAX_PATH];
        GetTempPathW(MAX_PATH, folder);
        GetTempFileNameW(folder, L"xls", 0, name);
        pathW_ = name;
        DeleteFileW(pathW_.c_str());
    }
    ~TemporaryTarget() { DeleteFileW(pathW_.c_str()); }
    const std::wstring& Path() const { return pathW_; }

private:
    std::wstring pathW_;
};

std::map<std::string, test::SheetCell> CellsOf(const std::wstring& path) {
    std::string archive;
    EXPECT_TRUE(ReadFileContent(path, archive));
    std::vector<test::StoredEntry> entries;
    EXPECT_TRUE(test::ReadLocalEntries(archive, entries));
    for (const auto& e : entries)
        if (e.name == "xl/worksheets/sheet1.xml") return test::ReadSheetCells(e.bytes);
    return {};
}

// Excel that stops taking cells, or cannot save: our own workbook is written instead.
TEST_F(ExcelWorkbookTest, ExcelThatFailsLeavesTheExportToOurWorkbook) {
    for (bool refuseValues : {true, false}) {
        excel_.log.clear();
        excel_.refuseValues = refuseValues;
        excel_.refuseSave = !refuseValues;
        TemporaryTarget target;
        {
            TableExport workbook(TableCells{{"单号"}, {{"7700123"}}});
            EXPECT_EQ(!refuseValues, workbook.UsesExcel());
            EXPECT_TRUE(workbook.SaveAs(target.Path()));
        }
        ASSERT_FALSE(excel_.log.empty());
        EXPECT_EQ("Quit()", excel_.log.back());
        auto cells = CellsOf(target.Path());
        EXPECT_EQ(u"单号", cells["A1"].text);
        EXPECT_EQ(u"7700123", cells["A2"].text);
    }
}

TEST(ExcelMissingTest, StartFailsAndLeavesNothing) {
    // Wine has no Excel, and the stand-in is not registered outside the tests above.
    CLSID clsid;
    if (SUCCEEDED(CLSIDFromProgID(L"Excel.Application", &clsid))) GTEST_SKIP() << "Excel is installed here";
    ExcelWorkbook workbook;
    EXPECT_FALSE(workbook.Start());
    EXPECT_FALSE(workbook.Started());
    EXPECT_FALSE(workbook.SetTextCell("A1", "x"));
    EXPECT_FALSE(workbook.SaveAs(L"C:\\x.txt"));
}

} // namespace
} // namespace radar
