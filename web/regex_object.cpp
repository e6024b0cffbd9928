#include "web/regex_object.h"

#include <atomic>

#include "web/regex_engine.h"
#include "web/regex_std_engine.h"
#include "win/code_page.h"

#ifdef _WIN32
#include "web/regex_vbscript_engine.h"
#include "win/com.h"
#endif

namespace radar {

namespace {

std::atomic<bool> g_forceStandardEngine{false};

// The byte offset in the GBK subject of UTF-16 unit 'unit': the length of the prefix before it.
int GbkOffset(std::u16string_view subjectW, int unit) {
    if (unit <= 0) return 0;
    return static_cast<int>(Utf16ToGbk(subjectW.substr(0, static_cast<size_t>(unit))).size());
}

std::u16string ReplaceQuoteMarks(std::u16string_view pattern) {
    static const std::u16string kMark = GbkToUtf16("#引号");
    std::u16string out;
    size_t from = 0;
    for (size_t at = pattern.find(kMark); at != std::u16string_view::npos; at = pattern.find(kMark, from)) {
        out.append(pattern.substr(from, at - from));
        out += u'"';
        from = at + kMark.size();
    }
    out.append(pattern.substr(from));
    return out;
}

} // namespace

void ForceStandardRegexEngine(bool force) {
    g_forceStandardEngine = force;
}

RegexObject::RegexObject() {
    EnsureCom();
}

RegexObject::RegexObject(CloneTag, const RegexObject& from) : subjectW_(from.subjectW_) {
    EnsureCom();
    if (from.engine_) engine_ = from.engine_->Clone();
}

RegexObject::~RegexObject() {
    Release();
}

void RegexObject::EnsureCom() {
#ifdef _WIN32
    if (!com_) com_ = std::make_unique<ComInit>();
#endif
}

void RegexObject::Release() {
    // The COM objects go before COM is un-initialised.
    engine_.reset();
    subjectW_.clear();
#ifdef _WIN32
    com_.reset();
#endif
}

RegexObject RegexObject::Clone() const {
    return RegexObject(CloneTag{}, *this);
}

bool RegexObject::Create(std::string_view pattern, std::string_view subject, bool caseSensitive, bool multiline,
                         bool global, bool quote) {
    engine_.reset();
    EnsureCom();
    std::u16string patternW = GbkToUtf16(pattern);
    if (quote) patternW = ReplaceQuoteMarks(patternW);
    subjectW_ = GbkToUtf16(subject);
    RegexOptions options{!caseSensitive, multiline, global};
#ifdef _WIN32
    if (!g_forceStandardEngine) engine_ = RunVbscriptRegex(patternW, subjectW_, options);
#endif
    if (!engine_) engine_ = RunStdRegex(patternW, subjectW_, options);
    return engine_->Ran();
}

std::string RegexObject::GetPattern() const {
    return engine_ ? Utf16ToGbk(engine_->Pattern()) : std::string();
}

std::string RegexObject::Replace(std::string_view replacement) const {
    if (!engine_ || !engine_->Ran()) return {};
    return Utf16ToGbk(engine_->Replace(subjectW_, GbkToUtf16(replacement)));
}

int RegexObject::MatchCount() const {
    return engine_ && engine_->Ran() ? engine_->MatchCount() : 0;
}

std::string RegexObject::MatchText(int match, int* position) const {
    if (position) *position = -1;
    std::u16string value;
    int first = 0;
    if (match < 1 || !engine_ || !engine_->Match(match - 1, value, first)) return {};
    if (position) *position = GbkOffset(subjectW_, first);
    return Utf16ToGbk(value);
}

std::string RegexObject::SubMatchText(int match, int group, int* position) const {
    if (position) *position = -1;
    std::u16string value, whole;
    int first = 0;
    int start = -1;
    if (match < 1 || group < 1 || !engine_ || !engine_->Match(match - 1, whole, first) ||
        !engine_->Group(match - 1, group - 1, value, start))
        return {};
    if (position) {
        if (start < 0) {
            size_t found = subjectW_.find(value, static_cast<size_t>(first));
            start = found == std::u16string::npos ? first : static_cast<int>(found);
        }
        *position = GbkOffset(subjectW_, start);
    }
    return Utf16ToGbk(value);
}

int RegexObject::SubMatchCount() const {
    return engine_ ? engine_->GroupCount(0) : 0;
}

bool RegexObject::RunsOnStandardEngine() const {
    return engine_ && engine_->IsStandard();
}

} // namespace radar
