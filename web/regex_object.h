#pragma once
// RegexObject: regular expressions over the program's GBK text. The subject is matched as
// UTF-16, so a pattern such as "[\u4e00-\u9fa5]" sees Chinese characters; matches and groups
// are numbered from 1, and anything absent (no such match or group, a rejected pattern, no
// Create yet) reads as the empty text or 0, never as an error.
//
// On Windows each Create drives the system's VBScript.RegExp object; where that object cannot
// be made (VBScript is being retired from Windows) and in the native build, the same pattern
// runs on the standard library's ECMAScript engine, adjusted to read and match as VBScript does.
//
// An object belongs to the thread that made it: making it initialises COM there, Release (or
// the destructor) un-initialises it once.
#include <memory>
#include <string>
#include <string_view>

namespace radar {

class RegexEngine;
#ifdef _WIN32
class ComInit;
#endif

class RegexObject {
public:
    RegexObject();
    ~RegexObject();
    RegexObject(const RegexObject&) = delete;
    RegexObject& operator=(const RegexObject&) = delete;

    // Drops the pattern, the subject and the matches and un-initialises COM (once; a later
    // Create initialises it again).
    void Release();
    // A new object with the same pattern, subject and matches.
    RegexObject Clone() const;

    // Runs 'pattern' over 'subject'. With 'quote' on, every "#引号" in the pattern stands for a
    // double quote. False when the pattern was rejected or no engine could run it.
    bool Create(std::string_view pattern, std::string_view subject, bool caseSensitive = false, bool multiline = true,
                bool global = true, bool quote = false);
    // The pattern of the last Create (also when it was rejected); empty before.
    std::string GetPattern() const;
    // The subject of the last Create with each match replaced; "$1" is group 1, "$&" the match,
    // "$$" a dollar sign. Empty when the last Create failed.
    std::string Replace(std::string_view replacement) const;
    int MatchCount() const;
    // Text of match 'match' (1-based). 'position', when given, receives its 0-based byte
    // offset in the GBK subject, or -1 when there is no such match.
    std::string MatchText(int match, int* position = nullptr) const;
    // Text of group 'group' (1-based) of match 'match'; empty when the group took no part.
    // 'position' as for MatchText; where the engine does not report where a group lies
    // (VBScript), it is the first occurrence of the group's text from the start of its match.
    std::string SubMatchText(int match, int group, int* position = nullptr) const;
    // Number of groups of the first match; 0 when there is no match.
    int SubMatchCount() const;

    // For tests: whether the last Create ran on the standard library's engine.
    bool RunsOnStandardEngine() const;

private:
    struct CloneTag {};
    RegexObject(CloneTag, const RegexObject& from);
    void EnsureCom();

#ifdef _WIN32
    std::unique_ptr<ComInit> com_;
#endif
    std::unique_ptr<RegexEngine> engine_;
    std::u16string subjectW_;
};

// For tests: makes every later Create in the process use the standard library's engine even
// where VBScript.RegExp is available, so one test table can run on both engines.
void ForceStandardRegexEngine(bool force);

} // namespace radar
