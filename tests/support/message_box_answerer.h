#pragma once
// Answers the message boxes the process shows, from a thread of its own, so a test can
// drive code that blocks in a message box. Each box is recorded (owner, text, title, and
// the style read back from its buttons and icon) and then answered with the chosen button.
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace radar::test {

struct SeenMessageBox {
    HWND owner = nullptr;
    std::string text;  // GBK
    std::string title; // GBK
    UINT style = 0;    // MB_OK / MB_YESNO ... | MB_ICONINFORMATION ...
    DWORD threadId = 0;
};

class MessageBoxAnswerer {
public:
    // button: IDOK, IDYES, IDNO ... pressed in every box that appears.
    explicit MessageBoxAnswerer(int button);
    ~MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    void SetButton(int button) { button_ = button; }
    // Boxes that ask Yes or No get this button instead (0: the one above), so one answerer
    // can take a question and the notes around it.
    void SetYesNoButton(int button) { yesNoButton_ = button; }
    std::vector<SeenMessageBox> Seen() const;
    // Waits (messages processed) until at least count boxes were answered.
    bool WaitForBoxes(size_t count, DWORD timeoutMs) const;

private:
    void Watch();
    void Answer(HWND dialog);

    std::atomic<int> button_;
    std::atomic<int> yesNoButton_{0};
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<SeenMessageBox> seen_;
    std::vector<HWND> answered_;
    std::thread watcher_;
};

} // namespace radar::test
