#include "win/file_dialog.h"

#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>
#include <vector>

#include "win/code_page.h"

namespace radar {

namespace {

// Room for a long path in the name box.
constexpr size_t kNameBufferLength = 32768;

// "a|b|c|d" as the dialog wants it: "a\0b\0c\0d\0\0".
std::wstring FilterPairs(const std::string& filter) {
    std::wstring pairs = ToWide(filter);
    for (wchar_t& c : pairs)
        if (c == L'|') c = L'\0';
    pairs.push_back(L'\0');
    pairs.push_back(L'\0');
    return pairs;
}

// The part after the last backslash or slash: a kept full name would otherwise override the
// initial folder, since the dialog opens in the folder of a name that has one.
std::wstring NamePart(const std::wstring& path) {
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

} // namespace

FileDialog::FileDialog(std::string filter, std::string defaultExtension)
    : filter_(std::move(filter)), defaultExtension_(std::move(defaultExtension)) {}

bool FileDialog::Show(HWND owner) {
    const std::wstring filterW = FilterPairs(filter_);
    const std::wstring titleW = ToWide(title_);
    const std::wstring extensionW = ToWide(defaultExtension_);
    std::vector<wchar_t> name(kNameBufferLength, L'\0');
    std::wstring kept = NamePart(fileNameW_);
    kept.copy(name.data(), std::min(kept.size(), name.size() - 1));

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filterW.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = static_cast<DWORD>(name.size());
    ofn.lpstrInitialDir = initialFolderW_.empty() ? nullptr : initialFolderW_.c_str();
    ofn.lpstrTitle = titleW.empty() ? nullptr : titleW.c_str();
    ofn.lpstrDefExt = extensionW.empty() ? nullptr : extensionW.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
    BOOL confirmed = FALSE;
    if (type_ == FileDialogType::Open) {
        ofn.Flags |= OFN_FILEMUSTEXIST;
        confirmed = GetOpenFileNameW(&ofn);
    } else {
        ofn.Flags |= OFN_OVERWRITEPROMPT;
        confirmed = GetSaveFileNameW(&ofn);
    }
    if (!confirmed) return false;
    fileNameW_ = name.data();
    return true;
}

std::string FileDialog::FileName() const {
    return ToGbk(fileNameW_);
}

std::wstring DesktopFolderW() {
    wchar_t path[MAX_PATH];
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
    std::wstring folder = path;
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
    return folder;
}

} // namespace radar
