#pragma once
// Answers the common file dialogs the process shows, from a thread of its own, as a user would:
// the name goes into the dialog's file-name box and OK is pressed (or Cancel). Each dialog is
// recorded first: owner, title, the folder it shows and what its name box held.
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace radar::test {

struct SeenFileDialog {
    HWND owner = nullptr;
    std::string title;    // GBK
    std::wstring folderW; // the folder shown when the dialog came up
    std::wstring nameW;   // the name box's text when the dialog came up
    DWORD threadId = 0;
};

class FileDialogAnswerer {
public:
    // Types pathW into every dialog and presses OK; an empty pathW presses Cancel.
    explicit FileDialogAnswerer(std::wstring pathW);
    ~FileDialogAnswerer();
    FileDialogAnswerer(const FileDialogAnswerer&) = delete;
    FileDialogAnswerer& operator=(const FileDialogAnswerer&) = delete;

    void SetPath(std::wstring pathW);
    std::vector<SeenFileDialog> Seen() const;

private:
    void Watch();
    void Answer(HWND dialog);

    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::wstring pathW_;
    std::vector<SeenFileDialog> seen_;
    std::vector<HWND> answered_;
    std::thread watcher_;
};

// The edit control of a file dialog's name box: edt1 itself, or the edit inside the combo box
// cmb13 of the Explorer-style dialog. Null when the window is no file dialog.
HWND FileNameEdit(HWND dialog);

} // namespace radar::test
