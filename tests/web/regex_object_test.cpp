// RegexObject over GBK text, run on every engine the platform has: under Windows (Wine) the
// system's VBScript.RegExp and the standard library's engine, natively the standard one only.
#include "web/regex_object.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "web/regex_std_engine.h"

#ifdef _WIN32
#include <windows.h>
#include <thread>
#include "win/com.h"
#endif

namespace radar {
namespace {

enum class Engine { VBScript, Standard };

std::string EngineName(const testing::TestParamInfo<Engine>& info) {
    return info.param == Engine::VBScript ? "VBScript" : "Standard";
}

std::vector<Engine> AvailableEngines() {
#ifdef _WIN32
    return {Engine::VBScript, Engine::Standard};
#else
    return {Engine::Standard};
#endif
}

// Wine's vbscript.dll differs from Windows' VBScript in a few points that no caller of ours
// relies on; rows marked for it are not run on that engine under Wine.
bool OnWineVbscript(Engine engine) {
#ifdef _WIN32
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return engine == Engine::VBScript && ntdll && GetProcAddress(ntdll, "wine_get_version");
#else
    (void)engine;
    return false;
#endif
}

class RegexEngineTest : public testing::TestWithParam<Engine> {
protected:
    void SetUp() override { ForceStandardRegexEngine(GetParam() == Engine::Standard); }
    void TearDown() override { ForceStandardRegexEngine(false); }

