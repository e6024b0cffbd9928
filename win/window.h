#pragma once
// Base of every window class of the program: the static procedure keeps `this` from
// WM_NCCREATE to WM_NCDESTROY and forwards to HandleMessage. Nothing thrown inside a
// handler leaves the procedure.
#include <windows.h>

#include <string>

namespace radar {

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND Hwnd() const { return hwnd_; }
    bool IsAlive() const { return hwnd_ != nullptr; }

protected:
    // Registers the class once per process (background brush may be null).
    static void RegisterWindowClass(const wchar_t* className, HBRUSH background, HICON icon, HICON smallIcon);

    bool CreateTopLevel(const wchar_t* className, const std::string& caption, DWORD style, DWORD exStyle, RECT outer,
                        HWND owner);

    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    }

private:
    static LRESULT CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
};

} // namespace radar
