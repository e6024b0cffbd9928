#include "win/code_page.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#include <cerrno>
#endif

namespace radar {

#ifdef _WIN32

namespace {

std::u16string Decode(unsigned codePage, std::string_view bytes) {
    if (bytes.empty()) return {};
    int n = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::u16string out(static_cast<size_t>(n), u'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()),
                        reinterpret_cast<wchar_t*>(out.data()), n);
    return out;
}

std::string Encode(unsigned codePage, std::u16string_view text) {
    if (text.empty()) return {};
    auto wide = reinterpret_cast<const wchar_t*>(text.data());
    int n = WideCharToMultiByte(codePage, 0, wide, static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, wide, static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

} // namespace

std::u16string GbkToUtf16(std::string_view gbk) {
    return Decode(kGbkCodePage, gbk);
}
std::string Utf16ToGbk(std::u16string_view utf16) {
    return Encode(kGbkCodePage, utf16);
}
std::u16string Utf8ToUtf16(std::string_view utf8) {
    return Decode(CP_UTF8, utf8);
}
std::string Utf16ToUtf8(std::u16string_view utf16) {
    return Encode(CP_UTF8, utf16);
}

std::wstring ToWide(std::string_view gbk) {
    std::u16string u = GbkToUtf16(gbk);
    return std::wstring(u.begin(), u.end());
}

std::string ToGbk(std::wstring_view wide) {
    return Utf16ToGbk(std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}

#else

namespace {

// What replaces one sequence that cannot be converted: appends the replacement to out and returns
// how many input bytes the sequence spans (at least 1, at most rest.size()).
using BadSequence = size_t (*)(std::string_view rest, std::string& out);

// Converts with iconv; a sequence it cannot convert is replaced and skipped as 'bad' says.
std::string Convert(const char* to, const char* from, std::string_view in, BadSequence bad) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return {};
    std::string out;
    char buffer[4096];
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    while (srcLeft > 0) {
        char* dst = buffer;
        size_t dstLeft = sizeof(buffer);
        size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer, static_cast<size_t>(dst - buffer));
        if (r != static_cast<size_t>(-1)) continue;
        if (errno == E2BIG) continue;
        // EILSEQ or a truncated tail (EINVAL): replace the sequence and go on.
        size_t skip = bad(std::string_view(src, srcLeft), out);
        src += skip;
        srcLeft -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    return out;
}

constexpr std::string_view kReplacementUtf16le{"\xFD\xFF", 2};

unsigned char ByteAt(std::string_view s, size_t i) {
    return static_cast<unsigned char>(s[i]);
}

// As code page 936 of Windows: a lead byte (81..FE) takes the next byte with it, whatever it is,
// and the pair becomes '?'; FF is U+F8F5.
size_t BadGbk(std::string_view rest, std::string& out) {
    unsigned char b = ByteAt(rest, 0);
    out.append(b == 0xFF ? std::string_view("\xF5\xF8", 2) : std::string_view("?\0", 2));
    return b >= 0x81 && b <= 0xFE && rest.size() >= 2 ? 2 : 1;
}

// One U+FFFD for each maximal subpart of an ill-formed UTF-8 sequence, as Unicode recommends:
// a valid start with too few continuation bytes is one unit; any other bad byte is one unit.
size_t BadUtf8(std::string_view rest, std::string& out) {
    out.append(kReplacementUtf16le);
    unsigned char b = ByteAt(rest, 0);
    size_t need = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (b >= 0xC2 && b <= 0xDF) {
        need = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
        need = 3;
        if (b == 0xE0) low = 0xA0;
        if (b == 0xED) high = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        need = 4;
        if (b == 0xF0) low = 0x90;
        if (b == 0xF4) high = 0x8F;
    }
    if (need == 0 || rest.size() < 2 || ByteAt(rest, 1) < low || ByteAt(rest, 1) > high) return 1;
    size_t n = 2;
    while (n < need && n < rest.size() && ByteAt(rest, n) >= 0x80 && ByteAt(rest, n) <= 0xBF)
        ++n;
    return n;
}

// A unit of UTF-16 that cannot be converted (a lone surrogate, or a character the target lacks).
size_t BadUtf16ToGbk(std::string_view rest, std::string& out) {
    out.push_back('?');
    return rest.size() < 2 ? rest.size() : 2;
}

size_t BadUtf16ToUtf8(std::string_view rest, std::string& out) {
    out.append("\xEF\xBF\xBD");
    return rest.size() < 2 ? rest.size() : 2;
}

std::u16string AsUtf16(const std::string& bytes) {
    std::u16string out(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                       (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    return out;
}

std::string AsBytes(std::u16string_view text) {
    std::string out(text.size() * 2, '\0');
    for (size_t i = 0; i < text.size(); ++i) {
        out[2 * i] = static_cast<char>(text[i] & 0xFF);
        out[2 * i + 1] = static_cast<char>(text[i] >> 8);
    }
    return out;
}

} // namespace

std::u16string GbkToUtf16(std::string_view gbk) {
    return AsUtf16(Convert("UTF-16LE", "CP936", gbk, BadGbk));
}
std::string Utf16ToGbk(std::u16string_view utf16) {
    return Convert("CP936", "UTF-16LE", AsBytes(utf16), BadUtf16ToGbk);
}
std::u16string Utf8ToUtf16(std::string_view utf8) {
    return AsUtf16(Convert("UTF-16LE", "UTF-8", utf8, BadUtf8));
}
std::string Utf16ToUtf8(std::u16string_view utf16) {
    return Convert("UTF-8", "UTF-16LE", AsBytes(utf16), BadUtf16ToUtf8);
}

#endif

} // namespace radar