    // Create, and check that the engine under test is the one that ran.
    bool Run(RegexObject& regex, std::string_view pattern, std::string_view subject, bool caseSensitive = false,
             bool multiline = true, bool global = true, bool quote = false) {
        bool ok = regex.Create(pattern, subject, caseSensitive, multiline, global, quote);
        EXPECT_EQ(regex.RunsOnStandardEngine(), GetParam() == Engine::Standard) << "the wrong engine ran";
        return ok;
    }
};

// Every match as its text followed by the texts of its groups.
std::vector<std::vector<std::string>> AllMatches(const RegexObject& regex) {
    std::vector<std::vector<std::string>> out;
    int groups = regex.SubMatchCount();
    for (int m = 1; m <= regex.MatchCount(); ++m) {
        std::vector<std::string> row{regex.MatchText(m)};
        for (int g = 1; g <= groups; ++g)
            row.push_back(regex.SubMatchText(m, g));
        out.push_back(row);
    }
    return out;
}

using Rows = std::vector<std::vector<std::string>>;

struct MatchCase {
    const char* note;
    const char* pattern;
    std::string subject;
    Rows expected; // per match: its text, then its groups
    bool caseSensitive = false;
    bool multiline = true;
    bool global = true;
    bool quote = false;
    bool wineDiffers = false;
};

// The service's pages after Utf8ToGbk, cut down to what the patterns look at.
const char kCourierListPattern[] = R"re(<a href="\S+" data-code="(\S+)">(\S+)</a>)re";
const char kDetectionPattern[] = R"re(\[{"comCode":"(.*?)",")re";
const char kHistoryPattern[] =
    R"re(<dl class="col1"><dt>(.*?)</dt><dd>(.*?)</dd></dl><span class="\S+"><span class="\S+"></span><span class="\S+"></span><span class="\S+"></span></span><span class="\S+">(.*?)</span>)re";
const char kChinesePattern[] = R"re(([\u4e00-\u9fa5]+))re";
const char kLettersPattern[] = "([a-zA-Z]+)";

const std::string kCourierListPage = "<!DOCTYPE html>\r\n<html><head><title>快递公司大全</title></head><body>\r\n"
                                     "<div class=\"list\"><h3>常用快递</h3>\r\n"
                                     "<a href=\"/all/shunfeng.shtml\" data-code=\"shunfeng\">顺丰速运</a>\r\n"
                                     "<a href=\"/all/zhongtong.shtml\" data-code=\"zhongtong\">中通快递</a>"
                                     "<a href=\"/all/yuantong.shtml\" data-code=\"yuantong\">圆通速递</a>\r\n"
                                     "<a class=\"more\" href=\"/all/more.shtml\">更多</a>\r\n"
                                     "<a href=\"/all/ems.shtml\" data-code=\"ems\">EMS</a>\r\n"
                                     "</div></body></html>\r\n";

const std::string kDetectionAnswer = R"([{"comCode":"zhongtong","id":"","noCount":1021,"noPre":"7312","startTime":""},)"
                                     R"({"comCode":"yunda","id":"","noCount":3,"noPre":"7312","startTime":""}])";

std::string HistoryEntry(const char* date, const char* time, const char* text) {
    return std::string("<dl class=\"col1\"><dt>") + date + "</dt><dd>" + time +
           "</dd></dl><span class=\"col2\"><span class=\"step\"></span><span class=\"line1\"></span>"
           "<span class=\"line2\"></span></span><span class=\"col3\">" +
           text + "</span>";
}

const std::string kHistoryPage =
    "<html><body><div class=\"result\">\r\n" +
    HistoryEntry("2024-03-01", "09:12:44", "【杭州市】 快件已由【杭州转运中心】揽收") + "\r\n" +
    HistoryEntry("2024-03-02", "18:03:10", "【上海市】 快件到达【上海浦东营业部】") +
    HistoryEntry("2024-03-03", "08:41:05", "【上海市】 派件员 张三（13800000000）正在为您派件") + "\r\n" +
    // Broken over two lines: the dot does not cross the line feed, so this is no entry.
    "<dl class=\"col1\"><dt>2024-03-04\n</dt><dd>10:00:00</dd></dl>\r\n</div></body></html>\r\n";

std::vector<MatchCase> MatchCases() {
    return {
        {"letters, as the import checks them", kLettersPattern, "123abc456DEF", {{"abc", "abc"}, {"DEF", "DEF"}}},
        {"Chinese characters are seen as Unicode",
         kChinesePattern,
         "单号12345中通",
         {{"单号", "单号"}, {"中通", "中通"}}},
        {"import of digits only", kChinesePattern, "123456\r\n7890\r\n", {}},
        {"import with a letter prefix", kLettersPattern, "123456\r\nSF123456", {{"SF", "SF"}}},
        {"lower-case pattern, upper-case text", "abc", "xABCx", {{"ABC"}}},
        {"case-sensitive on request", "abc", "xABCx", {}, true},
        {"a class range ignores case too", "[a-c]+", "xAbCx", {{"AbC"}}},
        {"the dot does not match a line feed", "a.c", "a\nc a-c", {{"a-c"}}},
        {"^ and $ at the line feeds inside (multiline)",
         R"(^(\w+)$)",
         "one\ntwo\nthree",
         {{"one", "one"}, {"two", "two"}, {"three", "three"}}},
        {"^ and $ at CR LF line ends", R"(^(\w+)$)", "one\r\ntwo", {{"one", "one"}, {"two", "two"}}},
        {"without multiline ^ and $ are the subject's ends", R"(^(\w+)$)", "one\ntwo", {}, false, false},
        {"not global: the first match only", R"(\d+)", "12 34 56", {{"12"}}, false, true, false},
        {"quote switch on",
         "data-code=#引号(\\S+)#引号",
         "<a data-code=\"yuantong\">",
         {{"data-code=\"yuantong\"", "yuantong"}},
         false,
         true,
         true,
         true},
        {"quote switch off: the mark is literal", "data-code=#引号(\\S+)#引号", "<a data-code=\"yuantong\">", {}},
        {"quote switch off on the literal mark",
         "data-code=#引号(\\S+)#引号",
         "data-code=#引号yt#引号",
         {{"data-code=#引号yt#引号", "yt"}}},
        {"a group that takes no part is empty", "(a)|(b)", "b", {{"b", "", "b"}}},
        {"lazy group", "<b>(.*?)</b>", "<b>1</b><b>2</b>", {{"<b>1</b>", "1"}, {"<b>2</b>", "2"}}},
        // Wine: a global search with an empty match fails after seconds.
        {"after an empty match the search moves on by one",
         "a*",
         "baac",
         {{""}, {"aa"}, {""}, {""}},
         false,
         true,
         true,
         false,
         true},
        {"an empty match, not global", "a*", "baac", {{""}}, false, true, false},
        // Wine: the dot also excludes CR, which VBScript's dot does not.
        {"the dot matches a carriage return", "a.c", "a\rc", {{"a\rc"}}, false, true, true, false, true},
        // Wine: \s also takes Unicode spaces; VBScript's is [ \f\n\r\t\v].
        {"\\s is not the ideographic space", R"(a\sb)", "a　b", {}, false, true, true, false, true},
        // Wine: only ASCII letters are folded.
        {"case folding beyond ASCII", "ａ[ｂ-ｄ]α", "ＡＣΑ", {{"ＡＣΑ"}}, false, true, true, false, true},
        {"a brace that starts no quantifier is literal", "x{y}", "ax{y}", {{"x{y}"}}},
        {"quantifier in braces", "a{2,3}", "aaaa", {{"aaa"}}},
        {"\\u escape for one character", R"(\u4e2d)", "中通", {{"中"}}},
        {"back-reference", R"((\w)\1)", "abccd", {{"cc", "c"}}},
        {"escaped quote and slash", R"(\"a\/)", R"(x"a/)", {{R"("a/)"}}},
        {"\\s is ASCII white space", R"(a\sb)", "a b a\tb", {{"a b"}, {"a\tb"}}},
        {"\\w is ASCII", R"(\w+)", "ab中cd", {{"ab"}, {"cd"}}},
        {"courier list page",
         kCourierListPattern,
         kCourierListPage,
         {{R"(<a href="/all/shunfeng.shtml" data-code="shunfeng">顺丰速运</a>)", "shunfeng", "顺丰速运"},
          {R"(<a href="/all/zhongtong.shtml" data-code="zhongtong">中通快递</a>)", "zhongtong", "中通快递"},
          {R"(<a href="/all/yuantong.shtml" data-code="yuantong">圆通速递</a>)", "yuantong", "圆通速递"},
          {R"(<a href="/all/ems.shtml" data-code="ems">EMS</a>)", "ems", "EMS"}}},
        {"detection answer: the first courier only",
         kDetectionPattern,
         kDetectionAnswer,
         {{R"([{"comCode":"zhongtong",")", "zhongtong"}}},
        {"detection answer for an unknown number", kDetectionPattern, "[]", {}},
        {"history page",
         kHistoryPattern,
         kHistoryPage,
         {{HistoryEntry("2024-03-01", "09:12:44", "【杭州市】 快件已由【杭州转运中心】揽收"), "2024-03-01", "09:12:44",
           "【杭州市】 快件已由【杭州转运中心】揽收"},
          {HistoryEntry("2024-03-02", "18:03:10", "【上海市】 快件到达【上海浦东营业部】"), "2024-03-02", "18:03:10",
           "【上海市】 快件到达【上海浦东营业部】"},
          {HistoryEntry("2024-03-03", "08:41:05", "【上海市】 派件员 张三（13800000000）正在为您派件"), "2024-03-03",
           "08:41:05", "【上海市】 派件员 张三（13800000000）正在为您派件"}}},
        {"history page without entries", kHistoryPattern, "<html><body>暂无记录</body></html>", {}},
    };
}

TEST_P(RegexEngineTest, MatchesAndGroups) {
    for (const MatchCase& c : MatchCases()) {
        if (c.wineDiffers && OnWineVbscript(GetParam())) continue;
        SCOPED_TRACE(c.note);
        RegexObject regex;
        EXPECT_TRUE(Run(regex, c.pattern, c.subject, c.caseSensitive, c.multiline, c.global, c.quote));
        EXPECT_EQ(AllMatches(regex), c.expected);
    }
}

TEST_P(RegexEngineTest, MatchTextIsGbk) {
    RegexObject regex;
    ASSERT_TRUE(Run(regex, kChinesePattern, "单号12345中通"));
    EXPECT_EQ(regex.SubMatchText(2, 1), "\xD6\xD0\xCD\xA8"); // 中通 in GBK
}

TEST_P(RegexEngineTest, AbsentMatchesAndGroupsAreEmpty) {
    RegexObject regex;
    ASSERT_TRUE(Run(regex, kLettersPattern, "123abc456DEF"));
    ASSERT_EQ(regex.MatchCount(), 2);
    EXPECT_EQ(regex.SubMatchCount(), 1);
    for (auto [match, group] : {std::pair{3, 1}, {1, 2}, {0, 1}, {1, 0}, {-1, 1}})
        EXPECT_EQ(regex.SubMatchText(match, group), "") << match << "," << group;
    EXPECT_EQ(regex.MatchText(3), "");
    EXPECT_EQ(regex.MatchText(0), "");
}

TEST_P(RegexEngineTest, RejectedPatternIsSilentAndEmpty) {
    for (const char* pattern : {"(abc", "abc)", "a**", "[abc", "\\"}) {
        SCOPED_TRACE(pattern);
        RegexObject regex;
        EXPECT_FALSE(Run(regex, pattern, "abc abc"));
        EXPECT_EQ(regex.MatchCount(), 0);
        EXPECT_EQ(regex.MatchText(1), "");
        EXPECT_EQ(regex.SubMatchText(1, 1), "");
        EXPECT_EQ(regex.SubMatchCount(), 0);
        EXPECT_EQ(regex.Replace("x"), "");
        EXPECT_EQ(regex.GetPattern(), pattern); // the engine keeps the pattern it was given
    }
}

TEST_P(RegexEngineTest, NothingBeforeCreate) {
    RegexObject regex;
    EXPECT_EQ(regex.MatchCount(), 0);
    EXPECT_EQ(regex.SubMatchCount(), 0);
    EXPECT_EQ(regex.MatchText(1), "");
    EXPECT_EQ(regex.SubMatchText(1, 1), "");
    EXPECT_EQ(regex.GetPattern(), "");
    EXPECT_EQ(regex.Replace("x"), "");
}

TEST_P(RegexEngineTest, PositionsAreGbkByteOffsets) {
    struct Case {
        const char* note;
        const char* pattern;
        const char* subject;
        int match, group, position; // group 0: the match itself
    } cases[] = {
        {"after two Chinese and two ASCII characters", "ab", "中文12ab", 1, 0, 6},
        {"at the start", "ab", "ab中文", 1, 0, 0},
        {"a second, equal match", "a", "中中aa", 2, 0, 5},
        {"a group inside its match", "1(a)", "中1a", 1, 1, 3},
        {"a group after Chinese text in its match", "中+(b)", "x中中b", 1, 1, 5},
        {"no such match", "ab", "中文12ab", 2, 0, -1},
        {"a group that took no part", "(a)|(b)", "中b", 1, 1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.note);
        RegexObject regex;
        ASSERT_TRUE(Run(regex, c.pattern, c.subject));
        int position = 99;
        if (c.group == 0)
            regex.MatchText(c.match, &position);
        else
            regex.SubMatchText(c.match, c.group, &position);
        EXPECT_EQ(position, c.position);
    }
}

TEST_P(RegexEngineTest, Replace) {
    struct Case {
        const char* pattern;
        const char* subject;
        const char* replacement;
        bool global;
        const char* expected;
    } cases[] = {
        {R"((\w+)@(\w+))", "a@b 中 c@d", "$2#$1", true, "b#a 中 d#c"},
        {"o", "foo boo", "0", false, "f0o boo"},
        {"快递", "快递单号快递", "[$&]", true, "[快递]单号[快递]"},
        {"b", "abc", "$$-$`-$'", true, "a$-a-cc"},
        {"(a)", "a", "$2$0", true, "$2$0"},          // no such group: literal
        {"(a)|(b)", "ab", "[$1$2]", true, "[a][b]"}, // a group that took no part is empty
        {"x", "abc", "y", true, "abc"},              // no match: the subject unchanged
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pattern);
        RegexObject regex;
        ASSERT_TRUE(Run(regex, c.pattern, c.subject, false, true, c.global));
        EXPECT_EQ(regex.Replace(c.replacement), c.expected);
    }
}

