// The workbook the export writes itself: the sheet's rows, the cell text escaping, the zip of
// stored entries, and what independent readers (unzip, and LibreOffice where installed) find.
#include "tracking/export_workbook.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

#include "tests/support/xlsx_reader.h"
#include "tracking/stored_zip.h"
#include "tracking/xml_text.h"
#include "win/code_page.h"

namespace radar {
namespace {

using test::ReadLocalEntries;
using test::ReadSheetCells;
using test::StoredEntry;

// Three rows as a tracking run leaves them: the courier names end in CR LF.
TableCells ThreeRows() {
    TableCells table;
    table.titles = {"序号",     "单号", "最后扫描时间", "快递公司", "地点和跟踪状态（双击查看走件流程）",
                    "最后状态", "备注"};
    table.rows = {
        {"1", "7700123456", "2026-12-01 08:30:00", "圆通速递\r\n", "【杭州】已签收 <本人> & 家人", "已签收", ""},
        {"2", "0012345678901", "2026-12-02 09:00:00", "韵达快递\r\n", "派送中", "派送中", "注意"},
        {"3", "SF123", "", "", "查询失败", "", "_x0041_"},
    };
    return table;
}

TEST(Crc32Test, KnownValuesAndReference) {
    EXPECT_EQ(0u, Crc32(""));
    EXPECT_EQ(0xCBF43926u, Crc32("123456789")); // the check value of CRC-32/ISO-HDLC
    std::mt19937 random(7);
    for (int n = 0; n < 50; ++n) {
        std::string bytes(random() % 3000, '\0');
        for (char& b : bytes)
            b = static_cast<char>(random());
        EXPECT_EQ(test::ReferenceCrc32(bytes), Crc32(bytes));
    }
}

TEST(CellNameTest, ColumnLettersRunOnPastZ) {
    struct Case {
        size_t row, column;
        const char* name;
    } cases[] = {{0, 0, "A1"},   {3, 6, "G4"},    {0, 25, "Z1"},   {9, 26, "AA10"},
                 {0, 51, "AZ1"}, {0, 701, "ZZ1"}, {0, 702, "AAA1"}};
    for (const Case& c : cases)
        EXPECT_EQ(c.name, CellName(c.row, c.column));
}

TEST(SheetRowsTest, TitlesOnlyWhenTheTableHasRows) {
    TableCells table = ThreeRows();
    auto rows = SheetRows(table);
    ASSERT_EQ(4u, rows.size());
    EXPECT_EQ(table.titles, rows[0]);
    EXPECT_EQ(table.rows[2], rows[3]);

    table.rows.clear();
    EXPECT_TRUE(SheetRows(table).empty()) << "no rows: not even the titles";

    table.rows = {{"1", "123"}}; // a short row is filled up to the titles' width
    rows = SheetRows(table);
    ASSERT_EQ(2u, rows.size());
    EXPECT_EQ(7u, rows[1].size());
}

TEST(XmlCellTextTest, Escapes) {
    struct Case {
        std::u16string text;
        std::string xml;
        const char* why;
    } cases[] = {
        {u"7700123", "7700123", "plain"},
        {u"a&b<c>d\"e'", "a&amp;b&lt;c&gt;d\"e'", "markup characters"},
        {u"]]>", "]]&gt;", "the CDATA end cannot appear raw"},
        {u"圆通\r\n", "\xE5\x9C\x86\xE9\x80\x9A&#13;\n", "UTF-8; CR kept as a reference, LF and tab raw"},
        {u"\t", "\t", "tab"},
        {u"a\x01"
         u"b\x1F\x0B\x0C",
         "a_x0001_b_x001F__x000B__x000C_", "controls XML forbids"},
        {u"\xFFFE\xFFFF", "_xFFFE__xFFFF_", "non-characters XML forbids"},
        {u"_x0041_", "_x005F_x0041_", "a text that looks like an escape"},
        {u"_x00G1_ _x41_ _X0041_", "_x00G1_ _x41_ _X0041_", "what does not look like one stays"},
        {u"\xD83D\xDE00", "\xF0\x9F\x98\x80", "a surrogate pair"},
        {u"a\xD800"
         u"b\xDC00",
         "a\xEF\xBF\xBD"
         "b\xEF\xBF\xBD",
         "lone surrogates"},
        {std::u16string(1, u'\0'), "_x0000_", "a zero unit"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.xml, XmlCellText(c.text)) << c.why;
}

// Random texts weighted towards the characters that need care: the result is always well-formed
// element content, and a reader gets back exactly the text (a lone surrogate as U+FFFD).
TEST(XmlCellTextTest, RandomTextsStayWellFormedAndReadBack) {
    const char16_t alphabet[] = {u'a',   u'0',   u'_',   u'x',   u'X',   u'F',   u'&',   u'<',   u'>',  u';',
                                 u'#',   u'\r',  u'\n',  u'\t',  0x01,   0x00,   0x1F,   0x7F,   0x85,  0xD800,
                                 0xDBFF, 0xDC00, 0xDFFF, 0xFFFE, 0xFFFF, 0xFFFD, 0x4E2D, 0x3000, 0x20AC};
    std::mt19937 random(20261211);
    for (int n = 0; n < 20000; ++n) {
        std::u16string text(random() % 24, u' ');
        for (char16_t& c : text)
            c = random() % 8 == 0 ? static_cast<char16_t>(random()) : alphabet[random() % std::size(alphabet)];
        std::u16string expected = text;
        for (size_t i = 0; i < expected.size(); ++i) {
            bool high = expected[i] >= 0xD800 && expected[i] <= 0xDBFF;
            bool low = expected[i] >= 0xDC00 && expected[i] <= 0xDFFF;
            if (high && i + 1 < expected.size() && expected[i + 1] >= 0xDC00 && expected[i + 1] <= 0xDFFF) {
                ++i;
                continue;
            }
            if (high || low) expected[i] = 0xFFFD;
        }
        std::string xml = XmlCellText(text);
        bool wellFormed = false;
        std::u16string back = test::DecodeCellText(xml, &wellFormed);
        ASSERT_TRUE(wellFormed) << n << ": " << xml;
        ASSERT_EQ(expected, back) << n << ": " << xml;
    }
}

TEST(StoredZipTest, LocalHeadersCarryCrcAndSizesAndNoDataDescriptor) {
    std::string archive = MakeXlsxWorkbook(SheetRows(ThreeRows()));
    std::vector<StoredEntry> entries;
    ASSERT_TRUE(ReadLocalEntries(archive, entries));
    const char* names[] = {"[Content_Types].xml",      "_rels/.rels",  "xl/workbook.xml", "xl/_rels/workbook.xml.rels",
                           "xl/worksheets/sheet1.xml", "xl/styles.xml"};
    ASSERT_EQ(std::size(names), entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        const StoredEntry& e = entries[i];
        EXPECT_EQ(names[i], e.name);
        EXPECT_EQ(0, e.flags & 0x0008) << e.name << ": bit 3 (data descriptor) clear";
        EXPECT_EQ(0, e.method) << e.name << ": stored";
        EXPECT_EQ(e.size, e.compressedSize) << e.name;
        EXPECT_EQ(e.size, e.bytes.size()) << e.name;
        EXPECT_EQ(test::ReferenceCrc32(e.bytes), e.crc) << e.name;
    }
    // The end record counts the six entries and points at the central directory after them.
    ASSERT_GE(archive.size(), 22u);
    std::string_view end = std::string_view(archive).substr(archive.size() - 22);
    EXPECT_EQ(std::string("PK\x05\x06", 4), end.substr(0, 4));
    EXPECT_EQ(6, static_cast<unsigned char>(end[10]));
}

TEST(StoredZipTest, EmptyArchiveAndNamelessEntry) {
    EXPECT_EQ(22u, MakeStoredZip({}).size());
    EXPECT_EQ("", MakeStoredZip({{"", "x"}}));
}

std::map<std::string, test::SheetCell> SheetOf(const std::string& archive) {
    std::vector<StoredEntry> entries;
    EXPECT_TRUE(ReadLocalEntries(archive, entries));
    for (const StoredEntry& e : entries)
        if (e.name == "xl/worksheets/sheet1.xml") return ReadSheetCells(e.bytes);
    ADD_FAILURE() << "no sheet";
    return {};
}

TEST(XlsxWorkbookTest, EveryCellIsTextHoldingItsOwnText) {
    TableCells table = ThreeRows();
    auto rows = SheetRows(table);
    auto cells = SheetOf(MakeXlsxWorkbook(rows));
    EXPECT_EQ(28u, cells.size()) << "seven columns, four rows";
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < 7; ++c) {
            const test::SheetCell& cell = cells[CellName(r, c)];
            EXPECT_EQ("1", cell.style) << CellName(r, c);
            EXPECT_EQ("inlineStr", cell.type) << CellName(r, c);
            EXPECT_EQ(GbkToUtf16(rows[r][c]), cell.text) << CellName(r, c);
        }
    EXPECT_EQ(u"圆通速递\r\n", cells["D2"].text) << "CR LF as it was";
}

TEST(XlsxWorkbookTest, StylesMakeTheOneExtraFormatText) {
    std::vector<StoredEntry> entries;
    ASSERT_TRUE(ReadLocalEntries(MakeXlsxWorkbook({{"1"}}), entries));
    std::string styles = entries.back().bytes;
    EXPECT_NE(std::string::npos, styles.find("<cellXfs count=\"2\">"));
    EXPECT_NE(std::string::npos, styles.find("<xf numFmtId=\"49\""));
}

#ifndef _WIN32
// Independent readers on a written file: the system's unzip, and LibreOffice where installed.
std::string Utf8(const std::string& gbk) {
    return Utf16ToUtf8(GbkToUtf16(gbk));
}

class WrittenWorkbook : public ::testing::Test {
protected:
    void SetUp() override {
        char folder[] = "/tmp/radar-xlsx-XXXXXX";
        ASSERT_NE(nullptr, mkdtemp(folder));
        folder_ = folder;
        path_ = folder_ + "/导出.xlsx";
        std::ofstream(path_, std::ios::binary) << MakeXlsxWorkbook(SheetRows(ThreeRows()));
    }
    void TearDown() override { std::system(("rm -rf '" + folder_ + "'").c_str()); }

