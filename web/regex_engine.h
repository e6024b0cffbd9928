#pragma once
// What RegexObject needs from a regular-expression engine. Engines work in UTF-16 and report
// positions as 0-based counts of UTF-16 units in the subject; indexes are 0-based here (the
// 1-based numbering is RegexObject's).
#include <memory>
#include <string>
#include <string_view>

namespace radar {

struct RegexOptions {
    bool ignoreCase = true;
    bool multiline = true;
    bool global = true;
};

class RegexEngine {
public:
    virtual ~RegexEngine() = default;

    virtual std::unique_ptr<RegexEngine> Clone() const = 0;
    virtual bool IsStandard() const = 0;
    // True when the pattern ran over the subject and a match collection came back.
    virtual bool Ran() const = 0;
    virtual std::u16string Pattern() const = 0;
    virtual int MatchCount() const = 0;
    // Text and first unit of match 'match'; false when there is no such match.
    virtual bool Match(int match, std::u16string& value, int& firstIndex) const = 0;
    virtual int GroupCount(int match) const = 0;
    // Text of group 'group' of match 'match'; false when there is none or it took no part.
    // 'start' is the group's first unit, or -1 when the engine cannot tell.
    virtual bool Group(int match, int group, std::u16string& value, int& start) const = 0;
    // The subject the pattern ran over with the matches replaced ("$1" for group 1).
    virtual std::u16string Replace(std::u16string_view subject, std::u16string_view replacement) const = 0;
};

} // namespace radar
