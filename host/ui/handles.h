#pragma once
// Owning wrappers for the GDI handles the toolkit creates. HWNDs are not owned.

#include <windows.h>

#include <utility>

// A GDI object (bitmap, brush, region, font) deleted with DeleteObject.
template <typename H>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(H handle) : handle_(handle) {}
    GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept
    {
        std::swap(handle_, other.handle_);
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    ~GdiObject()
    {
        if (handle_)
            DeleteObject(handle_);
    }

    H get() const { return handle_; }
    // Hands the object over to a new owner (SetWindowRgn takes regions).
    H release() { return std::exchange(handle_, nullptr); }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    H handle_ = nullptr;
};

// A memory device context compatible with another one, deleted with DeleteDC;
// the object selected into it is put back first.
class MemoryDC {
public:
    explicit MemoryDC(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    ~MemoryDC()
    {
        if (previous_)
            SelectObject(dc_, previous_);
        DeleteDC(dc_);
    }

    HDC get() const { return dc_; }
    void select(HGDIOBJ object)
    {
        HGDIOBJ old = SelectObject(dc_, object);
        if (!previous_)
            previous_ = old;
    }

private:
    HDC dc_;
    HGDIOBJ previous_ = nullptr;
};

// The device context of a WM_PAINT, ended with EndPaint.
class PaintDC {
public:
    explicit PaintDC(HWND window) : window_(window) { BeginPaint(window_, &paint_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    ~PaintDC() { EndPaint(window_, &paint_); }

    HDC get() const { return paint_.hdc; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
};