    static std::string Run(const std::string& command, int* status) {
        std::string out;
        FILE* pipe = popen(command.c_str(), "r");
        if (!pipe) return out;
        char buffer[4096];
        size_t n;
        while ((n = fread(buffer, 1, sizeof(buffer), pipe)) > 0)
            out.append(buffer, n);
        *status = pclose(pipe);
        return out;
    }

    std::string folder_;
    std::string path_; // the program writes GBK names on Windows; here the name is UTF-8 bytes
};

TEST_F(WrittenWorkbook, UnzipTestsTheCrcsAndReadsTheSheet) {
    int status = -1;
    Run("unzip -tq '" + path_ + "'", &status);
    EXPECT_EQ(0, status) << "unzip -t checks every entry's CRC";
    std::string sheet = Run("unzip -p '" + path_ + "' xl/worksheets/sheet1.xml", &status);
    ASSERT_EQ(0, status);
    auto cells = ReadSheetCells(sheet);
    auto rows = SheetRows(ThreeRows());
    ASSERT_EQ(28u, cells.size());
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < 7; ++c)
            EXPECT_EQ(GbkToUtf16(rows[r][c]), cells[CellName(r, c)].text) << CellName(r, c);
    EXPECT_NE(std::string::npos, sheet.find(Utf8("韵达快递") + "&#13;\n"));
    std::string listing = Run("unzip -Z -v '" + path_ + "'", &status);
    size_t withoutDescriptor = 0;
    for (size_t at = listing.find("extended local header:"); at != std::string::npos;
         at = listing.find("extended local header:", at + 1))
        if (listing.compare(listing.find_first_not_of(' ', at + 22), 2, "no") == 0) ++withoutDescriptor;
    EXPECT_EQ(6u, withoutDescriptor) << listing;
}

std::string Hex(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char b : bytes) {
        hex += digits[b >> 4];
        hex += digits[b & 15];
    }
    return hex.empty() ? "-" : hex;
}

