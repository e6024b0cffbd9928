#pragma once
// The program's only start window and the home of nearly all its state.
#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "win/balloon_tip.h"
#include "win/file_dialog.h"
#include "win/handle.h"
#include "win/timer.h"
#include "win/window.h"

namespace radar {

class ReminderWindow;

// Control ids of the main window, named as the controls are.
enum class MainId : int {
    标签_单号 = 1001,
    编辑框_单号,
    按钮_查一下,
    标签_自动查询时间,
    编辑框_自动查询,
    选择框_自动查询,
    标签_倒计时,
    标签_倒计时秒,
    按钮_导入单号,
    按钮_导出,
    超级列表框1,
    标签_查询状态,
    标签2,
    标签1,
    标签3,
    标签4,
    透明标签6,
    透明标签1,
    透明标签2,
    透明标签3,
    透明标签4,
    透明标签5,
    透明标签7,
    超文本浏览框1,
    编辑框1,
};
inline constexpr int kFirstMainId = static_cast<int>(MainId::标签_单号);
inline constexpr int kMainControlCount = static_cast<int>(MainId::编辑框1) - kFirstMainId + 1;

// Timer ids of the main window.
enum class MainTimer : UINT_PTR { 时钟1 = 1, 时钟2, 时钟3, 时钟4, 时钟5 };

// Commands of the tray menu.
enum TrayMenuCommand : UINT {
    kMenuOpenPanel = 40001, // 打开主面板
    kMenuExit,              // 退出
    kMenuGuide,             // 使用说明
    kMenuFeedback,          // 反馈给作者
};

inline constexpr wchar_t kMainWindowClass[] = L"RadarMainWindow";

// The placeholder of the numbers box, shown until the user enters numbers.
extern const char kNumbersPlaceholder[];

class MainWindow : public Window {
public:
    MainWindow();
    ~MainWindow() override;

    // Creates the window and runs its creation handler; the window is not shown yet.
    bool Create();
    void Show();

    HWND Control(MainId id) const;
    WindowTimer& Timer(MainTimer timer);
    HMENU TrayMenu() const { return trayMenu_.Get(); }
    ReminderWindow* Reminder() const { return reminder_.get(); }
    // The id of the F1 hot key, 0 when the key could not be registered.
    int HotKeyId() const { return hotKeyId_; }
    // The file dialog that import and export share; it keeps its settings between uses.
    FileDialog& 通用对话框1() { return 通用对话框1_; }

    // A tracking run has been asked for and has not finished yet.
    bool RunInProgress() const { return runRequested_; }
    BalloonTip& HistoryBalloon() { return 气球提示框1_; }

    // Slides the reminder up into view (true) or down below the screen (false), a pixel a tick.
    void SlideReminder(bool in);

    bool IsShownInTaskbar() const;
    void SetShownInTaskbar(bool shown);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateControls();
    void CreateTrayMenu();
    void OnCreate();
    void OnPositionChanged();
    void OnDestroy();
    void OnCommand(int id, int code);
    LRESULT OnNotify(const NMHDR& header);
    void OnTimer(UINT_PTR id);
    LRESULT OnColourStatic(HDC dc, HWND control);

    // Handlers of this window.
    void OnHotKeyFeedback(int hotKeyId);
    void OnNumbersFocusGained();
    void OnNumbersFocusLost();
    void OnRowSelected(int row);
    void OnOpenPanel();
    void OnExit();

    // Handlers whose behaviour the other subsystems provide.
    void OnQueryButton();
    void OnTrackingFeedback(int first, int second);
    void OnAutoQueryClicked();
    void OnCountdownTick();
    void OnRunWaitTick();
    void OnSlideTick();
    void OnCounterTick();
    void OnImportNumbers();
    void OnExportTable();
    void ExportTable();
    void OnNoticePressed();
    void OnRowDoubleClicked();
    void OnGuideMenu();
    void OnFeedbackMenu();
    void ReadLatestVersion();
    void ReadNotice();
    void ApplySkin();
    void LoadNumberList();
    // Keeps the numbers box's text for the next start; a list that cannot be written is not kept.
    void SaveNumberList();

    std::array<HWND, kMainControlCount> controls_{};
    std::vector<FontHandle> fonts_;
    BrushHandle labelBrush_;
    MenuHandle trayMenu_;
    std::array<WindowTimer, 5> timers_;
    std::unique_ptr<ReminderWindow> reminder_;
    int hotKeyId_ = 0;
    BalloonTip 气球提示框1_;
    bool runRequested_ = false; // from the query button until the run's end
    bool destroyed_ = false;
    FileDialog 通用对话框1_;
    // An import or export is under way: its waits let clicks through, which must not start another.
    bool fileTaskRunning_ = false;
};

} // namespace radar
