#include "tracking/import_check.h"

namespace radar {

namespace {

// As the regular-expression object reads them: \u escapes, matched against UTF-16.
const char kChinesePattern[] = "([\\u4e00-\\u9fa5]+)";
const char kLettersPattern[] = "([a-zA-Z]+)";

} // namespace

bool ImportCheck::FindsLettersOrChinese(const std::string& text) {
    chinese_.Create(kChinesePattern, text);
    if (chinese_.MatchCount() != 0) return true;
    letters_.Create(kLettersPattern, text);
    return letters_.MatchCount() != 0;
}

} // namespace radar
