#include "tests/support/file_dialog_answerer.h"

#include <commdlg.h>
#include <dlgs.h>

#include <algorithm>

#include "win/code_page.h"

namespace radar::test {

namespace {

std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

struct FindContext {
    DWORD processId;
    std::vector<HWND> dialogs;
};

BOOL CALLBACK CollectFileDialog(HWND window, LPARAM param) {
    auto* context = reinterpret_cast<FindContext*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != context->processId || !IsWindowVisible(window)) return TRUE;
    wchar_t className[64];
    if (GetClassNameW(window, className, 64) && lstrcmpW(className, L"#32770") == 0 && FileNameEdit(window))
        context->dialogs.push_back(window);
    return TRUE;
}

} // namespace

HWND FileNameEdit(HWND dialog) {
    if (HWND edit = GetDlgItem(dialog, edt1)) return edit;
    HWND combo = GetDlgItem(dialog, cmb13);
    if (!combo) return nullptr;
    if (HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr)) return edit;
    // A ComboBoxEx holds a combo box that holds the edit.
    HWND inner = FindWindowExW(combo, nullptr, L"ComboBox", nullptr);
    return inner ? FindWindowExW(inner, nullptr, L"Edit", nullptr) : nullptr;
}

FileDialogAnswerer::FileDialogAnswerer(std::wstring pathW) : pathW_(std::move(pathW)), watcher_([this] { Watch(); }) {}

FileDialogAnswerer::~FileDialogAnswerer() {
    stop_ = true;
    watcher_.join();
}

void FileDialogAnswerer::SetPath(std::wstring pathW) {
    std::lock_guard lock(mutex_);
    pathW_ = std::move(pathW);
}

std::vector<SeenFileDialog> FileDialogAnswerer::Seen() const {
    std::lock_guard lock(mutex_);
    return seen_;
}

void FileDialogAnswerer::Watch() {
    while (!stop_) {
        FindContext context{GetCurrentProcessId(), {}};
        EnumWindows(CollectFileDialog, reinterpret_cast<LPARAM>(&context));
        for (HWND dialog : context.dialogs)
            Answer(dialog);
        Sleep(10); // polling interval of a watcher thread, not a wait for a result
    }
}

void FileDialogAnswerer::Answer(HWND dialog) {
    std::wstring pathW;
    {
        std::lock_guard lock(mutex_);
        if (std::find(answered_.begin(), answered_.end(), dialog) != answered_.end()) return;
        pathW = pathW_;
    }
    HWND edit = FileNameEdit(dialog);
    // The dialog shows its folder once it has browsed there; take it then.
    wchar_t folder[MAX_PATH] = {};
    if (SendMessageW(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(folder)) <= 0) return;
    SeenFileDialog seen;
    seen.owner = GetWindow(dialog, GW_OWNER);
    seen.title = ToGbk(TextOf(dialog));
    seen.folderW = folder;
    seen.nameW = TextOf(edit);
    seen.threadId = GetWindowThreadProcessId(dialog, nullptr);
    {
        std::lock_guard lock(mutex_);
        answered_.push_back(dialog);
        seen_.push_back(seen);
    }
    // Typed into the name box, then the button pressed, as the user would.
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(pathW.c_str()));
    int button = pathW.empty() ? IDCANCEL : IDOK;
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

} // namespace radar::test
