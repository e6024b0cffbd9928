#pragma once
// The C++ standard library's ECMAScript engine, made to read patterns and match the way
// VBScript.RegExp does: the dot excludes only the line feed, "{" that starts no quantifier is a
// literal, \s \w \d are ASCII classes, a failed \u or \x escape is the letter itself, \N is a
// back-reference only after N groups (else an octal escape), and after an empty match the next
// search starts one unit later. Portable: it also serves the native build.
#include "web/regex_engine.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace radar {

// Compiles 'pattern' and runs it over 'subject'. Always returns an engine that holds the
// pattern; its Ran() is false when the pattern was rejected or could not run.
std::unique_ptr<RegexEngine> RunStdRegex(std::u16string_view pattern, std::u16string_view subject,
                                         const RegexOptions& options);

// The pattern rewritten for the standard library (exposed for tests); empty when VBScript
// would reject it although the library would not. UTF-16 units become wchar_t one for one,
// also where wchar_t is 32 bits wide, so indexes stay UTF-16 indexes.
std::optional<std::wstring> TranslateRegexPattern(std::u16string_view pattern);

} // namespace radar
