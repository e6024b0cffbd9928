#pragma once
// The one place where the program's text (GBK, code page 936) meets UTF-16 and UTF-8.
// Portable: Windows converts with the system's code pages, the native build with iconv.
// Malformed input never fails, and both builds treat it as Windows does: a bad GBK pair (lead
// byte and whatever follows) or lone lead byte becomes '?', a bad UTF-8 sequence U+FFFD (one per
// maximal subpart), a character that GBK cannot hold or a lone surrogate '?' in GBK and U+FFFD in
// UTF-8. Only Windows maps the user-defined GBK areas to private-use characters.
#include <string>
#include <string_view>

namespace radar {

inline constexpr unsigned kGbkCodePage = 936;

std::u16string GbkToUtf16(std::string_view gbk);
std::string Utf16ToGbk(std::u16string_view utf16);
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

#ifdef _WIN32
// For the W functions of Windows, whose wchar_t is UTF-16.
std::wstring ToWide(std::string_view gbk);
std::string ToGbk(std::wstring_view wide);
#endif

} // namespace radar
