#include "tracking/xml_text.h"

#include <cstdio>

namespace radar {

namespace {

bool IsHexDigit(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}

// "_xHHHH_" starts at i: a reader would take it for an escape.
bool LooksLikeEscape(std::u16string_view text, size_t i) {
    if (i + 7 > text.size() || text[i] != u'_' || text[i + 1] != u'x' || text[i + 6] != u'_') return false;
    for (size_t k = 2; k < 6; ++k)
        if (!IsHexDigit(text[i + k])) return false;
    return true;
}

bool AllowedInXml(char32_t c) {
    if (c < 0x20) return c == 0x09 || c == 0x0A || c == 0x0D;
    return c != 0xFFFE && c != 0xFFFF;
}

void PutEscape(std::string& out, char32_t c) {
    char buffer[8];
    std::snprintf(buffer, sizeof(buffer), "_x%04X_", static_cast<unsigned>(c));
    out += buffer;
}

void PutUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

} // namespace

std::string XmlCellText(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 2);
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD; // a lone surrogate has no UTF-8 form
        }
        switch (c) {
        case U'&':
            out += "&amp;";
            continue;
        case U'<':
            out += "&lt;";
            continue;
        case U'>':
            out += "&gt;";
            continue;
        case U'\r':
            out += "&#13;";
            continue;
        case U'_':
            if (LooksLikeEscape(text, i)) {
                out += "_x005F_";
                continue;
            }
            break;
        default:
            break;
        }
        if (!AllowedInXml(c)) {
            PutEscape(out, c);
            continue;
        }
        PutUtf8(out, c);
    }
    return out;
}

} // namespace radar
