#pragma once
// Reads back the workbooks the export writes, independently of the code that writes them: the
// local headers of a zip of stored entries, and the cells of a sheet's XML. Portable.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace radar::test {

struct StoredEntry {
    std::string name;
    uint16_t flags = 0;
    uint16_t method = 0;
    uint32_t crc = 0;
    uint32_t compressedSize = 0;
    uint32_t size = 0;
    std::string bytes; // compressedSize bytes after the local header
};

// The entries in archive order, from their local headers; false when the archive is cut short
// or a header is not where the previous entry's sizes say.
bool ReadLocalEntries(std::string_view archive, std::vector<StoredEntry>& entries);

// CRC-32 computed bit by bit, as a reference.
uint32_t ReferenceCrc32(std::string_view bytes);

struct SheetCell {
    std::string style; // the s attribute
    std::string type;  // the t attribute
    std::u16string text;
};

// Cells of a worksheet part by name ("A1" ...), texts with XML references and "_xHHHH_"
// escapes decoded. Only inline strings are read.
std::map<std::string, SheetCell> ReadSheetCells(std::string_view sheetXml);

// Element content as a reader sees it: XML character and entity references, then "_xHHHH_".
// Sets 'wellFormed' false when a raw '<' or '&' stands outside a reference or the bytes are
// not UTF-8 of characters that XML 1.0 allows.
std::u16string DecodeCellText(std::string_view content, bool* wellFormed = nullptr);

} // namespace radar::test
