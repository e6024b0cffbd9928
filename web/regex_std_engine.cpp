#include "web/regex_std_engine.h"

#include <cwchar>
#include <cwctype>
#include <locale>
#include <optional>
#include <regex>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#include "win/handle.h"
#else
#include <locale.h>
#include <pthread.h>
#endif

namespace radar {

namespace {

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}
bool IsOctal(char16_t c) {
    return c >= u'0' && c <= u'7';
}
bool IsHex(char16_t c) {
    return IsDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}
bool IsAsciiLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}
bool IsClassEscape(char16_t c) {
    return std::u16string_view(u"dDsSwW").find(c) != std::u16string_view::npos;
}
bool IsSyntaxChar(char16_t c) {
    return std::u16string_view(u"^$\\.*+?()[]{}|/-").find(c) != std::u16string_view::npos;
}

// Rewrites a VBScript pattern into one that the standard library's ECMAScript grammar reads
// the same way. Whatever VBScript itself rejects is passed on for the library to reject too.
class PatternTranslator {
public:
    explicit PatternTranslator(std::u16string_view pattern) : p_(pattern) {}

    // Empty when VBScript would reject a pattern that the library takes (a quantified quantifier).
    std::optional<std::wstring> Run() {
        // 0: no quantifier just before; 1: a quantifier, which a '?' may make lazy; 2: a lazy one.
        int quantified = 0;
        while (i_ < p_.size()) {
            char16_t c = p_[i_];
            size_t braceEnd = c == u'{' ? QuantifierEnd() : 0;
            if (c == u'*' || c == u'+' || c == u'?' || braceEnd != 0) {
                if (quantified == 1 && c == u'?') {
                    quantified = 2;
                } else if (quantified != 0) {
                    return std::nullopt; // "a**": nothing to repeat
                } else {
                    quantified = 1;
                }
                size_t end = braceEnd != 0 ? braceEnd : i_ + 1;
                for (; i_ < end; ++i_)
                    out_ += static_cast<wchar_t>(p_[i_]);
                continue;
            }
            quantified = 0;
            if (c == u'\\') {
                Escape();
            } else if (c == u'[') {
                Class();
            } else if (c == u'.') {
                // VBScript's dot excludes the line feed only; the library's would also exclude CR.
                out_ += L"[^\\n]";
                ++i_;
            } else if (c == u'(') {
                if (i_ + 1 >= p_.size() || p_[i_ + 1] != u'?') ++groups_;
                out_ += L'(';
                ++i_;
            } else if (c == u'{' || c == u'}') {
                // A brace that starts no quantifier is a literal.
                out_ += L'\\';
                out_ += static_cast<wchar_t>(c);
                ++i_;
            } else {
                out_ += static_cast<wchar_t>(c);
                ++i_;
            }
        }
        return out_;
    }

private:
    void Unit(unsigned value) {
        static const wchar_t kHex[] = L"0123456789ABCDEF";
        out_ += L"\\u";
        for (int shift = 12; shift >= 0; shift -= 4)
            out_ += kHex[(value >> shift) & 0xF];
    }

    void Literal(char16_t c) {
        if (IsSyntaxChar(c)) out_ += L'\\';
        out_ += static_cast<wchar_t>(c);
    }

    // One past the '}' of a quantifier {n}, {n,} or {n,m} at i_; 0 when there is none.
    size_t QuantifierEnd() const {
        size_t j = i_ + 1;
        size_t digits = j;
        while (j < p_.size() && IsDigit(p_[j]))
            ++j;
        if (j == digits) return 0;
        if (j < p_.size() && p_[j] == u',') {
            ++j;
            while (j < p_.size() && IsDigit(p_[j]))
                ++j;
        }
        return j < p_.size() && p_[j] == u'}' ? j + 1 : 0;
    }

    // Up to 'maxDigits' octal digits from i_ (at least one there); "\0" to "\377".
    void Octal() {
        int maxDigits = p_[i_] <= u'3' ? 3 : 2;
        unsigned value = 0;
        for (int n = 0; n < maxDigits && i_ < p_.size() && IsOctal(p_[i_]); ++n, ++i_)
            value = value * 8 + (p_[i_] - u'0');
        Unit(value);
    }

