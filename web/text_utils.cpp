#include "web/text_utils.h"

#include "win/code_page.h"

namespace radar {

namespace {

constexpr std::string_view kFullWidthSpace = "\xA1\xA1";

bool IsLeadByte(char c) {
    return static_cast<unsigned char>(c) >= 0x80;
}

// Bytes of the character at pos; a lead byte at the very end counts as one.
size_t CharLength(std::string_view text, size_t pos) {
    return IsLeadByte(text[pos]) && pos + 1 < text.size() ? 2 : 1;
}

char FoldAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether needle stands at pos, which is a character boundary. Trail bytes compare exactly even
// when ignoring case: two different characters may differ only in a trail byte that looks like a
// letter.
bool MatchesAt(std::string_view text, size_t pos, std::string_view needle, bool ignoreCase) {
    if (text.size() - pos < needle.size()) return false;
    bool trail = false;
    for (size_t k = 0; k < needle.size(); ++k) {
        char a = text[pos + k];
        char b = needle[k];
        if (a != b && (!ignoreCase || trail || FoldAscii(a) != FoldAscii(b))) return false;
        trail = !trail && IsLeadByte(a);
    }
    return true;
}

// The first character boundary at or after the byte offset.
size_t BoundaryAtOrAfter(std::string_view text, size_t offset) {
    size_t pos = 0;
    while (pos < offset && pos < text.size())
        pos += CharLength(text, pos);
    return pos;
}

// 0-based offset of the first match at or after the boundary pos, or npos.
size_t FindFrom(std::string_view text, std::string_view needle, size_t pos, bool ignoreCase) {
    if (needle.empty()) return std::string_view::npos;
    for (; pos < text.size() && text.size() - pos >= needle.size(); pos += CharLength(text, pos))
        if (MatchesAt(text, pos, needle, ignoreCase)) return pos;
    return std::string_view::npos;
}

int ToPosition(size_t offset) {
    return offset == std::string_view::npos ? -1 : static_cast<int>(offset) + 1;
}

bool IsSpaceAt(std::string_view text, size_t pos) {
    return text[pos] == ' ' || text.substr(pos, 2) == kFullWidthSpace;
}

std::string_view UpToZero(std::string_view bytes) {
    return bytes.substr(0, bytes.find('\0'));
}

std::u16string_view UpToZero(std::u16string_view units) {
    return units.substr(0, units.find(u'\0'));
}

} // namespace

std::string TextFromBytes(std::string_view bytes) {
    return std::string(UpToZero(bytes));
}

int FindText(std::string_view text, std::string_view needle, int start, bool ignoreCase) {
    size_t offset = start <= 1 ? 0 : static_cast<size_t>(start) - 1;
    if (offset >= text.size()) return -1;
    return ToPosition(FindFrom(text, needle, BoundaryAtOrAfter(text, offset), ignoreCase));
}

int FindLastText(std::string_view text, std::string_view needle, bool ignoreCase) {
    size_t last = std::string_view::npos;
    for (size_t pos = FindFrom(text, needle, 0, ignoreCase); pos != std::string_view::npos;
         pos = FindFrom(text, needle, pos + CharLength(text, pos), ignoreCase))
        last = pos;
    return ToPosition(last);
}

bool ContainsText(std::string_view text, std::string_view needle, bool ignoreCase) {
    return FindFrom(text, needle, 0, ignoreCase) != std::string_view::npos;
}

std::string LeftText(std::string_view text, int n) {
    if (n <= 0) return {};
    return std::string(text.substr(0, static_cast<size_t>(n)));
}

std::string RightText(std::string_view text, int n) {
    if (n <= 0) return {};
    size_t count = static_cast<size_t>(n);
    return std::string(count >= text.size() ? text : text.substr(text.size() - count));
}

std::string MidText(std::string_view text, int start, int count) {
    if (start < 1 || static_cast<size_t>(start) > text.size() || count <= 0) return {};
    return std::string(text.substr(static_cast<size_t>(start) - 1, static_cast<size_t>(count)));
}

std::string TrimText(std::string_view text) {
    // Walk whole characters so that a trail byte A1 before a final A1 is not taken for a space.
    size_t begin = std::string_view::npos;
    size_t end = 0;
    for (size_t pos = 0; pos < text.size(); pos += CharLength(text, pos)) {
        if (IsSpaceAt(text, pos)) continue;
        if (begin == std::string_view::npos) begin = pos;
        end = pos + CharLength(text, pos);
    }
    if (begin == std::string_view::npos) return {};
    return std::string(text.substr(begin, end - begin));
}

std::string RemoveSpaces(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t pos = 0; pos < text.size(); pos += CharLength(text, pos))
        if (!IsSpaceAt(text, pos)) out.append(text.substr(pos, CharLength(text, pos)));
    return out;
}

