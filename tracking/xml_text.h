#pragma once
// Cell text as the element content of a spreadsheet's XML, in UTF-8. Portable.
//
// XML 1.0 cannot hold most control characters at all, and a reader turns CR LF into LF; the
// spreadsheet format's own escape "_xHHHH_" carries the characters XML forbids, and a CR is
// written as the character reference "&#13;", which readers keep. A text that itself holds
// "_xHHHH_" gets its underscore escaped ("_x005F_"), so it is read back as it was.
#include <string>
#include <string_view>

namespace radar {

std::string XmlCellText(std::u16string_view text);

} // namespace radar