    // Escapes that read the same inside and outside a class. i_ is at the backslash.
    void CommonEscape(char16_t d) {
        if (d == u'u' || d == u'x') {
            size_t digits = d == u'u' ? 4 : 2;
            bool ok = i_ + 2 + digits <= p_.size();
            for (size_t k = 0; ok && k < digits; ++k)
                ok = IsHex(p_[i_ + 2 + k]);
            if (!ok) {
                // Not a complete escape: the letter itself.
                out_ += static_cast<wchar_t>(d);
                i_ += 2;
                return;
            }
            for (size_t k = 0; k < 2 + digits; ++k)
                out_ += static_cast<wchar_t>(p_[i_ + k]);
            i_ += 2 + digits;
        } else if (d == u'c') {
            if (i_ + 2 < p_.size() && IsAsciiLetter(p_[i_ + 2])) {
                Unit(p_[i_ + 2] % 32);
                i_ += 3;
            } else {
                // A backslash of its own; the 'c' is read next as an ordinary character.
                out_ += L"\\\\";
                ++i_;
            }
        } else if (IsDigit(d)) {
            ++i_;
            if (IsOctal(d)) {
                Octal();
            } else {
                out_ += static_cast<wchar_t>(d);
                ++i_;
            }
        } else if (std::u16string_view(u"fnrtv").find(d) != std::u16string_view::npos) {
            out_ += L'\\';
            out_ += static_cast<wchar_t>(d);
            i_ += 2;
        } else {
            Literal(d);
            i_ += 2;
        }
    }

    void Escape() {
        if (i_ + 1 >= p_.size()) {
            out_ += L'\\'; // a trailing backslash: rejected by the library as by VBScript
            ++i_;
            return;
        }
        char16_t d = p_[i_ + 1];
        if (d >= u'1' && d <= u'9') {
            // A back-reference when that many groups precede it (two digits first, then one),
            // otherwise an octal escape; \8 and \9 are the digits themselves.
            int first = d - u'0';
            if (i_ + 2 < p_.size() && IsDigit(p_[i_ + 2])) {
                int two = first * 10 + (p_[i_ + 2] - u'0');
                if (two <= groups_) {
                    BackReference(two);
                    i_ += 3;
                    return;
                }
            }
            if (first <= groups_) {
                BackReference(first);
                i_ += 2;
                return;
            }
        }
        if (IsClassEscape(d) || std::u16string_view(u"bB").find(d) != std::u16string_view::npos) {
            out_ += L'\\';
            out_ += static_cast<wchar_t>(d);
            i_ += 2;
            return;
        }
        CommonEscape(d);
    }

    // Wrapped so that a digit after it is not read as part of the number.
    void BackReference(int n) { out_ += L"(?:\\" + std::to_wstring(n) + L")"; }

    void Class() {
        out_ += L'[';
        ++i_;
        if (i_ < p_.size() && p_[i_] == u'^') {
            out_ += L'^';
            ++i_;
        }
        if (i_ < p_.size() && p_[i_] == u']') {
            // "[]" matches nothing and "[^]" anything, as in VBScript.
            out_ += L']';
            ++i_;
            return;
        }
        bool afterClassEscape = false;
        while (i_ < p_.size() && p_[i_] != u']') {
            char16_t c = p_[i_];
            bool classEscape = false;
            if (c == u'\\' && i_ + 1 < p_.size()) {
                char16_t d = p_[i_ + 1];
                if (IsClassEscape(d)) {
                    out_ += L'\\';
                    out_ += static_cast<wchar_t>(d);
                    i_ += 2;
                    classEscape = true;
                } else if (d == u'b') {
                    Unit(8); // backspace inside a class
                    i_ += 2;
                } else {
                    CommonEscape(d);
                }
            } else if (c == u'[') {
                // The library would start a POSIX class "[:alpha:]" here; VBScript has none.
                out_ += L"\\[";
                ++i_;
            } else if (c == u'-') {
                // Next to \d, \s or \w a hyphen cannot make a range: it stands for itself.
                bool beforeClassEscape = i_ + 2 < p_.size() && p_[i_ + 1] == u'\\' && IsClassEscape(p_[i_ + 2]);
                out_ += afterClassEscape || beforeClassEscape ? L"\\-" : L"-";
                ++i_;
            } else {
                out_ += static_cast<wchar_t>(c);
                ++i_;
            }
            afterClassEscape = classEscape;
        }
        if (i_ < p_.size()) {
            out_ += L']';
            ++i_;
        }
    }

    std::u16string_view p_;
    size_t i_ = 0;
    int groups_ = 0;
    std::wstring out_;
};

