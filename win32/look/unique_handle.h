#pragma once

#include <utility>
#include <windows.h>

// A move-only owner of one system handle, released when it goes; the release
// never reports anything.
template <typename Handle, typename Releaser> class UniqueHandle final
{
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle)
        : m_handle(handle)
    { }
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept
        : m_handle(std::exchange(other.m_handle, Handle {}))
    { }
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other)
            reset(std::exchange(other.m_handle, Handle {}));
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const { return m_handle; }
    explicit operator bool() const { return m_handle != Handle {}; }
    void reset(Handle handle = Handle {})
    {
        if (m_handle != Handle {})
            Releaser {}(m_handle);
        m_handle = handle;
    }
    // For a call that takes the handle over.
    [[nodiscard]] Handle release() { return std::exchange(m_handle, Handle {}); }
    // For a call that hands a new handle back through a pointer.
    Handle* put()
    {
        reset();
        return &m_handle;
    }

private:
    Handle m_handle {};
};

struct GdiObjectReleaser
{
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct KeyReleaser
{
    void operator()(HKEY key) const { RegCloseKey(key); }
};

using UniqueFont = UniqueHandle<HFONT, GdiObjectReleaser>;
using UniqueBitmap = UniqueHandle<HBITMAP, GdiObjectReleaser>;
using UniqueBrush = UniqueHandle<HBRUSH, GdiObjectReleaser>;
using UniqueRegion = UniqueHandle<HRGN, GdiObjectReleaser>;
using UniqueKey = UniqueHandle<HKEY, KeyReleaser>;

// A device context of the screen, or of a window, for as long as it lives.
class ScreenDc final
{
public:
    explicit ScreenDc(HWND window = nullptr)
        : m_window(window)
        , m_dc(GetDC(window))
    { }
    ~ScreenDc() { ReleaseDC(m_window, m_dc); }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    HDC get() const { return m_dc; }

private:
    HWND m_window;
    HDC m_dc;
};

// Selects an object into a device context and puts the previous one back when it goes.
class SelectedObject final
{
public:
    SelectedObject(HDC dc, HGDIOBJ object)
        : m_dc(dc)
        , m_previous(SelectObject(dc, object))
    { }
    ~SelectedObject() { SelectObject(m_dc, m_previous); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};
