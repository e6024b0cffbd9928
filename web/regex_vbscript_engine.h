#pragma once
// The system's VBScript.RegExp object, driven late-bound through IDispatch. Windows only.
#ifdef _WIN32
#include "web/regex_engine.h"

#include <memory>
#include <string_view>

namespace radar {

// Makes a VBScript.RegExp with the options and pattern and runs it over 'subject'. Null when
// the object cannot be made on this thread (VBScript missing or switched off, COM not
// initialised); otherwise an engine whose Ran() is false when the pattern was rejected.
std::unique_ptr<RegexEngine> RunVbscriptRegex(std::u16string_view pattern, std::u16string_view subject,
                                              const RegexOptions& options);

} // namespace radar
#endif