// Units that case folding leaves alone: surrogates (a half of a character has no case) and,
// where wchar_t is wider, anything beyond one UTF-16 unit.
bool IsFoldable(wchar_t c) {
    if (c >= 0xD800 && c <= 0xDFFF) return false;
#if WCHAR_MAX > 0xFFFF
    return c >= 0 && c <= 0xFFFF;
#else
    return true;
#endif
}

// One UTF-16 unit in upper or lower case: ASCII directly, other foldable units by the system's
// (Windows) or the C library's (native) Unicode tables.
wchar_t MapCaseUnit(wchar_t c, bool upper) {
    if (c < 0x80) {
        if (upper) return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - 32) : c;
        return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + 32) : c;
    }
    if (!IsFoldable(c)) return c;
#ifdef _WIN32
    wchar_t out = c;
    return LCMapStringW(LOCALE_INVARIANT, upper ? LCMAP_UPPERCASE : LCMAP_LOWERCASE, &c, 1, &out, 1) == 1 ? out : c;
#else
    static const locale_t unicode = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
    if (!unicode) return c;
    auto unit = static_cast<wint_t>(c);
    return static_cast<wchar_t>(upper ? towupper_l(unit, unicode) : towlower_l(unit, unicode));
#endif
}

wchar_t ToUpperUnit(wchar_t c) { return MapCaseUnit(c, true); }
wchar_t ToLowerUnit(wchar_t c) { return MapCaseUnit(c, false); }

// Character classes as VBScript has them: \s \w \d and the others are ASCII only, the same on
// every platform whatever the C library's wide-character tables say. Case folding is Unicode.
class RegexCtype final : public std::ctype<wchar_t> {
public:
    RegexCtype() : std::ctype<wchar_t>(size_t{0}) {}

