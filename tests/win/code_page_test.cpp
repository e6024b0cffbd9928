// Golden bytes of code page 936 as Windows has it, checked in both builds.
#include "win/code_page.h"

#include <gtest/gtest.h>

#include <string>

using namespace radar;

namespace {

std::u16string Units(std::initializer_list<char16_t> units) {
    return std::u16string(units);
}

struct Pair {
    const char* note;
    std::string bytes;
    std::u16string utf16;
};

TEST(CodePage, GbkBothWays) {
    const Pair cases[] = {
        {"empty", "", u""},
        {"ASCII and line break", "abc\r\n", u"abc\r\n"},
        {"中文", "\xD6\xD0\xCE\xC4", u"\u4E2D\u6587"},
        {"full-width space", "\xA1\xA1", u"\u3000"},
        {"middle dot", "\xA1\xA4", u"\u00B7"},
        {"em dash", "\xA1\xAA", u"\u2014"},
        {"horizontal bar", "\xA8\x44", u"\u2015"},
        {"euro sign, the one single byte above 7F", "\x80", u"\u20AC"},
        {"trail byte that looks like ']'", "\xB0\x5D", u"\u7669"},
        {"GBK extension", "\x81\x40", u"\u4E02"},
        {"Latin letter", "\xA8\xA6", u"\u00E9"},
        {"zero byte inside", std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
        {"literals of the sources are GBK", "快递单号：", u"快递单号："},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GbkToUtf16(c.bytes), c.utf16) << c.note;
        EXPECT_EQ(Utf16ToGbk(c.utf16), c.bytes) << c.note;
    }
}

TEST(CodePage, Utf8BothWays) {
    const Pair cases[] = {
        {"empty", "", u""},
        {"ASCII", "abc", u"abc"},
        {"中文", "\xE4\xB8\xAD\xE6\x96\x87", u"\u4E2D\u6587"},
        {"two bytes", "\xC3\xA9", u"\u00E9"},
        {"euro sign", "\xE2\x82\xAC", u"\u20AC"},
        {"outside the basic plane: a surrogate pair", "\xF0\x9F\x98\x80", Units({0xD83D, 0xDE00})},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8ToUtf16(c.bytes), c.utf16) << c.note;
        EXPECT_EQ(Utf16ToUtf8(c.utf16), c.bytes) << c.note;
    }
}

TEST(CodePage, MalformedGbk) {
    const Pair cases[] = {
        {"lone lead byte at the end", "a\xD6", u"a?"},
        {"a lead byte takes the next byte with it", "\xD6\x20z", u"?z"},
        {"four-byte GB18030 is two bad pairs", "\x81\x30\x81\x30", u"??"},
        {"FF", "\xFFz", u"\uF8F5z"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GbkToUtf16(c.bytes), c.utf16) << c.note;
}

TEST(CodePage, MalformedUtf8) {
    const Pair cases[] = {
        {"invalid byte", "a\xFFz", u"a\uFFFDz"},
        {"truncated at the end", "a\xE4\xB8", u"a\uFFFD"},
        {"truncated before ASCII", "a\xE4\xB8z", u"a\uFFFDz"},
        {"overlong zero", "\xC0\x80", u"\uFFFD\uFFFD"},
        {"stray continuation bytes", "\x80\x80", u"\uFFFD\uFFFD"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Utf8ToUtf16(c.bytes), c.utf16) << c.note;

    // Encoded surrogates and values above U+10FFFF: Wine counts the replacements differently
    // from the Unicode practice, so only their kind is checked.
    for (const char* bytes : {"\xED\xA0\x80", "\xF4\x90\x80\x80"}) {
        std::u16string units = Utf8ToUtf16(bytes);
        EXPECT_FALSE(units.empty());
        EXPECT_EQ(units.find_first_not_of(u'\uFFFD'), std::u16string::npos);
    }
}

TEST(CodePage, Utf16WithoutGbkOrMalformed) {
    const std::u16string loneHigh = Units({0xD800, u'z'});
    const std::u16string loneLow = Units({0xDC00, u'z'});
    const Pair toGbk[] = {
        {"Hangul", "?", u"\uD55C"},
        {"outside the basic plane", "??", Units({0xD83D, 0xDE00})},
        {"replacement character", "?", u"\uFFFD"},
        {"lone high surrogate", "?z", loneHigh},
        {"lone low surrogate", "?z", loneLow},
    };
    for (const auto& c : toGbk)
        EXPECT_EQ(Utf16ToGbk(c.utf16), c.bytes) << c.note;
    EXPECT_EQ(Utf16ToUtf8(loneHigh), "\xEF\xBF\xBDz");
    EXPECT_EQ(Utf16ToUtf8(loneLow), "\xEF\xBF\xBDz");
}

#ifdef _WIN32
TEST(CodePage, WideIsUtf16) {
    EXPECT_EQ(ToWide("\xD6\xD0\xCE\xC4"), L"\u4E2D\u6587");
    EXPECT_EQ(ToGbk(L"\u4E2D\u6587"), "\xD6\xD0\xCE\xC4");
    EXPECT_EQ(ToWide(""), L"");
}
#endif

} // namespace
