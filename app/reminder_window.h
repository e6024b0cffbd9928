#pragma once
// The small borderless window that waits below the lower right corner of the screen and
// slides up when parcels are out for delivery.
#include <windows.h>

#include <array>
#include <functional>
#include <vector>

#include "win/handle.h"
#include "win/window.h"

namespace radar {

enum class ReminderId : int { 标签1 = 2001, 编辑框1, 透明标签1 };

inline constexpr wchar_t kReminderWindowClass[] = L"RadarReminderWindow";
inline constexpr int kReminderWidth = 302;
inline constexpr int kReminderHeight = 271;

class ReminderWindow : public Window {
public:
    bool Create(HWND mainWindow);
    // Left edge at the screen width minus the window's width, top edge at the screen height.
    void PlaceBelowScreen();
    HWND Control(ReminderId id) const;
    // Pressing "关闭" or double-clicking the text dismisses the reminder.
    void SetDismissHandler(std::function<void()> handler) { onDismiss_ = std::move(handler); }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::array<HWND, 3> controls_{};
    std::vector<FontHandle> fonts_;
    BrushHandle titleBrush_;
    std::function<void()> onDismiss_;
};

} // namespace radar
