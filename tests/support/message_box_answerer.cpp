#include "tests/support/message_box_answerer.h"

#include <algorithm>

#include "tests/support/file_dialog_answerer.h"
#include "win/code_page.h"
#include "win/message_pump.h"

namespace radar::test {

namespace {

constexpr int kTextControlId = 0xFFFF; // the message text static of a system message box

std::string WindowTextOf(HWND window) {
    wchar_t buffer[4096];
    int n = GetWindowTextW(window, buffer, 4096);
    return ToGbk(std::wstring_view(buffer, n > 0 ? static_cast<size_t>(n) : 0));
}

UINT ButtonsStyle(HWND dialog) {
    auto has = [dialog](int id) { return GetDlgItem(dialog, id) != nullptr; };
    if (has(IDYES) && has(IDNO)) return has(IDCANCEL) ? MB_YESNOCANCEL : MB_YESNO;
    if (has(IDABORT)) return MB_ABORTRETRYIGNORE;
    if (has(IDRETRY)) return MB_RETRYCANCEL;
    if (has(IDOK) && has(IDCANCEL)) return MB_OKCANCEL;
    return MB_OK;
}

UINT IconStyle(HWND dialog) {
    // The box shows one of the shared system icons; compare handles.
    const struct {
        LPCWSTR id;
        UINT style;
    } icons[] = {{IDI_INFORMATION, MB_ICONINFORMATION},
                 {IDI_QUESTION, MB_ICONQUESTION},
                 {IDI_WARNING, MB_ICONWARNING},
                 {IDI_ERROR, MB_ICONERROR}};
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        auto icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
        if (!icon) continue;
        for (const auto& candidate : icons)
            if (LoadIconW(nullptr, candidate.id) == icon) return candidate.style;
    }
    return 0;
}

struct FindContext {
    DWORD processId;
    std::vector<HWND> dialogs;
};

BOOL CALLBACK CollectDialog(HWND window, LPARAM param) {
    auto* context = reinterpret_cast<FindContext*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != context->processId || !IsWindowVisible(window)) return TRUE;
    wchar_t className[64];
    if (GetClassNameW(window, className, 64) && lstrcmpW(className, L"#32770") == 0) context->dialogs.push_back(window);
    return TRUE;
}

} // namespace

MessageBoxAnswerer::MessageBoxAnswerer(int button) : button_(button), watcher_([this] { Watch(); }) {}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    stop_ = true;
    watcher_.join();
}

std::vector<SeenMessageBox> MessageBoxAnswerer::Seen() const {
    std::lock_guard lock(mutex_);
    return seen_;
}

bool MessageBoxAnswerer::WaitForBoxes(size_t count, DWORD timeoutMs) const {
    return WaitUntil([&] { return Seen().size() >= count; }, timeoutMs);
}

void MessageBoxAnswerer::Watch() {
    while (!stop_) {
        FindContext context{GetCurrentProcessId(), {}};
        EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&context));
        for (HWND dialog : context.dialogs)
            Answer(dialog);
        Sleep(10); // polling interval of a watcher thread, not a wait for a result
    }
}

void MessageBoxAnswerer::Answer(HWND dialog) {
    {
        std::lock_guard lock(mutex_);
        if (std::find(answered_.begin(), answered_.end(), dialog) != answered_.end()) return;
    }
    // The box may still be filling its controls; take it once its text is there.
    HWND textControl = GetDlgItem(dialog, kTextControlId);
    if (!textControl || FileNameEdit(dialog)) return; // a file dialog is answered elsewhere
    SeenMessageBox box;
    box.owner = GetWindow(dialog, GW_OWNER);
    box.text = WindowTextOf(textControl);
    box.title = WindowTextOf(dialog);
    box.style = ButtonsStyle(dialog) | IconStyle(dialog);
    box.threadId = GetWindowThreadProcessId(dialog, nullptr);
    {
        std::lock_guard lock(mutex_);
        answered_.push_back(dialog);
        seen_.push_back(box);
    }
    int button = button_;
    if ((box.style & MB_TYPEMASK) == MB_YESNO && yesNoButton_ != 0) button = yesNoButton_;
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

} // namespace radar::test
