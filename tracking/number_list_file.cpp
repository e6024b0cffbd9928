#include "tracking/number_list_file.h"

#include <windows.h>

#include "web/text_utils.h"
#include "win/code_page.h"
#include "win/handle.h"

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
    KernelHandle file(CreateFileW(NumberListPathW().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {};
    std::string bytes;
    char buffer[64 * 1024];
    DWORD read = 0;
    while (ReadFile(file.Get(), buffer, sizeof(buffer), &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    return TextFromBytes(bytes);
}

} // namespace radar
