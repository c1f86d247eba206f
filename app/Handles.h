#pragma once
// Small owners for Windows handles and GDI objects: each closes what it holds
// exactly once, can be moved but not copied.
#include <windows.h>

#include <utility>

template <typename T, typename Traits>
class Owned {
public:
    Owned() = default;
    explicit Owned(T value) : value_(value) {}
    ~Owned() { reset(); }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& other) noexcept : value_(other.release()) {}
    Owned& operator=(Owned&& other) noexcept
    {
        if (this != &other) reset(other.release());
        return *this;
    }

    T get() const { return value_; }
    explicit operator bool() const { return Traits::valid(value_); }
    T release() { return std::exchange(value_, Traits::empty()); }
    void reset(T value = Traits::empty())
    {
        if (Traits::valid(value_)) Traits::close(value_);
        value_ = value;
    }

private:
    T value_ = Traits::empty();
};

struct HandleTraits {
    static HANDLE empty() { return nullptr; }
    static bool valid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void close(HANDLE h) { CloseHandle(h); }
};
using UniqueHandle = Owned<HANDLE, HandleTraits>;

template <typename G>
struct GdiTraits {
    static G empty() { return nullptr; }
    static bool valid(G g) { return g != nullptr; }
    static void close(G g) { DeleteObject(g); }
};
using UniqueBitmap = Owned<HBITMAP, GdiTraits<HBITMAP>>;
using UniqueFont = Owned<HFONT, GdiTraits<HFONT>>;

struct ModuleTraits {
    static HMODULE empty() { return nullptr; }
    static bool valid(HMODULE m) { return m != nullptr; }
    static void close(HMODULE m) { FreeLibrary(m); }
};
using UniqueModule = Owned<HMODULE, ModuleTraits>;

struct IconTraits {
    static HICON empty() { return nullptr; }
    static bool valid(HICON i) { return i != nullptr; }
    static void close(HICON i) { DestroyIcon(i); }
};
using UniqueIcon = Owned<HICON, IconTraits>;

struct MemoryDcTraits {
    static HDC empty() { return nullptr; }
    static bool valid(HDC dc) { return dc != nullptr; }
    static void close(HDC dc) { DeleteDC(dc); }
};
using UniqueMemoryDc = Owned<HDC, MemoryDcTraits>;

// A window's device context from GetDC, given back on scope exit.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() { if (dc_) ReleaseDC(window_, dc_); }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a DC and puts the previous one back on scope exit.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~Selection() { if (previous_) SelectObject(dc_, previous_); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};