TEST_P(RegexEngineTest, GetPatternIsWhatTheEngineRan) {
    RegexObject regex;
    ASSERT_TRUE(Run(regex, kHistoryPattern, ""));
    EXPECT_EQ(regex.GetPattern(), kHistoryPattern);
    ASSERT_TRUE(Run(regex, "a=#引号(\\w+)#引号", "", false, true, true, true));
    EXPECT_EQ(regex.GetPattern(), "a=\"(\\w+)\"");
}

TEST_P(RegexEngineTest, CreateAgainReplacesEverything) {
    RegexObject regex;
    ASSERT_TRUE(Run(regex, kDetectionPattern, kDetectionAnswer));
    ASSERT_EQ(regex.SubMatchText(1, 1), "zhongtong");
    ASSERT_TRUE(Run(regex, kHistoryPattern, kHistoryPage));
    EXPECT_EQ(regex.MatchCount(), 3);
    EXPECT_EQ(regex.SubMatchText(3, 2), "08:41:05");
    EXPECT_FALSE(Run(regex, "(", kHistoryPage));
    EXPECT_EQ(regex.MatchCount(), 0);
    ASSERT_TRUE(Run(regex, kHistoryPattern, ""));
    EXPECT_EQ(regex.MatchCount(), 0);
}

TEST_P(RegexEngineTest, CloneIsIndependent) {
    RegexObject regex;
    ASSERT_TRUE(Run(regex, kLettersPattern, "12ab34CD"));
    RegexObject copy = regex.Clone();
    ASSERT_TRUE(Run(regex, "x", "y"));
    EXPECT_EQ(regex.MatchCount(), 0);
    EXPECT_EQ(copy.MatchCount(), 2);
    EXPECT_EQ(copy.SubMatchText(2, 1), "CD");
    EXPECT_EQ(copy.GetPattern(), kLettersPattern);
    EXPECT_EQ(copy.Replace("-"), "12-34-");
}

