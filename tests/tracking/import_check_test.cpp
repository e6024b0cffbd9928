// Which imported texts earn the warning: Chinese characters of the basic block or ASCII letters.
#include "tracking/import_check.h"

#include <gtest/gtest.h>

namespace radar {
namespace {

TEST(ImportCheckTest, ChineseOrLatinLettersAreFound) {
    struct Case {
        std::string text;
        bool found;
        const char* why;
    } cases[] = {
        {"123456\r\nSF123456", true, "letters on the second line"},
        {"123456\r\n7700123\r\n", false, "digits and line breaks only"},
        {"-12 34\t56", false, "minus, spaces and tabs"},
        {"圆通快递", true, "Chinese characters"},
        {"123\r\n中", true, "one Chinese character at the end"},
        {"x", true, "one lower-case letter"},
        {"１２３", false, "full-width digits are no letters"},
        {"ＡＢＣ", false, "full-width letters are outside [a-zA-Z]"},
        {"〇、，。：", false, "Chinese punctuation and the ideographic zero lie outside U+4E00-U+9FA5"},
        {"\xFD\x9C", false, "U+F92C, a compatibility ideograph of GBK, lies outside the block"},
        {"", false, "the empty text"},
    };
    for (const Case& c : cases) {
        ImportCheck check;
        EXPECT_EQ(c.found, check.FindsLettersOrChinese(c.text)) << c.why;
    }
}

TEST(ImportCheckTest, OneObjectChecksTextAfterText) {
    ImportCheck check;
    EXPECT_TRUE(check.FindsLettersOrChinese("YT123"));
    EXPECT_FALSE(check.FindsLettersOrChinese("123"));
    EXPECT_TRUE(check.FindsLettersOrChinese("中123"));
}

} // namespace
} // namespace radar
