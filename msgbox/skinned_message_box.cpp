#include "msgbox/skinned_message_box.h"

#include "win/code_page.h"

namespace radar {

int SkinnedMessageBox(HWND owner, const std::string& text, UINT style, const std::string& title) {
    std::wstring textW = ToWide(text);
    std::wstring titleW = ToWide(title);
    return MessageBoxExW(owner, textW.c_str(), titleW.c_str(), style, 0) - 1;
}

} // namespace radar