TEST_P(RegexEngineTest, ReleaseEmptiesAndCreateWorksAgain) {
    RegexObject regex;
    ASSERT_TRUE(Run(regex, kLettersPattern, "12ab"));
    regex.Release();
    EXPECT_EQ(regex.MatchCount(), 0);
    EXPECT_EQ(regex.GetPattern(), "");
    regex.Release(); // a second release changes nothing
    ASSERT_TRUE(Run(regex, kLettersPattern, "12ab"));
    EXPECT_EQ(regex.SubMatchText(1, 1), "ab");
}

// A page on one long line: the standard engine's matcher recurses per character.
TEST_P(RegexEngineTest, LongLineDoesNotExhaustTheStack) {
    std::string page = "<dt>" + std::string(200000, 'x') + " " + std::string(100000, 'y') + "</dt><dt>z</dt>";
    RegexObject regex;
    ASSERT_TRUE(Run(regex, "<dt>(.*?)</dt>", page));
    ASSERT_EQ(regex.MatchCount(), 2);
    EXPECT_EQ(regex.SubMatchText(1, 1).size(), 300001u);
    EXPECT_EQ(regex.SubMatchText(2, 1), "z");
    ASSERT_TRUE(Run(regex, R"(<dt>(\S+) )", page));
    EXPECT_EQ(regex.SubMatchText(1, 1).size(), 200000u);
}