    static mask ClassOf(wchar_t c) {
        if (static_cast<unsigned long>(c) >= 0x80) return mask();
        mask m = mask();
        // Some C libraries define alnum and graph as unions of other bits; the union is then
        // answered through its parts, and adding it whole would claim all of them.
        auto add = [&m](mask bits) {
            if ((bits & (bits - 1)) == 0) m = static_cast<mask>(m | bits);
        };
        if (c == L' ' || (c >= 9 && c <= 13)) add(space);
        if (c == L' ' || c == L'\t') add(blank);
        if (c < 32 || c == 127)
            add(cntrl);
        else
            add(print);
        bool upperCase = c >= L'A' && c <= L'Z';
        bool lowerCase = c >= L'a' && c <= L'z';
        bool digitChar = c >= L'0' && c <= L'9';
        if (upperCase) add(upper);
        if (lowerCase) add(lower);
        if (upperCase || lowerCase) add(alpha);
        if (digitChar) add(digit);
        if (upperCase || lowerCase || digitChar) add(alnum);
        if (digitChar || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F')) add(xdigit);
        if (c > 32 && c < 127) {
            add(graph);
            if (!upperCase && !lowerCase && !digitChar) add(punct);
        }
        return m;
    }

protected:
    bool do_is(mask m, wchar_t c) const override { return (ClassOf(c) & m) != 0; }
    const wchar_t* do_is(const wchar_t* lo, const wchar_t* hi, mask* vec) const override {
        for (; lo < hi; ++lo, ++vec)
            *vec = ClassOf(*lo);
        return hi;
    }
    const wchar_t* do_scan_is(mask m, const wchar_t* lo, const wchar_t* hi) const override {
        while (lo < hi && !do_is(m, *lo))
            ++lo;
        return lo;
    }
    const wchar_t* do_scan_not(mask m, const wchar_t* lo, const wchar_t* hi) const override {
        while (lo < hi && do_is(m, *lo))
            ++lo;
        return lo;
    }
    wchar_t do_toupper(wchar_t c) const override { return ToUpperUnit(c); }
    const wchar_t* do_toupper(wchar_t* lo, const wchar_t* hi) const override {
        for (; lo < hi; ++lo)
            *lo = ToUpperUnit(*lo);
        return hi;
    }
    wchar_t do_tolower(wchar_t c) const override { return ToLowerUnit(c); }
    const wchar_t* do_tolower(wchar_t* lo, const wchar_t* hi) const override {
        for (; lo < hi; ++lo)
            *lo = ToLowerUnit(*lo);
        return hi;
    }
};

const std::locale& RegexLocale() {
    static const std::locale locale(std::locale::classic(), new RegexCtype);
    return locale;
}

struct Span {
    int start = -1; // -1: the group took no part
    int length = 0;
};

struct SearchJob {
    std::wstring pattern;
    std::wstring subject;
    RegexOptions options;
    bool ok = false;
    int groupCount = 0;
    std::vector<Span> spans; // groupCount + 1 per match: the whole match, then its groups
};

void RunSearch(SearchJob& job) {
    auto flags = std::regex_constants::ECMAScript;
    if (job.options.ignoreCase) flags |= std::regex_constants::icase;
    if (job.options.multiline) flags |= std::regex_constants::multiline;
    std::wregex re;
    re.imbue(RegexLocale());
    re.assign(job.pattern, flags);
    job.groupCount = static_cast<int>(re.mark_count());

    const auto begin = job.subject.cbegin();
    const auto end = job.subject.cend();
    size_t pos = 0;
    std::wsmatch m;
    while (pos <= job.subject.size()) {
        auto matchFlags = pos > 0 ? std::regex_constants::match_prev_avail : std::regex_constants::match_default;
        if (!std::regex_search(begin + static_cast<std::ptrdiff_t>(pos), end, m, re, matchFlags)) break;
        for (int g = 0; g <= job.groupCount; ++g) {
            const auto& sub = m[static_cast<size_t>(g)];
            if (sub.matched)
                job.spans.push_back({static_cast<int>(sub.first - begin), static_cast<int>(sub.length())});
            else
                job.spans.push_back({});
        }
        if (!job.options.global) break;
        size_t matchEnd = static_cast<size_t>(m[0].second - begin);
        // After an empty match the next search starts one unit further, as in VBScript.
        pos = m[0].length() == 0 ? matchEnd + 1 : matchEnd;
    }
    job.ok = true;
}

void RunSearchNoThrow(void* context) noexcept {
    auto& job = *static_cast<SearchJob*>(context);
    try {
        RunSearch(job);
    } catch (...) {
        // A rejected pattern (std::regex_error) or no memory: no match collection.
        job.ok = false;
        job.spans.clear();
    }
}

// The library's matcher recurses once or more per unit it consumes, so a long subject needs a
// deep stack: the search runs on a thread of its own whose stack grows with the subject.
#if defined(NDEBUG) && !defined(__SANITIZE_ADDRESS__)
constexpr size_t kStackPerUnit = 1536;
#else
constexpr size_t kStackPerUnit = 4096;
#endif
constexpr size_t kMinStack = size_t{1} << 20;
constexpr size_t kMaxStack = sizeof(void*) == 4 ? size_t{256} << 20 : size_t{4096} << 20;

size_t StackFor(size_t units) {
    size_t limit = (kMaxStack - kMinStack) / kStackPerUnit;
    return units >= limit ? kMaxStack : kMinStack + units * kStackPerUnit;
}

#ifdef _WIN32
DWORD WINAPI SearchThread(void* context) {
    RunSearchNoThrow(context);
    return 0;
}

bool RunOnThread(size_t stackBytes, SearchJob& job) {
    KernelHandle thread(
        CreateThread(nullptr, stackBytes, SearchThread, &job, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr));
    if (!thread) return false;
    WaitForSingleObject(thread.Get(), INFINITE);
    return true;
}
#else
void* SearchThread(void* context) {
    RunSearchNoThrow(context);
    return nullptr;
}

bool RunOnThread(size_t stackBytes, SearchJob& job) {
    pthread_attr_t attr;
    if (pthread_attr_init(&attr) != 0) return false;
    bool ok = pthread_attr_setstacksize(&attr, stackBytes) == 0;
    pthread_t thread;
    ok = ok && pthread_create(&thread, &attr, SearchThread, &job) == 0;
    pthread_attr_destroy(&attr);
    if (ok) pthread_join(thread, nullptr);
    return ok;
}
#endif

// Runs the job on a thread with a stack fitted to the subject; when the address space has no
// room for that much, with a smaller one, and not at all below a useful size.
void RunWithFittedStack(SearchJob& job) {
    for (size_t stack = StackFor(job.subject.size()); stack >= kMinStack; stack /= 2) {
        if (RunOnThread(stack, job)) return;
    }
    job.ok = false;
}

// The replacement text for one match, with "$$", "$&", "$`", "$'", "$n" and "$nn".
void AppendReplacement(std::u16string& out, std::u16string_view replacement, std::u16string_view subject,
                       const Span* spans, int groupCount) {
    auto group = [&](int g) {
        const Span& s = spans[g];
        if (s.start >= 0) out.append(subject.substr(static_cast<size_t>(s.start), static_cast<size_t>(s.length)));
    };
    for (size_t i = 0; i < replacement.size();) {
        char16_t c = replacement[i];
        if (c != u'$' || i + 1 == replacement.size()) {
            out += c;
            ++i;
            continue;
        }
        char16_t n = replacement[i + 1];
        if (n == u'$') {
            out += u'$';
            i += 2;
        } else if (n == u'&') {
            group(0);
            i += 2;
        } else if (n == u'`') {
            out.append(subject.substr(0, static_cast<size_t>(spans[0].start)));
            i += 2;
        } else if (n == u'\'') {
            out.append(subject.substr(static_cast<size_t>(spans[0].start + spans[0].length)));
            i += 2;
        } else if (IsDigit(n)) {
            int first = n - u'0';
            if (i + 2 < replacement.size() && IsDigit(replacement[i + 2])) {
                int two = first * 10 + (replacement[i + 2] - u'0');
                if (two >= 1 && two <= groupCount) {
                    group(two);
                    i += 3;
                    continue;
                }
            }
            if (first >= 1 && first <= groupCount) {
                group(first);
                i += 2;
                continue;
            }
            out += u'$';
            ++i;
        } else {
            out += u'$';
            ++i;
        }
    }
}

class StdRegexEngine final : public RegexEngine {
public:
    StdRegexEngine(std::u16string pattern, std::u16string subject, bool ran, int groupCount, std::vector<Span> spans)
        : pattern_(std::move(pattern)), subject_(std::move(subject)), ran_(ran), groupCount_(groupCount),
          spans_(std::move(spans)) {}

