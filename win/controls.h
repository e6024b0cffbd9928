#pragma once
// Child controls and the small behaviours the program's windows give them.
#include <windows.h>

#include <functional>
#include <string>

namespace radar {

// Creates a child control at a place given at 96 dpi (scaled here).
HWND CreateControl(HWND parent, const wchar_t* className, const std::string& text, DWORD style, DWORD exStyle, int x,
                   int y, int width, int height, int id);

void SetText(HWND window, const std::string& text);
std::string GetText(HWND window);

// Selects the bytes [start, start + length) of the control's GBK text (0-based), whatever
// characters stand before them: the control counts UTF-16 units, the program GBK bytes.
void SelectTextBytes(HWND edit, size_t start, size_t length);

// Of the printable characters typed into the edit box, only 0-9 and '-' arrive. Control
// characters (Enter, Backspace, Ctrl+V ...) pass, and so do paste and text set by code.
void MakeDigitInput(HWND edit);

// The feedback event of a label: two 32-bit integers, always handled on the label's thread.
using FeedbackHandler = std::function<void(int first, int second)>;
void SetFeedbackHandler(HWND label, FeedbackHandler handler);
// From any thread, without waiting.
bool PostFeedback(HWND label, int first, int second);
// On the label's thread, at once.
void RaiseFeedback(HWND label, int first, int second);

// A label that draws no background of its own, only its text in the given colour over its
// parent's background. A left button press is sent to the parent as STN_CLICKED.
extern const wchar_t kTransparentLabelClass[];
void RegisterTransparentLabelClass();
void SetTransparentLabelColour(HWND label, COLORREF colour);
COLORREF TransparentLabelColour(HWND label);

} // namespace radar
