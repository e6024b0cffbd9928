#include "gdiplus/plus_startup.h"

#include <windows.h>

namespace radar {

namespace {

// The layout of GdiplusStartupInput, version 1.
struct StartupInput {
    UINT32 version;
    void* debugEventCallback;
    BOOL suppressBackgroundThread;
    BOOL suppressExternalCodecs;
};

using StartupFunction = int(WINAPI*)(ULONG_PTR* token, const StartupInput* input, void* output);

} // namespace

PlusStartupState StartGdiPlus() {
    PlusStartupState state;
    // Kept loaded for the whole run: GDI+ lives until the process ends.
    HMODULE module = LoadLibraryW(L"gdiplus.dll");
    if (!module) return state;
    auto startup = reinterpret_cast<StartupFunction>(reinterpret_cast<void*>(GetProcAddress(module, "GdiplusStartup")));
    if (!startup) return state;
    StartupInput input{1, nullptr, FALSE, FALSE};
    ULONG_PTR token = 0;
    state.status = startup(&token, &input, nullptr);
    state.token = token;
    return state;
}

} // namespace radar
