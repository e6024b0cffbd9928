// libFuzzer target for the character-stepping search, split, replace and trim. Not part of the
// CMake build (the project's compiler is GCC, whose GBK literals clang cannot make); build and run
// it by hand:
//   clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -I. web/text_utils.cpp \
//       win/code_page.cpp tests/web/text_utils_fuzz.cpp -o /tmp/text_utils_fuzz
//   /tmp/text_utils_fuzz -max_total_time=60
// Input: first byte = needle length and switches, then needle, then text.
#include "web/text_utils.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

using namespace radar;

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

// Character boundaries of text by the GBK rule, as an independent reference.
std::vector<bool> Boundaries(std::string_view text) {
    std::vector<bool> at(text.size() + 1, false);
    size_t pos = 0;
    while (pos < text.size()) {
        at[pos] = true;
        pos += static_cast<unsigned char>(text[pos]) >= 0x80 && pos + 1 < text.size() ? 2 : 1;
    }
    at[text.size()] = true;
    return at;
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Byte-exact or ASCII-case-blind comparison at a boundary, trail bytes always exact.
bool SameAt(std::string_view text, size_t pos, std::string_view needle, bool ignoreCase) {
    if (pos + needle.size() > text.size()) return false;
    std::vector<bool> inner = Boundaries(text.substr(pos));
    for (size_t k = 0; k < needle.size(); ++k) {
        char a = text[pos + k];
        char b = needle[k];
        if (a == b) continue;
        if (!ignoreCase || !inner[k] || Lower(a) != Lower(b)) return false;
    }
    return true;
}

int ReferenceFind(std::string_view text, std::string_view needle, int start, bool ignoreCase) {
    if (needle.empty()) return -1;
    size_t from = start <= 1 ? 0 : static_cast<size_t>(start) - 1;
    if (from >= text.size()) return -1;
    std::vector<bool> at = Boundaries(text);
    for (size_t pos = from; pos < text.size(); ++pos)
        if (at[pos] && SameAt(text, pos, needle, ignoreCase)) return static_cast<int>(pos) + 1;
    return -1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const bool ignoreCase = data[0] & 0x80;
    const size_t needleLength = (data[0] & 0x07) + ((data[0] & 0x08) ? 0 : 1);
    std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    if (needleLength > rest.size()) return 0;
    const std::string_view needle = rest.substr(0, needleLength);
    const std::string_view text = rest.substr(needleLength);
    const int start = static_cast<int>((data[0] >> 4) & 0x07) - 1;

    const int found = FindText(text, needle, start, ignoreCase);
    Check(found == ReferenceFind(text, needle, start, ignoreCase));
    const int last = FindLastText(text, needle, ignoreCase);
    Check((last == -1) == (ReferenceFind(text, needle, 1, ignoreCase) == -1));
    if (last != -1) {
        Check(last >= ReferenceFind(text, needle, 1, ignoreCase));
        Check(ReferenceFind(text, needle, last + 1, ignoreCase) == -1);
    }

    // Split and join give the text back, less one trailing separator.
    std::vector<std::string> pieces = SplitText(text, needle);
    Check(text.empty() == pieces.empty());
    std::string joined = JoinTexts(pieces, needle);
    Check(joined == text || (!needle.empty() && joined + std::string(needle) == text));

    Check(ReplaceText(text, needle, needle) == text);
    std::string removed = ReplaceText(text, needle, "", ignoreCase);
    Check(removed.size() <= text.size());

    std::string trimmed = TrimText(text);
    Check(text.find(trimmed) != std::string_view::npos);
    Check(TrimText(trimmed) == trimmed);
    Check(RemoveSpaces(text).size() <= text.size());

    std::string between = TextBetweenAt(text, needle, needle, start, ignoreCase);
    Check(text.find(between) != std::string_view::npos);
    Utf8ToGbk(text);
    return 0;
}