// openpyxl, a reader of the format that shares no code with ours. It does not undo the format's
// "_xHHHH_" escape in inline strings (Excel and LibreOffice do), so it shows that one escaped.
TEST_F(WrittenWorkbook, OpenpyxlReadsEveryCellAsText) {
    int status = -1;
    std::string listing = Run("/usr/bin/python3 '" RADAR_READ_XLSX_SCRIPT "' '" + path_ + "'", &status);
    ASSERT_EQ(0, status) << listing;
    std::string expected;
    auto rows = SheetRows(ThreeRows());
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < rows[r].size(); ++c)
            expected +=
                CellName(r, c) + "\t@\t" + Hex(rows[r][c] == "_x0041_" ? "_x005F_x0041_" : Utf8(rows[r][c])) + "\n";
    EXPECT_EQ(expected, listing);
}

TEST_F(WrittenWorkbook, LibreOfficeReadsTheCells) {
    int status = -1;
    Run("command -v soffice >/dev/null 2>&1", &status);
    if (status != 0) GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    Run("cd '" + folder_ +
            "' && soffice --headless --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76' "
            "--outdir '" +
            folder_ + "' '" + path_ + "' >/dev/null 2>&1",
        &status);
    std::ifstream csvFile(folder_ + "/导出.csv", std::ios::binary);
    std::stringstream csv;
    csv << csvFile.rdbuf();
    ASSERT_FALSE(csv.str().empty()) << "soffice wrote no CSV";
    for (const auto& row : SheetRows(ThreeRows())) {
        for (const std::string& text : row) {
            if (text.empty() || text.find('\r') != std::string::npos) continue;
            EXPECT_NE(std::string::npos, csv.str().find(Utf8(text))) << Utf8(text);
        }
    }
    EXPECT_NE(std::string::npos, csv.str().find("0012345678901")) << "a text cell keeps its leading zeros";
}

#endif

} // namespace
} // namespace radar
