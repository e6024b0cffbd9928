#include "tracking/export_workbook.h"

#include <algorithm>

#include "tracking/stored_zip.h"
#include "tracking/xml_text.h"
#include "win/code_page.h"

namespace radar {

namespace {

// Package parts. Plain ASCII, so the narrow literals are the same bytes in UTF-8.
const char kXmlDeclaration[] = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n";

const char kContentTypes[] =
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
    "<Override PartName=\"/xl/workbook.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
    "<Override PartName=\"/xl/worksheets/sheet1.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
    "<Override PartName=\"/xl/styles.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>"
    "</Types>";

const char kPackageRelationships[] =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
    "Target=\"xl/workbook.xml\"/>"
    "</Relationships>";

const char kWorkbook[] = "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                         "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
                         "<sheets><sheet name=\"Sheet1\" sheetId=\"1\" r:id=\"rId1\"/></sheets>"
                         "</workbook>";

const char kWorkbookRelationships[] =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
    "Target=\"worksheets/sheet1.xml\"/>"
    "<Relationship Id=\"rId2\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" "
    "Target=\"styles.xml\"/>"
    "</Relationships>";

// Cell format 0 is the default; format 1, the one every written cell uses, is the built-in
// number format 49, "@" (text), so a number such as a tracking number stays as typed.
const char kStyles[] =
    "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
    "<fonts count=\"1\"><font><sz val=\"11\"/><name val=\"SimSun\"/><family val=\"2\"/><charset val=\"134\"/>"
    "</font></fonts>"
    "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
    "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
    "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
    "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>"
    "<cellXfs count=\"2\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
    "<xf numFmtId=\"49\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyNumberFormat=\"1\"/></cellXfs>"
    "<cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles>"
    "</styleSheet>";

std::string Part(const char* body) {
    return std::string(kXmlDeclaration) + body;
}

std::string SheetXml(const std::vector<std::vector<std::string>>& sheetRows) {
    std::string xml = kXmlDeclaration;
    xml += "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>";
    for (size_t r = 0; r < sheetRows.size(); ++r) {
        xml += "<row r=\"" + std::to_string(r + 1) + "\">";
        for (size_t c = 0; c < sheetRows[r].size(); ++c) {
            xml += "<c r=\"" + CellName(r, c) + "\" s=\"1\" t=\"inlineStr\"><is><t xml:space=\"preserve\">";
            xml += XmlCellText(GbkToUtf16(sheetRows[r][c]));
            xml += "</t></is></c>";
        }
        xml += "</row>";
    }
    xml += "</sheetData></worksheet>";
    return xml;
}

} // namespace

std::vector<std::vector<std::string>> SheetRows(const TableCells& table) {
    std::vector<std::vector<std::string>> rows;
    if (table.rows.empty()) return rows;
    rows.push_back(table.titles);
    for (const auto& row : table.rows) {
        rows.push_back(row);
        rows.back().resize(table.titles.size());
    }
    return rows;
}

std::string CellName(size_t row, size_t column) {
    std::string name;
    for (size_t n = column + 1; n > 0; n = (n - 1) / 26)
        name.push_back(static_cast<char>('A' + (n - 1) % 26));
    std::reverse(name.begin(), name.end());
    return name + std::to_string(row + 1);
}

std::string MakeXlsxWorkbook(const std::vector<std::vector<std::string>>& sheetRows) {
    return MakeStoredZip({
        {"[Content_Types].xml", Part(kContentTypes)},
        {"_rels/.rels", Part(kPackageRelationships)},
        {"xl/workbook.xml", Part(kWorkbook)},
        {"xl/_rels/workbook.xml.rels", Part(kWorkbookRelationships)},
        {"xl/worksheets/sheet1.xml", SheetXml(sheetRows)},
        {"xl/styles.xml", Part(kStyles)},
    });
}

} // namespace radar
