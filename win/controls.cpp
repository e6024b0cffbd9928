#include "win/controls.h"

#include <windows.h>
#include <commctrl.h>

#include "win/code_page.h"
#include "win/dpi.h"
#include "win/messages.h"

namespace radar {

HWND CreateControl(HWND parent, const wchar_t* className, const std::string& text, DWORD style, DWORD exStyle, int x,
                   int y, int width, int height, int id) {
    std::wstring textW = ToWide(text);
    return CreateWindowExW(exStyle, className, textW.c_str(), style | WS_CHILD, Scale(x), Scale(y), Scale(width),
                           Scale(height), parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
}

void SetText(HWND window, const std::string& text) {
    SetWindowTextW(window, ToWide(text).c_str());
}

std::string GetText(HWND window) {
    int length = GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::wstring textW(static_cast<size_t>(length) + 1, L'\0');
    int copied = GetWindowTextW(window, textW.data(), length + 1);
    textW.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return ToGbk(textW);
}

void SelectTextBytes(HWND edit, size_t start, size_t length) {
    std::string text = GetText(edit);
    if (start > text.size()) start = text.size();
    if (length > text.size() - start) length = text.size() - start;
    auto first = static_cast<WPARAM>(ToWide(std::string_view(text).substr(0, start)).size());
    auto last = static_cast<LPARAM>(ToWide(std::string_view(text).substr(0, start + length)).size());
    SendMessageW(edit, EM_SETSEL, first, last);
    SendMessageW(edit, EM_SCROLLCARET, 0, 0);
}

namespace {

constexpr UINT_PTR kDigitInputSubclass = 1;
constexpr UINT_PTR kFeedbackSubclass = 2;

LRESULT CALLBACK DigitInputProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_CHAR) {
        wchar_t c = static_cast<wchar_t>(wParam);
        bool printable = c >= 0x20 && c != 0x7F;
        if (printable && !(c >= L'0' && c <= L'9') && c != L'-') return 0;
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, DigitInputProc, kDigitInputSubclass);
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK FeedbackProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto handler = reinterpret_cast<FeedbackHandler*>(data);
    if (message == kMsgFeedback) {
        if (handler && *handler) {
            try {
                (*handler)(static_cast<int>(wParam), static_cast<int>(lParam));
            } catch (...) {
            }
        }
        return 0;
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, FeedbackProc, kFeedbackSubclass);
        delete handler;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

} // namespace

void MakeDigitInput(HWND edit) {
    SetWindowSubclass(edit, DigitInputProc, kDigitInputSubclass, 0);
}

void SetFeedbackHandler(HWND label, FeedbackHandler handler) {
    DWORD_PTR old = 0;
    if (GetWindowSubclass(label, FeedbackProc, kFeedbackSubclass, &old)) delete reinterpret_cast<FeedbackHandler*>(old);
    auto* stored = new FeedbackHandler(std::move(handler));
    if (!SetWindowSubclass(label, FeedbackProc, kFeedbackSubclass, reinterpret_cast<DWORD_PTR>(stored))) delete stored;
}

bool PostFeedback(HWND label, int first, int second) {
    return PostMessageW(label, kMsgFeedback, static_cast<WPARAM>(first), static_cast<LPARAM>(second)) != FALSE;
}

void RaiseFeedback(HWND label, int first, int second) {
    SendMessageW(label, kMsgFeedback, static_cast<WPARAM>(first), static_cast<LPARAM>(second));
}

const wchar_t kTransparentLabelClass[] = L"RadarTransparentLabel";

namespace {

constexpr wchar_t kColourProperty[] = L"RadarTextColour";

void PaintTransparentLabel(HWND hwnd, HDC dc) {
    int length = GetWindowTextLengthW(hwnd);
    // With no text there is nothing to draw: whatever lies under the label stays visible.
    if (length <= 0) return;
    RECT client;
    GetClientRect(hwnd, &client);
    // The parent's background under the label, so old text vanishes when the text changes.
    if (HWND parent = GetParent(hwnd)) {
        POINT origin{0, 0};
        MapWindowPoints(hwnd, parent, &origin, 1);
        POINT old;
        OffsetViewportOrgEx(dc, -origin.x, -origin.y, &old);
        SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        SetViewportOrgEx(dc, old.x, old.y, nullptr);
    }
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(hwnd, text.data(), length + 1)));
    auto font = reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0));
    HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, TransparentLabelColour(hwnd));
    // Lines break only where the label has room for more than one line.
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    UINT format = DT_LEFT | DT_TOP | DT_NOPREFIX;
    format |= client.bottom >= 2 * metrics.tmHeight ? DT_WORDBREAK : DT_SINGLELINE;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &client, format);
    if (oldFont) SelectObject(dc, oldFont);
}

LRESULT CALLBACK TransparentLabelProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        PaintTransparentLabel(hwnd, dc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        PaintTransparentLabel(hwnd, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_SETFONT:
        SetPropW(hwnd, L"RadarFont", reinterpret_cast<HANDLE>(wParam));
        if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(GetPropW(hwnd, L"RadarFont"));
    case WM_SETTEXT: {
        LRESULT result = DefWindowProcW(hwnd, message, wParam, lParam);
        InvalidateRect(hwnd, nullptr, FALSE);
        return result;
    }
    case WM_LBUTTONDOWN:
        SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), STN_CLICKED),
                     reinterpret_cast<LPARAM>(hwnd));
        return 0;
    case WM_NCDESTROY:
        RemovePropW(hwnd, kColourProperty);
        RemovePropW(hwnd, L"RadarFont");
        break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace

void RegisterTransparentLabelClass() {
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(GetModuleHandleW(nullptr), kTransparentLabelClass, &wc)) return;
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = TransparentLabelProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kTransparentLabelClass;
    RegisterClassExW(&wc);
}

void SetTransparentLabelColour(HWND label, COLORREF colour) {
    // Stored plus one so that black (0) differs from "no property".
    SetPropW(label, kColourProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(colour) + 1));
    InvalidateRect(label, nullptr, FALSE);
}

COLORREF TransparentLabelColour(HWND label) {
    auto stored = reinterpret_cast<UINT_PTR>(GetPropW(label, kColourProperty));
    return stored ? static_cast<COLORREF>(stored - 1) : RGB(0, 0, 0);
}

} // namespace radar