INSTANTIATE_TEST_SUITE_P(Engines, RegexEngineTest, testing::ValuesIn(AvailableEngines()), EngineName);

TEST(RegexPatternTranslation, ReadsVbscriptSyntax) {
    struct Case {
        const char16_t* pattern;
        const wchar_t* translated;
    } cases[] = {
        {u"a.b", L"a[^\\n]b"},                // the dot leaves CR to be matched
        {u"a.*?b{2}c", L"a[^\\n]*?b{2}c"},    // quantifiers stay
        {u"[.]", L"[.]"},                     // a dot in a class is a dot
        {u"\\[{\"x", L"\\[\\{\"x"},           // a brace that starts no quantifier
        {u"a{2,}b{1,3}", L"a{2,}b{1,3}"},     // quantifiers stay
        {u"\\u4e2d\\u4e", L"\\u4e2du4e"},     // a short \u is the letter u
        {u"\\x41\\xg", L"\\x41xg"},           // a short \x is the letter x
        {u"(a)\\1\\2", L"(a)(?:\\1)\\u0002"}, // \2 before a second group: octal
        {u"(a)\\12", L"(a)(?:\\1)2"},         // one group: \1 and the digit 2
        {u"\\0\\101", L"\\u0000\\u0041"},     // octal escapes
        {u"\\cJ\\c1", L"\\u000A\\\\c1"},      // control letter; a lone \c is a backslash
        {u"[[:a:]]", L"[\\[:a:]]"},           // no POSIX classes
        {u"[\\d-z]", L"[\\d\\-z]"},           // a hyphen next to \d stands for itself
        {u"[\\b]", L"[\\u0008]"},             // backspace in a class
        {u"\\z\\#\\\"", L"z#\""},             // identity escapes
        {u"\\-\\/\\.", L"\\-\\/\\."},         // escaped syntax characters stay escaped
        {u"[]a]", L"[]a]"},                   // an empty class, then a]
    };
    for (const Case& c : cases) {
        std::optional<std::wstring> translated = TranslateRegexPattern(c.pattern);
        ASSERT_TRUE(translated.has_value()) << std::wstring(c.translated);
        EXPECT_EQ(*translated, c.translated) << std::wstring(c.translated);
    }
}

