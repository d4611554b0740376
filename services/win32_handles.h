#pragma once

// Windows only. The small owners of Windows handles that every Windows file
// uses, so that no handle is closed by hand on each return path.

#include <windows.h>

#include <utility>

namespace pellwise {

// Owns one handle and closes it with its kind's function when it goes. Each
// kind starts empty with the value its API returns on failure.
template <typename Kind>
class Owned {
public:
    using Handle = typename Kind::Handle;

    Owned() = default;
    explicit Owned(Handle handle) : handle_(handle) {}
    Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, Kind::None())) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.handle_, Kind::None()));
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    ~Owned() { Reset(); }

    Handle Get() const { return handle_; }
    // Neither null nor INVALID_HANDLE_VALUE is ever a handle of any kind.
    explicit operator bool() const {
        return handle_ != nullptr && reinterpret_cast<HANDLE>(handle_) != INVALID_HANDLE_VALUE;
    }
    void Reset(Handle handle = Kind::None()) {
        if (*this) Kind::Close(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = Kind::None();
};

struct KernelHandleKind {
    using Handle = HANDLE;
    static HANDLE None() { return nullptr; }
    static void Close(HANDLE handle) { CloseHandle(handle); }
};
struct FindHandleKind {
    using Handle = HANDLE;
    static HANDLE None() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE handle) { FindClose(handle); }
};
template <typename H>
struct GdiObjectKind {
    using Handle = H;
    static H None() { return nullptr; }
    static void Close(H handle) { DeleteObject(handle); }
};
struct IconKind {
    using Handle = HICON;
    static HICON None() { return nullptr; }
    static void Close(HICON icon) { DestroyIcon(icon); }
};

// A file, mutex, process or other kernel object (CloseHandle).
using KernelHandle = Owned<KernelHandleKind>;
// A search of FindFirstFile (FindClose).
using FindHandle = Owned<FindHandleKind>;
// A bitmap, brush, pen, font or region (DeleteObject).
template <typename H>
using GdiObject = Owned<GdiObjectKind<H>>;
using BitmapHandle = GdiObject<HBITMAP>;
using BrushHandle = GdiObject<HBRUSH>;
using PenHandle = GdiObject<HPEN>;
using FontHandle = GdiObject<HFONT>;
using RegionHandle = GdiObject<HRGN>;
// An icon made by CopyImage or CreateIcon (DestroyIcon); icons from LoadIcon
// are shared and must not be owned by this.
using IconHandle = Owned<IconKind>;

// One reference to a COM object, released when it goes.
template <typename T>
class ComReference {
public:
    ComReference() = default;
    ComReference(const ComReference&) = delete;
    ComReference& operator=(const ComReference&) = delete;
    ~ComReference() {
        if (object_) object_->Release();
    }
    T** Out() { return &object_; }
    T* Get() const { return object_; }

private:
    T* object_ = nullptr;
};

// Sets the error mode for a scope, so that a missing DLL or a drive without a
// disk shows no system dialog, and gives the previous mode back afterwards.
class ErrorModeScope {
public:
    explicit ErrorModeScope(UINT mode) : old_(SetErrorMode(mode)) {}
    ErrorModeScope(const ErrorModeScope&) = delete;
    ErrorModeScope& operator=(const ErrorModeScope&) = delete;
    ~ErrorModeScope() { SetErrorMode(old_); }

private:
    UINT old_;
};

// A memory DC, deleted with DeleteDC.
class MemoryDc {
public:
    explicit MemoryDc(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    ~MemoryDc() {
        if (dc_) DeleteDC(dc_);
    }
    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

// The DC of a window (or of the screen for nullptr), released with ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a DC and puts the old one back when it goes.
class SelectScope {
public:
    SelectScope(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
    SelectScope(const SelectScope&) = delete;
    SelectScope& operator=(const SelectScope&) = delete;
    ~SelectScope() {
        if (old_) SelectObject(dc_, old_);
    }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// The DC of a paint message: the one it brought in wParam, or BeginPaint's,
// which is then ended with EndPaint.
class PaintScope {
public:
    PaintScope(HWND window, WPARAM given) : window_(window), given_(reinterpret_cast<HDC>(given)) {
        dc_ = given_ ? given_ : BeginPaint(window_, &paint_);
    }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    ~PaintScope() {
        if (!given_) EndPaint(window_, &paint_);
    }
    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC given_;
    HDC dc_;
    PAINTSTRUCT paint_ = {};
};

}  // namespace pellwise
