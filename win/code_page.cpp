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
    MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), reinterpret_cast<wchar_t*>(out.data()),
                        n);
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

std::u16string GbkToUtf16(std::string_view gbk) { return Decode(kGbkCodePage, gbk); }
std::string Utf16ToGbk(std::u16string_view utf16) { return Encode(kGbkCodePage, utf16); }
std::u16string Utf8ToUtf16(std::string_view utf8) { return Decode(CP_UTF8, utf8); }
std::string Utf16ToUtf8(std::u16string_view utf16) { return Encode(CP_UTF8, utf16); }

std::wstring ToWide(std::string_view gbk) {
    std::u16string u = GbkToUtf16(gbk);
    return std::wstring(u.begin(), u.end());
}

std::string ToGbk(std::wstring_view wide) {
    return Utf16ToGbk(std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}

#else

namespace {

// Converts with iconv; an input sequence it cannot convert is replaced and skipped.
// 'step' is how many input bytes one bad unit spans in the source encoding.
std::string Convert(const char* to, const char* from, std::string_view in, std::string_view replacement, size_t step) {
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
        // EILSEQ or a truncated tail (EINVAL): replace one unit and go on.
        out.append(replacement);
        size_t skip = srcLeft < step ? srcLeft : step;
        src += skip;
        srcLeft -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    return out;
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

constexpr std::string_view kReplacementUtf16le{"\xFD\xFF", 2};

} // namespace

std::u16string GbkToUtf16(std::string_view gbk) { return AsUtf16(Convert("UTF-16LE", "CP936", gbk, kReplacementUtf16le, 1)); }
std::string Utf16ToGbk(std::u16string_view utf16) { return Convert("CP936", "UTF-16LE", AsBytes(utf16), "?", 2); }
std::u16string Utf8ToUtf16(std::string_view utf8) { return AsUtf16(Convert("UTF-16LE", "UTF-8", utf8, kReplacementUtf16le, 1)); }
std::string Utf16ToUtf8(std::u16string_view utf16) { return Convert("UTF-8", "UTF-16LE", AsBytes(utf16), "\xEF\xBF\xBD", 2); }

#endif

} // namespace radar