TEST(RegexPatternTranslation, RejectsQuantifiedQuantifiers) {
    for (const char16_t* pattern : {u"a**", u"a+*", u"a{2}*", u"a*??", u"a?{2}"})
        EXPECT_FALSE(TranslateRegexPattern(pattern).has_value());
    for (const char16_t* pattern : {u"a*?", u"a+?b??", u"a{2,3}?", u"a\\**"})
        EXPECT_TRUE(TranslateRegexPattern(pattern).has_value());
}

#ifdef _WIN32

// COM state of a fresh thread after 'body' ran on it: S_OK from a new CoInitialize means the
// thread had been left un-initialised.
template <class Body> HRESULT InitialiseAfter(Body body) {
    HRESULT after = E_FAIL;
    std::thread thread([&] {
        body();
        after = CoInitialize(nullptr);
        if (SUCCEEDED(after)) CoUninitialize();
    });
    thread.join();
    return after;
}

TEST(ComInit, UninitialisesWhatItInitialised) {
    EXPECT_EQ(InitialiseAfter([] {
                  ComInit com;
                  EXPECT_TRUE(com.Succeeded());
              }),
              S_OK);
}

TEST(ComInit, LeavesAnotherApartmentAlone) {
    HRESULT mta = E_FAIL, afterwards = E_FAIL;
    std::thread thread([&] {
        ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
        {
            ComInit com;
            EXPECT_FALSE(com.Succeeded());
            mta = com.Result();
        }
        // Still in the multithreaded apartment: joining it again is S_FALSE.
        afterwards = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        if (SUCCEEDED(afterwards)) CoUninitialize();
        CoUninitialize();
    });
    thread.join();
    EXPECT_EQ(mta, RPC_E_CHANGED_MODE);
    EXPECT_EQ(afterwards, S_FALSE);
}

TEST(RegexObjectCom, EachObjectBalancesItsInitialisation) {
    EXPECT_EQ(InitialiseAfter([] {
                  RegexObject first;
                  {
                      RegexObject second;
                      EXPECT_TRUE(second.Create("a", "a"));
                      RegexObject copy = second.Clone();
                  }
                  EXPECT_TRUE(first.Create("a", "a"));
                  first.Release();
                  EXPECT_TRUE(first.Create("a", "a")); // initialises again; the destructor undoes it
              }),
              S_OK);
}

