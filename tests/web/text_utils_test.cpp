// Narrow literals here are GBK. Golden bytes of the characters that matter:
//   中 D6 D0, 文 CE C4, 啊 B0 A1, full-width space A1 A1,
//   癩 B0 5D (trail byte looks like ']'), 癆 B0 41 (trail 'A'), 癮 B0 61 (trail 'a').
#include "web/text_utils.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace radar;

namespace {

struct FindCase {
    const char* note;
    std::string text;
    std::string needle;
    int start;
    bool ignoreCase;
    int expected;
};

const FindCase kFindCases[] = {
    {"first occurrence", "abcabc", "bc", 1, false, 2},
    {"from a later start", "abcabc", "bc", 3, false, 5},
    {"start 0 is the beginning", "abcabc", "bc", 0, false, 2},
    {"negative start is the beginning", "abcabc", "bc", -5, false, 2},
    {"start on the last byte", "abcabc", "c", 6, false, 6},
    {"start beyond the end", "abcabc", "c", 7, false, -1},
    {"not found", "abcabc", "x", 1, false, -1},
    {"needle longer than text", "ab", "abc", 1, false, -1},
    {"empty needle", "abc", "", 1, false, -1},
    {"empty text", "", "a", 1, false, -1},
    {"case-sensitive by default", "Set-Cookie: a", "set-cookie:", 1, false, -1},
    {"ignoring case", "Set-Cookie: a", "set-cookie:", 1, true, 1},
    {"ignoring case after GBK", "中ABC", "abc", 1, true, 3},
    {"after GBK characters", "中文abc", "abc", 1, false, 5},
    {"GBK needle", "快递中文", "中文", 1, false, 5},
    {"never across a character boundary", "\xD6\xD0\xCE\xC4", "\xD0\xCE", 1, false, -1},
    {"trail byte is not ']'", "\xB0\x5D]", "]", 1, false, 3},
    {"trail byte only", "x\xB0\x5Dy", "]", 1, false, -1},
    {"start inside a character", "\xB0\x5D]", "]", 2, false, 3},
    {"trail bytes compare exactly without case", "\xB0\x41", "\xB0\x61", 1, true, -1},
    {"same character ignoring case", "x\xB0\x41", "\xB0\x41", 1, true, 2},
    {"lone lead byte at the end", "ab\xD6", "\xD6", 1, false, 3},
};

TEST(FindText, Table) {
    for (const auto& c : kFindCases)
        EXPECT_EQ(FindText(c.text, c.needle, c.start, c.ignoreCase), c.expected) << c.note;
}

TEST(FindText, ContainsAgreesWithFind) {
    for (const auto& c : kFindCases) {
        if (c.start > 1) continue;
        EXPECT_EQ(ContainsText(c.text, c.needle, c.ignoreCase), c.expected > 0) << c.note;
    }
}

TEST(FindLastText, Table) {
    struct Case {
        const char* note;
        std::string text;
        std::string needle;
        bool ignoreCase;
        int expected;
    };
    const Case cases[] = {
        {"last of several", "a,b,c", ",", false, 4},
        {"overlapping", "aaa", "aa", false, 2},
        {"only one", "abc", "a", false, 1},
        {"not found", "abc", "x", false, -1},
        {"empty needle", "abc", "", false, -1},
        {"empty text", "", "a", false, -1},
        {"trail byte ']' skipped at the end", "]\xB0\x5D", "]", false, 1},
        {"real ']' after the trail byte", "\xB0\x5D]", "]", false, 3},
        {"case-sensitive", "ABxx", "ab", false, -1},
        {"ignoring case", "ABab", "AB", true, 3},
        {"status keyword", "已签收，签收人", "签收", false, 9},
        {"never across a character boundary", "\xD6\xD0\xCE\xC4\xD6\xD0", "\xD0\xCE", false, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindLastText(c.text, c.needle, c.ignoreCase), c.expected) << c.note;
}

TEST(LeftRightMid, Table) {
    const std::string t = "abcdef";
    struct Case {
        const char* note;
        std::string actual;
        std::string expected;
    };
    const Case cases[] = {
        {"left 2", LeftText(t, 2), "ab"},
        {"left all", LeftText(t, 6), "abcdef"},
        {"left more than all", LeftText(t, 10), "abcdef"},
        {"left 0", LeftText(t, 0), ""},
        {"left negative", LeftText(t, -1), ""},
        {"left bytes, not characters", LeftText("中文", 3), "\xD6\xD0\xCE"},
        {"right 2", RightText(t, 2), "ef"},
        {"right more than all", RightText(t, 10), "abcdef"},
        {"right 0", RightText(t, 0), ""},
        {"right negative", RightText(t, -3), ""},
        {"mid", MidText(t, 2, 3), "bcd"},
        {"mid whole", MidText(t, 1, 6), "abcdef"},
        {"mid cut at the end", MidText(t, 5, 10), "ef"},
        {"mid last byte", MidText(t, 6, 1), "f"},
        {"mid start 0", MidText(t, 0, 2), ""},
        {"mid start beyond the end", MidText(t, 7, 1), ""},
        {"mid count 0", MidText(t, 2, 0), ""},
        {"mid count negative", MidText(t, 2, -1), ""},
        {"mid of empty", MidText("", 1, 1), ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.actual, c.expected) << c.note;
}

TEST(TrimText, Table) {
    struct Case {
        const char* note;
        std::string text;
        std::string expected;
    };
    const Case cases[] = {
        {"full-width and ASCII spaces; the tab stays", "\xA1\xA1 abc \t", "abc \t"},
        {"leading tab stops the trim", " \t abc", "\t abc"},
        {"line breaks stay", "\r\nabc\r\n", "\r\nabc\r\n"},
        {"trailing full-width space", "abc\xA1\xA1", "abc"},
        {"inner spaces stay", " 中 文 ", "中 文"},
        {"only spaces", "  \xA1\xA1 ", ""},
        {"empty", "", ""},
        {"啊 then a full-width space", "\xB0\xA1\xA1\xA1", "\xB0\xA1"},
        {"啊 then a lone A1 is no space", "\xB0\xA1\xA1", "\xB0\xA1\xA1"},
        {"tracking number", " 1234567890 ", "1234567890"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TrimText(c.text), c.expected) << c.note;
}

TEST(RemoveSpaces, Table) {
    struct Case {
        const char* note;
        std::string text;
        std::string expected;
    };
    const Case cases[] = {
        {"ASCII and full-width", " a b\xA1\xA1z ", "abz"},
        {"tabs and line breaks stay", "a\tb\r\n", "a\tb\r\n"},
        {"courier name", "圆通 速递 ", "圆通速递"},
        {"啊 keeps its trail A1", "\xB0\xA1\xA1\xA1 x", "\xB0\xA1x"},
        {"empty", "", ""},
        {"only spaces", " \xA1\xA1 ", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RemoveSpaces(c.text), c.expected) << c.note;
}

TEST(SplitText, Table) {
    using Pieces = std::vector<std::string>;
    const std::string rule(53, '-');
    struct Case {
        const char* note;
        std::string text;
        std::string separator;
        Pieces expected;
    };
    const Case cases[] = {
        {"trailing separator gives no empty piece", "a=1;b=2;", ";", {"a=1", "b=2"}},
        {"adjacent separators give an empty piece", "a;;b", ";", {"a", "", "b"}},
        {"empty text", "", ";", {}},
        {"only a separator", ";", ";", {""}},
        {"leading separator", ";a", ";", {"", "a"}},
        {"no separator", "abc", ";", {"abc"}},
        {"only the last empty piece is dropped", "a;;", ";", {"a", ""}},
        {"lines", "123\r\n\r\n456\r\n", "\r\n", {"123", "", "456"}},
        {"history of a failed number is kept", "h1" + rule + rule + "h3" + rule, rule, {"h1", "", "h3"}},
        {"two-byte separator", "a=1; b=2", "; ", {"a=1", "b=2"}},
        {"trail byte is no separator", "a\xB0\x5D]b", "]", {"a\xB0\x5D", "b"}},
        {"empty separator", "abc", "", {"abc"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitText(c.text, c.separator), c.expected) << c.note;
}

TEST(ReplaceText, Table) {
    struct Case {
        const char* note;
        std::string text;
        std::string from;
        std::string to;
        bool ignoreCase;
        std::string expected;
    };
    const Case cases[] = {
        {"quote marker", "a#引号b#引号", "#引号", "\"", false, "a\"b\""},
        {"by the empty text", "Set-Cookie: x", "Set-Cookie:", "", false, " x"},
        {"every case form", "SET-COOKIE: a\r\nset-cookie: b", "Set-Cookie", "Set-Cookie", true,
         "Set-Cookie: a\r\nSet-Cookie: b"},
        {"case-sensitive", "SET-COOKIE: a", "Set-Cookie", "X", false, "SET-COOKIE: a"},
        {"left to right, not overlapping", "aaa", "aa", "b", false, "ba"},
        {"replacement holds the searched text", "aba", "a", "aa", false, "aabaa"},
        {"empty from changes nothing", "abc", "", "x", false, "abc"},
        {"not found", "abc", "x", "y", false, "abc"},
        {"trail byte is not replaced", "\xB0\x5D]", "]", "", false, "\xB0\x5D"},
        {"trail bytes compare exactly without case", "\xB0\x41", "\xB0\x61", "x", true, "\xB0\x41"},
        {"empty text", "", "a", "b", false, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReplaceText(c.text, c.from, c.to, c.ignoreCase), c.expected) << c.note;
}

TEST(JoinTexts, Table) {
    EXPECT_EQ(JoinTexts({"a=1", "b=2"}, "; "), "a=1; b=2");
    EXPECT_EQ(JoinTexts({"a", "", "b"}), "ab");
    EXPECT_EQ(JoinTexts({"a"}, "; "), "a");
    EXPECT_EQ(JoinTexts({}, "; "), "");
    EXPECT_EQ(JoinTexts({"", ""}), "");
}

TEST(TextFromBytes, EndsAtTheFirstZeroByte) {
    EXPECT_EQ(TextFromBytes(std::string("ab\0cd", 5)), "ab");
    EXPECT_EQ(TextFromBytes(std::string("\0a", 2)), "");
    EXPECT_EQ(TextFromBytes("中文"), "中文");
    EXPECT_EQ(TextFromBytes(""), "");
}

TEST(TextBetween, Table) {
    struct Case {
        const char* note;
        std::string text;
        std::string left;
        std::string right;
        std::string expected;
    };
    const Case cases[] = {
        {"notice", "公告：今天放假-2015", "公告：", "-", "今天放假"},
        {"no left marker, right marker present", "今天放假-2015", "公告：", "-", ""},
        {"neither marker", "abc", "[", "]", ""},
        {"right marker only before the left one", "-x公告：今天", "公告：", "-", ""},
        {"first left, first right after it", "a[1]b[2]", "[", "]", "1"},
        {"markers touch", "a[]b", "[", "]", ""},
        {"trail byte ']' is no right marker", "[\xB0\x5D]", "[", "]", "\xB0\x5D"},
        {"left marker never across a character boundary", "\xD6\xD0\xCE\xC4x", "\xD0\xCE", "x", ""},
        {"case-sensitive", "Key:1;", "key:", ";", ""},
        {"latest version", "<title>最新版本：2.1-正式版</title>", "最新版本：", "-", "2.1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TextBetween(c.text, c.left, c.right), c.expected) << c.note;
}

TEST(TextBetweenAt, Table) {
    struct Case {
        const char* note;
        std::string text;
        std::string left;
        std::string right;
        int start;
        bool ignoreCase;
        std::string expected;
    };
    const std::string counters = "<DIV><LABEL id=zxrsts1>1234</LABEL>次 <LABEL id=zxrsts>56</LABEL>人</DIV>";
    const Case cases[] = {
        {"use count", counters, "id=zxrsts1>", "</LABEL>次", 0, false, "1234"},
        {"users online", counters, "id=zxrsts>", "</LABEL>人", 0, false, "56"},
        {"ignoring case finds lower case", "set-cookie: a=1; path=/", "Set-Cookie:", ";", 0, true, " a=1"},
        {"case-sensitive misses lower case", "set-cookie: a=1; path=/", "Set-Cookie:", ";", 0, false, ""},
        {"ignoring case applies to the right marker", "Name: v END", "name:", "end", 0, true, " v "},
        {"quote marker in both markers", "<a href=\"x.html\">", "href=#引号", "#引号", 0, false, "x.html"},
        {"start 1 is the beginning", "a[1]b[2]", "[", "]", 1, false, "1"},
        {"negative start is the beginning", "a[1]b[2]", "[", "]", -3, false, "1"},
        {"later start", "a[1]b[2]", "[", "]", 4, false, "2"},
        {"start on the last byte", "a[1]b[2]", "[", "]", 8, false, ""},
        {"start beyond the end", "a[1]b[2]", "[", "]", 9, false, ""},
        {"user agent line", "User-Agent: Foo\r\nAccept: x", "User-Agent:", "\r\n", 0, false, " Foo"},
        {"host of a URL", "http://www.kuaidi100.com/all/", "http://", "/", 0, false, "www.kuaidi100.com"},
        {"no right marker", "a[1", "[", "]", 0, false, ""},
        {"no left marker", "a1]", "[", "]", 0, false, ""},
        {"markers touch", "[]", "[", "]", 0, false, ""},
        {"left marker at the very end", "a[", "[", "]", 0, false, ""},
        {"trail byte ']' is no left marker", "\xB0\x5D]ax", "]", "x", 0, false, "a"},
        {"trail bytes compare exactly without case", "<\xB0\x41>", "<", "\xB0\x61", 0, true, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TextBetweenAt(c.text, c.left, c.right, c.start, c.ignoreCase), c.expected) << c.note;
}

TEST(TextBetweenAt, DefaultsAreStartZeroAndCaseSensitive) {
    EXPECT_EQ(TextBetweenAt("x[1]", "[", "]"), "1");
    EXPECT_EQ(TextBetweenAt("X=1;", "x=", ";"), "");
}

TEST(Utf8ToGbk, Table) {
    struct Case {
        const char* note;
        std::string utf8;
        std::string expected;
    };
    const Case cases[] = {
        {"中文", "\xE4\xB8\xAD\xE6\x96\x87", "\xD6\xD0\xCE\xC4"},
        {"ASCII", "abc", "abc"},
        {"empty", "", ""},
        {"full-width space", "\xE3\x80\x80", "\xA1\xA1"},
        {"ends at the first zero byte", std::string("\xE4\xB8\xAD\0\xE6\x96\x87", 7), "\xD6\xD0"},
        {"character GBK lacks (Hangul)", "a\xED\x95\x9Cz", "a?z"},
        {"invalid byte", "a\xFFz", "a?z"},
        {"truncated sequence at the end", "a\xE4\xB8", "a?"},
        {"page snippet", "\"context\":\"\xE5\xB7\xB2\xE7\xAD\xBE\xE6\x94\xB6\"", "\"context\":\"已签收\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Utf8ToGbk(c.utf8), c.expected) << c.note;
}

TEST(TextToWide, Table) {
    struct Case {
        const char* note;
        std::string text;
        unsigned codePage;
        std::u16string expected;
    };
    const Case cases[] = {
        {"UTF-8 by default code page", "\xE4\xB8\xAD\xE6\x96\x87", kUtf8CodePage, u"中文"},
        {"GBK", "\xD6\xD0\xCE\xC4", kGbkCodePage, u"中文"},
        {"system code page is GBK", "\xD6\xD0", kSystemCodePage, u"中"},
        {"ends at the first zero byte", std::string("a\0b", 3), kUtf8CodePage, u"a"},
        {"empty", "", kUtf8CodePage, u""},
        {"unknown code page", "abc", 1252, u""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TextToWide(c.text, c.codePage), c.expected) << c.note;
    EXPECT_EQ(TextToWide("\xE4\xB8\xAD"), u"中");
}

TEST(WideToText, Table) {
    struct Case {
        const char* note;
        std::u16string wide;
        unsigned codePage;
        std::string expected;
    };
    const Case cases[] = {
        {"GBK", u"中文", kGbkCodePage, "\xD6\xD0\xCE\xC4"},
        {"system code page is GBK", u"中文", kSystemCodePage, "\xD6\xD0\xCE\xC4"},
        {"UTF-8", u"中文", kUtf8CodePage, "\xE4\xB8\xAD\xE6\x96\x87"},
        {"ends at the first zero unit", std::u16string(u"a\0b", 3), kGbkCodePage, "a"},
        {"character GBK lacks", u"\uD55C", kGbkCodePage, "?"},
        {"empty", u"", kGbkCodePage, ""},
        {"unknown code page", u"abc", 1252, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WideToText(c.wide, c.codePage), c.expected) << c.note;
    EXPECT_EQ(WideToText(u"文"), "\xCE\xC4");
}

} // namespace
