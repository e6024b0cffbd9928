#pragma once
// Reads the document of an embedded browser control over COM. COM is initialised on the
// creating thread for the object's whole life. Binding to a control comes with the
// browser host; until then Bind finds no document and DivInnerHtml reads nothing.
#include <windows.h>

#include <string>

namespace radar {

class BrowserDocument {
public:
    BrowserDocument();
    ~BrowserDocument();
    BrowserDocument(const BrowserDocument&) = delete;
    BrowserDocument& operator=(const BrowserDocument&) = delete;

    void Release();
    bool Bind(HWND window);
    std::string DivInnerHtml(const std::string& identifier, int skipCount = 0);

private:
    bool comInitialised_ = false;
    HWND window_ = nullptr;
};

// The text buffer the reader keeps for the whole run; freed once at the end.
void FreeBrowserTextBuffer();

} // namespace radar