TEST(RegexObjectCom, RunsInAMultithreadedApartmentToo) {
    bool ok = false, standard = true;
    std::thread thread([&] {
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        {
            RegexObject regex;
            ok = regex.Create(kLettersPattern, "1ab") && regex.SubMatchText(1, 1) == "ab";
            standard = regex.RunsOnStandardEngine();
        }
        CoUninitialize();
    });
    thread.join();
    EXPECT_TRUE(ok);
    EXPECT_FALSE(standard);
}

TEST(RegexObjectCom, FallsBackToTheStandardEngineWhereVbscriptCannotBeMade) {
    bool ok = false, standard = false;
    std::thread thread([&] {
        RegexObject regex;
        CoUninitialize(); // COM taken down behind the object's back: no VBScript.RegExp now
        ok = regex.Create(kLettersPattern, "1ab") && regex.SubMatchText(1, 1) == "ab";
        standard = regex.RunsOnStandardEngine();
        CoInitialize(nullptr); // for the object's own un-initialisation
    });
    thread.join();
    EXPECT_TRUE(ok);
    EXPECT_TRUE(standard);
}

// An object that counts its references, to watch the owners release exactly once.
class CountedObject final : public IUnknown {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid != IID_IUnknown) {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        *out = this;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    ULONG references = 1;
};

TEST(ComVariant, ReleasesItsObjectOnceAcrossMoves) {
    CountedObject object;
    {
        Variant first = Variant::Object(&object);
        EXPECT_EQ(object.references, 2u);
        Variant second = std::move(first);
        Variant third;
        third = std::move(second);
        EXPECT_EQ(first.Type(), VT_EMPTY);
        EXPECT_EQ(object.references, 2u);
        third = Variant::Int(5); // replacing the value releases the object
        EXPECT_EQ(object.references, 1u);
    }
    EXPECT_EQ(object.references, 1u);
    {
        ComPtr<IUnknown> pointer(&object);
        ComPtr<IUnknown> moved = std::move(pointer);
        EXPECT_EQ(object.references, 2u);
    }
    EXPECT_EQ(object.references, 1u);
}

TEST(ComVariant, Conversions) {
    EXPECT_EQ(Variant::Int(42).ToText(), u"42");
    EXPECT_EQ(Variant::Text(u"17").ToInt(), 17);
    EXPECT_EQ(Variant::Text(u"x").ToInt(), 0);
    EXPECT_EQ(Variant().ToText(), u"");
    EXPECT_EQ(Variant::Text(std::u16string(u"a\0b", 3)).ToText(), std::u16string(u"a\0b", 3));
    Bstr text(std::u16string_view(u"中通"));
    EXPECT_EQ(text.Text(), u"中通");
    Bstr moved = std::move(text);
    EXPECT_EQ(text.Get(), nullptr);
    EXPECT_EQ(moved.Text(), u"中通");
}

TEST(ComDispatch, PropertiesAndUnknownNames) {
    ComInit com;
    CLSID clsid;
    ASSERT_EQ(CLSIDFromProgID(L"VBScript.RegExp", &clsid), S_OK);
    ComPtr<IDispatch> regexp;
    ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                               reinterpret_cast<void**>(regexp.GetAddressOf())),
              S_OK);
    ASSERT_EQ(DispatchPut(regexp.Get(), L"Pattern", Variant::Text(u"b+")), S_OK);
    Variant pattern;
    ASSERT_EQ(DispatchGet(regexp.Get(), L"Pattern", pattern), S_OK);
    EXPECT_EQ(pattern.ToText(), u"b+");
    Variant subject = Variant::Text(u"abbc"), result;
    ASSERT_EQ(DispatchCall(regexp.Get(), L"Test", {subject.Ref()}, &result), S_OK);
    EXPECT_EQ(result.Type(), VT_BOOL);
    EXPECT_EQ(DispatchGet(regexp.Get(), L"Singleline", result), DISP_E_UNKNOWNNAME);
}

#endif

} // namespace
} // namespace radar