std::vector<std::string> SplitText(std::string_view text, std::string_view separator) {
    std::vector<std::string> pieces;
    size_t begin = 0;
    while (begin < text.size()) {
        size_t at = FindFrom(text, separator, begin, false);
        if (at == std::string_view::npos) {
            pieces.emplace_back(text.substr(begin));
            break;
        }
        pieces.emplace_back(text.substr(begin, at - begin));
        begin = at + separator.size();
    }
    return pieces;
}

std::string ReplaceText(std::string_view text, std::string_view from, std::string_view to, bool ignoreCase) {
    std::string out;
    size_t begin = 0;
    for (size_t at = FindFrom(text, from, 0, ignoreCase); at != std::string_view::npos;
         at = FindFrom(text, from, begin, ignoreCase)) {
        out.append(text.substr(begin, at - begin)).append(to);
        begin = at + from.size();
    }
    out.append(text.substr(begin));
    return out;
}

std::string JoinTexts(const std::vector<std::string>& pieces, std::string_view separator) {
    std::string out;
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0) out.append(separator);
        out.append(pieces[i]);
    }
    return out;
}

std::string TextBetween(std::string_view text, std::string_view left, std::string_view right) {
    size_t at = FindFrom(text, left, 0, false);
    if (at == std::string_view::npos) return {};
    std::string_view rest = text.substr(at + left.size());
    size_t end = FindFrom(rest, right, 0, false);
    if (end == std::string_view::npos) return {};
    return std::string(rest.substr(0, end));
}

std::string TextBetweenAt(std::string_view text, std::string_view left, std::string_view right, int start,
                          bool ignoreCase) {
    std::string leftMarker = ReplaceText(left, kQuoteMarker, "\"");
    std::string rightMarker = ReplaceText(right, kQuoteMarker, "\"");
    int p = FindText(text, leftMarker, start, ignoreCase);
    if (p < 0) return {};
    int q = p + static_cast<int>(leftMarker.size());
    int r = FindText(text, rightMarker, q, ignoreCase);
    if (r < 0) return {};
    return std::string(text.substr(static_cast<size_t>(q) - 1, static_cast<size_t>(r - q)));
}

std::u16string TextToWide(std::string_view text, unsigned codePage) {
    std::string_view bytes = UpToZero(text);
    if (codePage == kUtf8CodePage) return Utf8ToUtf16(bytes);
    if (codePage == kGbkCodePage || codePage == kSystemCodePage) return GbkToUtf16(bytes);
    return {};
}

std::string WideToText(std::u16string_view wide, unsigned codePage) {
    std::u16string_view units = UpToZero(wide);
    if (codePage == kUtf8CodePage) return Utf16ToUtf8(units);
    if (codePage == kGbkCodePage || codePage == kSystemCodePage) return Utf16ToGbk(units);
    return {};
}

std::string Utf8ToGbk(std::string_view text) {
    return TextFromBytes(WideToText(TextToWide(text, kUtf8CodePage), kGbkCodePage));
}

} // namespace radar
