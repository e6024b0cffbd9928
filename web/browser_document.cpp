#include "web/browser_document.h"

#include <objbase.h>

namespace radar {

namespace {
std::string g_textBuffer;
}

BrowserDocument::BrowserDocument() : comInitialised_(SUCCEEDED(CoInitialize(nullptr))) {}

BrowserDocument::~BrowserDocument() {
    Release();
}

void BrowserDocument::Release() {
    window_ = nullptr;
    if (comInitialised_) {
        CoUninitialize();
        comInitialised_ = false;
    }
}

bool BrowserDocument::Bind(HWND window) {
    window_ = window;
    return false;
}

std::string BrowserDocument::DivInnerHtml(const std::string&, int) {
    return {};
}

void FreeBrowserTextBuffer() {
    std::string().swap(g_textBuffer);
}

} // namespace radar
