#include "web/regex_vbscript_engine.h"

#include "win/com.h"

namespace radar {

namespace {

class VbscriptRegexEngine final : public RegexEngine {
public:
    VbscriptRegexEngine(ComPtr<IDispatch> regexp, ComPtr<IDispatch> matches)
        : regexp_(std::move(regexp)), matches_(std::move(matches)) {}

    // The copy shares the COM objects (each holds a reference): neither changes after Execute.
    std::unique_ptr<RegexEngine> Clone() const override {
        return std::make_unique<VbscriptRegexEngine>(regexp_, matches_);
    }
    bool IsStandard() const override { return false; }
    bool Ran() const override { return matches_ != nullptr; }

    std::u16string Pattern() const override {
        Variant pattern;
        if (FAILED(DispatchGet(regexp_.Get(), L"Pattern", pattern))) return {};
        return pattern.ToText();
    }

    int MatchCount() const override {
        Variant count;
        if (!matches_ || FAILED(DispatchGet(matches_.Get(), L"Count", count))) return 0;
        return static_cast<int>(count.ToInt());
    }

    bool Match(int match, std::u16string& value, int& firstIndex) const override {
        ComPtr<IDispatch> item = Item(match);
        Variant text, first;
        if (!item || FAILED(DispatchGet(item.Get(), L"Value", text)) ||
            FAILED(DispatchGet(item.Get(), L"FirstIndex", first)))
            return false;
        value = text.ToText();
        firstIndex = static_cast<int>(first.ToInt());
        return true;
    }

    int GroupCount(int match) const override {
        ComPtr<IDispatch> groups = SubMatches(match);
        Variant count;
        if (!groups || FAILED(DispatchGet(groups.Get(), L"Count", count))) return 0;
        return static_cast<int>(count.ToInt());
    }

    bool Group(int match, int group, std::u16string& value, int& start) const override {
        if (group < 0 || group >= GroupCount(match)) return false;
        ComPtr<IDispatch> groups = SubMatches(match);
        Variant text;
        if (!groups || FAILED(DispatchGet(groups.Get(), L"Item", text, {Variant::Int(group).Ref()}))) return false;
        // A group that took no part in the match is Empty.
        if (text.Type() == VT_EMPTY || text.Type() == VT_NULL) return false;
        value = text.ToText();
        start = -1; // the object does not say where a group lies
        return true;
    }

    std::u16string Replace(std::u16string_view subject, std::u16string_view replacement) const override {
        if (!matches_) return {};
        Variant source = Variant::Text(subject);
        Variant with = Variant::Text(replacement);
        Variant result;
        if (FAILED(DispatchCall(regexp_.Get(), L"Replace", {source.Ref(), with.Ref()}, &result))) return {};
        return result.ToText();
    }

private:
    ComPtr<IDispatch> Item(int match) const {
        if (!matches_ || match < 0 || match >= MatchCount()) return {};
        Variant item;
        if (FAILED(DispatchGet(matches_.Get(), L"Item", item, {Variant::Int(match).Ref()}))) return {};
        return item.ToDispatch();
    }

    ComPtr<IDispatch> SubMatches(int match) const {
        ComPtr<IDispatch> item = Item(match);
        Variant groups;
        if (!item || FAILED(DispatchGet(item.Get(), L"SubMatches", groups))) return {};
        return groups.ToDispatch();
    }

    ComPtr<IDispatch> regexp_;
    ComPtr<IDispatch> matches_;
};

} // namespace

std::unique_ptr<RegexEngine> RunVbscriptRegex(std::u16string_view pattern, std::u16string_view subject,
                                              const RegexOptions& options) {
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(L"VBScript.RegExp", &clsid))) return nullptr;
    ComPtr<IDispatch> regexp;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                reinterpret_cast<void**>(regexp.GetAddressOf()))))
        return nullptr;
    // The object has no option that lets the dot match a line feed, which is what we want.
    DispatchPut(regexp.Get(), L"IgnoreCase", Variant::Bool(options.ignoreCase));
    DispatchPut(regexp.Get(), L"Multiline", Variant::Bool(options.multiline));
    DispatchPut(regexp.Get(), L"Global", Variant::Bool(options.global));
    DispatchPut(regexp.Get(), L"Pattern", Variant::Text(pattern));

    // A rejected pattern fails here, with the object's error "syntax error in regular expression".
    Variant source = Variant::Text(subject);
    Variant matches;
    ComPtr<IDispatch> collection;
    if (SUCCEEDED(DispatchCall(regexp.Get(), L"Execute", {source.Ref()}, &matches))) collection = matches.ToDispatch();
    return std::make_unique<VbscriptRegexEngine>(std::move(regexp), std::move(collection));
}

} // namespace radar
