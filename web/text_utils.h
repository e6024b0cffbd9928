#pragma once
// The text routines that pages, feeds and headers are taken apart with.
//
// A text is GBK bytes in a std::string; an absent text and the empty text are the same. A GBK
// character is one byte below 0x80, or a byte of 0x80 or more followed by one trail byte. The
// searches step whole characters, so a match never begins on a trail byte. Positions are 1-based
// byte positions; a search that finds nothing gives -1. No routine fails: what cannot be found or
// converted gives the empty text.
#include <string>
#include <string_view>
#include <vector>

#include "win/code_page.h"

namespace radar {

inline constexpr unsigned kUtf8CodePage = 65001;
// The system's ANSI code page (CP_ACP). The program's texts are GBK, so this means code page 936.
inline constexpr unsigned kSystemCodePage = 0;

// Stands for a double quote inside the markers of TextBetweenAt.
inline constexpr std::string_view kQuoteMarker = "#引号";

// Bytes taken as text: everything before the first zero byte.
std::string TextFromBytes(std::string_view bytes);

// Position of the first occurrence of needle at or after start (1 or less: the beginning), or -1.
// An empty needle is never found. With ignoreCase, ASCII letters compare without case; the trail
// bytes of GBK characters always compare exactly. A start inside a character begins the scan at
// the next character.
int FindText(std::string_view text, std::string_view needle, int start = 1, bool ignoreCase = false);
// Position of the last occurrence of needle, or -1.
int FindLastText(std::string_view text, std::string_view needle, bool ignoreCase = false);
bool ContainsText(std::string_view text, std::string_view needle, bool ignoreCase = false);

// The first or last n bytes, clamped to the text; empty when n is 0 or negative.
std::string LeftText(std::string_view text, int n);
std::string RightText(std::string_view text, int n);
// count bytes from the 1-based start, cut short at the end; empty when start is outside the text
// or count is 0 or negative.
std::string MidText(std::string_view text, int start, int count);

// Removes ASCII spaces and full-width spaces (A1 A1) at both ends; tabs and line breaks stay.
std::string TrimText(std::string_view text);
// Removes every ASCII space and full-width space.
std::string RemoveSpaces(std::string_view text);

// The pieces between separators, in order. Adjacent separators give an empty piece; a separator at
// the very end gives no trailing empty piece; the empty text gives no pieces. An empty separator
// gives the whole text as one piece.
std::vector<std::string> SplitText(std::string_view text, std::string_view separator);
// Replaces every occurrence of from (not overlapping, left to right) by to. An empty from changes
// nothing.
std::string ReplaceText(std::string_view text, std::string_view from, std::string_view to, bool ignoreCase = false);
// Concatenation with separator between the pieces.
std::string JoinTexts(const std::vector<std::string>& pieces, std::string_view separator = {});

// The text between the first left marker and the next right marker after it, case-sensitive.
std::string TextBetween(std::string_view text, std::string_view left, std::string_view right);
// The same from a 1-based start (0 and 1: the beginning), with both searches optionally
// ignoring case. kQuoteMarker in a marker stands for a double quote.
std::string TextBetweenAt(std::string_view text, std::string_view left, std::string_view right, int start = 0,
                          bool ignoreCase = false);

// Decodes a text (up to its first zero byte) from codePage (kUtf8CodePage, kGbkCodePage or kSystemCodePage)
// into UTF-16. The result's own terminator is the terminating zero unit. An unknown code page gives
// the empty result.
std::u16string TextToWide(std::string_view text, unsigned codePage = kUtf8CodePage);
// Encodes UTF-16 (up to its first zero unit) into codePage. Characters the code page cannot hold
// become '?'.
std::string WideToText(std::u16string_view wide, unsigned codePage = kSystemCodePage);
// A page received in UTF-8, as GBK text.
std::string Utf8ToGbk(std::string_view text);

} // namespace radar
