#pragma once
// Small owners for Win32 handles: each closes its handle exactly once.
#include "platform/win.h"

#include <utility>

namespace rt {

template <typename Traits>
class Owned {
public:
    using Handle = typename Traits::Handle;
    Owned() = default;
    explicit Owned(Handle h) : h_(h) {}
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& other) noexcept : h_(std::exchange(other.h_, Traits::invalid())) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) reset(std::exchange(other.h_, Traits::invalid()));
        return *this;
    }
    ~Owned() { reset(); }

    Handle get() const { return h_; }
    bool valid() const { return h_ != Traits::invalid(); }
    explicit operator bool() const { return valid(); }
    Handle release() { return std::exchange(h_, Traits::invalid()); }
    void reset(Handle h = Traits::invalid()) {
        if (valid()) Traits::close(h_);
        h_ = h;
    }

private:
    Handle h_ = Traits::invalid();
};

struct FileTraits {
    using Handle = HANDLE;
    static Handle invalid() { return INVALID_HANDLE_VALUE; }
    static void close(Handle h) { CloseHandle(h); }
};
struct FindTraits {
    using Handle = HANDLE;
    static Handle invalid() { return INVALID_HANDLE_VALUE; }
    static void close(Handle h) { FindClose(h); }
};
struct ModuleTraits {
    using Handle = HMODULE;
    static Handle invalid() { return nullptr; }
    static void close(Handle h) { FreeLibrary(h); }
};
struct GdiTraits {
    using Handle = HGDIOBJ;
    static Handle invalid() { return nullptr; }
    static void close(Handle h) { DeleteObject(h); }
};
struct IconTraits {
    using Handle = HICON;
    static Handle invalid() { return nullptr; }
    static void close(Handle h) { DestroyIcon(h); }
};
struct WindowTraits {
    using Handle = HWND;
    static Handle invalid() { return nullptr; }
    static void close(Handle h) { DestroyWindow(h); }
};

using FileHandle = Owned<FileTraits>;
using FindHandle = Owned<FindTraits>;
using ModuleHandle = Owned<ModuleTraits>;
using GdiObject = Owned<GdiTraits>;
using IconHandle = Owned<IconTraits>;
using WindowHandle = Owned<WindowTraits>;

// A device context borrowed with GetDC, given back with ReleaseDC.
class WindowDC {
public:
    explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() {
        if (dc_) ReleaseDC(hwnd_, dc_);
    }
    HDC get() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

}  // namespace rt
