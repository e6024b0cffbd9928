#pragma once
// The check of an imported number list: the numbers box takes only digits from the keyboard, so
// Chinese characters or Latin letters in an imported file are worth a warning. Portable.
#include <string>

#include "web/regex_object.h"

namespace radar {

class ImportCheck {
public:
    // Makes the two regular-expression objects, which initialise COM on this thread (the file
    // dialog that follows on Windows has it ready then).
    ImportCheck() = default;

    // True when the text holds a character of the basic CJK block (U+4E00 to U+9FA5) or an
    // ASCII letter.
    bool FindsLettersOrChinese(const std::string& text);

private:
    RegexObject chinese_;
    RegexObject letters_;
};

} // namespace radar