    std::unique_ptr<RegexEngine> Clone() const override { return std::make_unique<StdRegexEngine>(*this); }
    bool IsStandard() const override { return true; }
    bool Ran() const override { return ran_; }
    std::u16string Pattern() const override { return pattern_; }
    int MatchCount() const override { return static_cast<int>(spans_.size()) / (groupCount_ + 1); }

    bool Match(int match, std::u16string& value, int& firstIndex) const override {
        if (match < 0 || match >= MatchCount()) return false;
        const Span& s = At(match, 0);
        value = subject_.substr(static_cast<size_t>(s.start), static_cast<size_t>(s.length));
        firstIndex = s.start;
        return true;
    }

    int GroupCount(int match) const override { return match >= 0 && match < MatchCount() ? groupCount_ : 0; }

    bool Group(int match, int group, std::u16string& value, int& start) const override {
        if (match < 0 || match >= MatchCount() || group < 0 || group >= groupCount_) return false;
        const Span& s = At(match, group + 1);
        if (s.start < 0) return false;
        value = subject_.substr(static_cast<size_t>(s.start), static_cast<size_t>(s.length));
        start = s.start;
        return true;
    }

    std::u16string Replace(std::u16string_view subject, std::u16string_view replacement) const override {
        if (!ran_) return {};
        std::u16string out;
        size_t copied = 0;
        for (int m = 0; m < MatchCount(); ++m) {
            const Span& whole = At(m, 0);
            out.append(subject.substr(copied, static_cast<size_t>(whole.start) - copied));
            AppendReplacement(out, replacement, subject, &whole, groupCount_);
            copied = static_cast<size_t>(whole.start + whole.length);
        }
        out.append(subject.substr(copied));
        return out;
    }

private:
    const Span& At(int match, int index) const {
        return spans_[static_cast<size_t>(match) * static_cast<size_t>(groupCount_ + 1) + static_cast<size_t>(index)];
    }

    std::u16string pattern_;
    std::u16string subject_;
    bool ran_;
    int groupCount_;
    std::vector<Span> spans_;
};

} // namespace

std::optional<std::wstring> TranslateRegexPattern(std::u16string_view pattern) {
    return PatternTranslator(pattern).Run();
}

std::unique_ptr<RegexEngine> RunStdRegex(std::u16string_view pattern, std::u16string_view subject,
                                         const RegexOptions& options) {
    SearchJob job;
    std::optional<std::wstring> translated = TranslateRegexPattern(pattern);
    if (translated) {
        job.pattern = std::move(*translated);
        job.subject.assign(subject.begin(), subject.end());
        job.options = options;
        RunWithFittedStack(job);
    }
    if (!job.ok) job.spans.clear();
    return std::make_unique<StdRegexEngine>(std::u16string(pattern), std::u16string(subject), job.ok,
                                            job.ok ? job.groupCount : 0, std::move(job.spans));
}

} // namespace radar
