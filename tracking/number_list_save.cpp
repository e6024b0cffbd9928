#include <windows.h>

#include "tracking/number_list_file.h"
#include "win/code_page.h"
#include "win/handle.h"

namespace radar {

bool SaveNumberListFile(const std::string& text) {
    KernelHandle file(CreateFileW(ToWide(NumberListPath()).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
}

} // namespace radar
