#pragma once
// The common file dialog as one component that keeps its settings between uses: type (open or
// save), title, initial folder and, after a confirmed use, the chosen file name. Explorer style.
#include <windows.h>

#include <string>

namespace radar {

enum class FileDialogType { Open, Save };

class FileDialog {
public:
    // filter: pairs of description and pattern separated by '|' ("文本文档（*.txt)|*.txt").
    FileDialog(std::string filter, std::string defaultExtension);

    void SetType(FileDialogType type) { type_ = type; }
    FileDialogType Type() const { return type_; }
    void SetTitle(std::string title) { title_ = std::move(title); }
    const std::string& Title() const { return title_; }
    // Folder and name are kept in UTF-16 as well: a name the user chose need not fit in GBK.
    void SetInitialFolderW(std::wstring folder) { initialFolderW_ = std::move(folder); }
    const std::wstring& InitialFolderW() const { return initialFolderW_; }
    // The full name the user chose last; kept when a later use is cancelled.
    const std::wstring& FileNameW() const { return fileNameW_; }
    std::string FileName() const;

    // Shows the dialog, modal to 'owner'; true when the user confirmed a name (then FileName()).
    // An open dialog accepts only existing files; a save dialog asks before replacing one.
    bool Show(HWND owner);

private:
    std::string filter_;
    std::string defaultExtension_;
    FileDialogType type_ = FileDialogType::Open;
    std::string title_;
    std::wstring initialFolderW_;
    std::wstring fileNameW_;
};

// The user's desktop folder with a trailing backslash; empty when the system has none.
std::wstring DesktopFolderW();

} // namespace radar
