#include "tracking/number_list_file.h"

#include <windows.h>

#include "tracking/file_content.h"
#include "win/code_page.h"

namespace radar {

namespace {

std::wstring ExecutableFolderW() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

std::wstring NumberListPathW() {
    return ExecutableFolderW() + L"\\快递单号.txt";
}

} // namespace

std::string NumberListPath() {
    return ToGbk(NumberListPathW());
}

std::string ReadNumberListFile() {
    return ReadTextFile(NumberListPathW());
}

bool SaveNumberListFile(const std::string& text) {
    return ReplaceFileContent(NumberListPathW(), text);
}

} // namespace radar
