#include "tests/support/xlsx_reader.h"

#include <cstdlib>

namespace radar::test {

namespace {

uint32_t Read16(std::string_view b, size_t at) {
    return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8;
}

uint32_t Read32(std::string_view b, size_t at) {
    return Read16(b, at) | Read16(b, at + 2) << 16;
}

bool XmlAllows(char32_t c) {
    if (c < 0x20) return c == 0x09 || c == 0x0A || c == 0x0D;
    if (c >= 0xD800 && c <= 0xDFFF) return false;
    return c != 0xFFFE && c != 0xFFFF && c <= 0x10FFFF;
}

void PutUtf16(std::u16string& out, char32_t c) {
    if (c < 0x10000) {
        out.push_back(static_cast<char16_t>(c));
        return;
    }
    c -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
}

// One UTF-8 character at i; 0xFFFFFFFF when malformed.
char32_t NextUtf8(std::string_view s, size_t& i) {
    auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    unsigned char b = byte(i);
    int extra = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
    if (extra < 0 || i + extra >= s.size()) return 0xFFFFFFFF;
    char32_t c = extra == 0 ? b : b & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0xFFFFFFFF;
        c = (c << 6) | (byte(i + k) & 0x3F);
    }
    i += extra + 1;
    return c;
}

std::string Attribute(std::string_view tag, std::string_view name) {
    std::string key = " " + std::string(name) + "=\"";
    size_t at = tag.find(key);
    if (at == std::string_view::npos) return {};
    at += key.size();
    return std::string(tag.substr(at, tag.find('"', at) - at));
}

bool IsHex(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}

} // namespace

bool ReadLocalEntries(std::string_view archive, std::vector<StoredEntry>& entries) {
    entries.clear();
    size_t at = 0;
    while (at + 4 <= archive.size() && Read32(archive, at) == 0x04034b50) {
        if (at + 30 > archive.size()) return false;
        StoredEntry e;
        e.flags = static_cast<uint16_t>(Read16(archive, at + 6));
        e.method = static_cast<uint16_t>(Read16(archive, at + 8));
        e.crc = Read32(archive, at + 14);
        e.compressedSize = Read32(archive, at + 18);
        e.size = Read32(archive, at + 22);
        size_t nameLength = Read16(archive, at + 26);
        size_t extraLength = Read16(archive, at + 28);
        size_t data = at + 30 + nameLength + extraLength;
        if (data + e.compressedSize > archive.size()) return false;
        e.name = std::string(archive.substr(at + 30, nameLength));
        e.bytes = std::string(archive.substr(data, e.compressedSize));
        entries.push_back(std::move(e));
        at = data + entries.back().compressedSize;
    }
    return !entries.empty() && at + 4 <= archive.size() && Read32(archive, at) == 0x02014b50;
}

uint32_t ReferenceCrc32(std::string_view bytes) {
    uint32_t crc = 0xFFFFFFFF;
    for (char ch : bytes) {
        crc ^= static_cast<unsigned char>(ch);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320 & (0u - (crc & 1)));
    }
    return ~crc;
}

std::u16string DecodeCellText(std::string_view content, bool* wellFormed) {
    bool ok = true;
    std::u16string xml; // after XML references
    for (size_t i = 0; i < content.size();) {
        char ch = content[i];
        if (ch == '<' || ch == '>') ok = false;
        if (ch != '&') {
            char32_t c = NextUtf8(content, i);
            if (c == 0xFFFFFFFF) {
                ok = false;
                ++i;
                continue;
            }
            if (!XmlAllows(c)) ok = false;
            PutUtf16(xml, c == U'\r' ? U'\n' : c); // a raw CR is read as a line end
            if (c == U'\r' && i < content.size() && content[i] == '\n') ++i;
            continue;
        }
        size_t end = content.find(';', i);
        if (end == std::string_view::npos) {
            ok = false;
            break;
        }
        std::string_view name = content.substr(i + 1, end - i - 1);
        i = end + 1;
        if (name == "amp")
            xml += u'&';
        else if (name == "lt")
            xml += u'<';
        else if (name == "gt")
            xml += u'>';
        else if (name == "quot")
            xml += u'"';
        else if (name == "apos")
            xml += u'\'';
        else if (name.size() > 1 && name[0] == '#') {
            bool hex = name[1] == 'x';
            std::string digits(name.substr(hex ? 2 : 1));
            char32_t c = static_cast<char32_t>(std::strtoul(digits.c_str(), nullptr, hex ? 16 : 10));
            if (!XmlAllows(c)) ok = false;
            PutUtf16(xml, c);
        } else {
            ok = false;
        }
    }
    std::u16string text;
    for (size_t i = 0; i < xml.size(); ++i) {
        if (i + 7 <= xml.size() && xml[i] == u'_' && xml[i + 1] == u'x' && xml[i + 6] == u'_' && IsHex(xml[i + 2]) &&
            IsHex(xml[i + 3]) && IsHex(xml[i + 4]) && IsHex(xml[i + 5])) {
            std::string digits(xml.begin() + i + 2, xml.begin() + i + 6);
            text.push_back(static_cast<char16_t>(std::strtoul(digits.c_str(), nullptr, 16)));
            i += 6;
            continue;
        }
        text.push_back(xml[i]);
    }
    if (wellFormed) *wellFormed = ok;
    return text;
}

std::map<std::string, SheetCell> ReadSheetCells(std::string_view xml) {
    std::map<std::string, SheetCell> cells;
    for (size_t at = xml.find("<c "); at != std::string_view::npos; at = xml.find("<c ", at + 1)) {
        size_t tagEnd = xml.find('>', at);
        std::string_view tag = xml.substr(at, tagEnd - at);
        SheetCell cell;
        cell.style = Attribute(tag, "s");
        cell.type = Attribute(tag, "t");
        size_t close = xml.find("</c>", tagEnd);
        std::string_view body = xml.substr(tagEnd + 1, close - tagEnd - 1);
        size_t t = body.find("<t");
        if (t != std::string_view::npos) {
            size_t start = body.find('>', t) + 1;
            cell.text = DecodeCellText(body.substr(start, body.find("</t>", start) - start));
        }
        cells[Attribute(tag, "r")] = cell;
    }
    return cells;
}

} // namespace radar::test
