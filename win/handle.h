#pragma once
// One move-only owner for every kind of Windows handle. A traits type says what the empty
// value is and how to close it; copies are deleted so no handle is ever closed twice.
#ifdef _WIN32
#include <windows.h>
#include <utility>

namespace radar {

template <class Traits> class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { Reset(); }

    Handle Get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return Traits::IsValid(handle_); }

    Handle Release() noexcept { return std::exchange(handle_, Traits::Empty()); }
    void Reset(Handle handle = Traits::Empty()) noexcept {
        Handle old = std::exchange(handle_, handle);
        if (Traits::IsValid(old) && old != handle) Traits::Close(old);
    }

private:
    Handle handle_ = Traits::Empty();
};

// Kernel objects: both null and INVALID_HANDLE_VALUE mean "none".
struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() noexcept { return nullptr; }
    static bool IsValid(Handle h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Handle h) noexcept { CloseHandle(h); }
};
using KernelHandle = UniqueHandle<KernelHandleTraits>;

// Handles that are plain pointers with one closing function.
template <class H, auto CloseFn> struct PointerHandleTraits {
    using Handle = H;
    static Handle Empty() noexcept { return nullptr; }
    static bool IsValid(Handle h) noexcept { return h != nullptr; }
    static void Close(Handle h) noexcept { CloseFn(h); }
};

using ModuleHandle = UniqueHandle<PointerHandleTraits<HMODULE, FreeLibrary>>;
using IconHandle = UniqueHandle<PointerHandleTraits<HICON, DestroyIcon>>;
using MenuHandle = UniqueHandle<PointerHandleTraits<HMENU, DestroyMenu>>;
using WindowHandle = UniqueHandle<PointerHandleTraits<HWND, DestroyWindow>>;

inline void DeleteGdiObject(HGDIOBJ object) noexcept {
    DeleteObject(object);
}
template <class H> using GdiHandle = UniqueHandle<PointerHandleTraits<H, DeleteGdiObject>>;
using FontHandle = GdiHandle<HFONT>;
using BrushHandle = GdiHandle<HBRUSH>;
using BitmapHandle = GdiHandle<HBITMAP>;
using RegionHandle = GdiHandle<HRGN>;
using MemoryDc = UniqueHandle<PointerHandleTraits<HDC, DeleteDC>>;

} // namespace radar
#endif
