#pragma once

// Small owners of device contexts, GDI objects and global memory. None can be copied: a copied
// handle owner would free its handle twice. Declare a ScopedSelectObject after the object it
// selects, so that the old object is put back before the selected one is deleted.

#include <windows.h>

#include <utility>

// GetDC / ReleaseDC: the client area of a window, or the screen for a null window.
class ScopedDC {
public:
  explicit ScopedDC(HWND hwnd) : m_hwnd(hwnd), m_dc(::GetDC(hwnd)) {}
  ~ScopedDC() {
    if (m_dc) ::ReleaseDC(m_hwnd, m_dc);
  }
  ScopedDC(const ScopedDC&) = delete;
  ScopedDC& operator=(const ScopedDC&) = delete;
  HDC get() const { return m_dc; }
  operator HDC() const { return m_dc; }

private:
  HWND m_hwnd;  // not owned
  HDC m_dc;
};

// GetWindowDC / ReleaseDC: the whole window, non-client area included.
class ScopedWindowDC {
public:
  explicit ScopedWindowDC(HWND hwnd) : m_hwnd(hwnd), m_dc(::GetWindowDC(hwnd)) {}
  ~ScopedWindowDC() {
    if (m_dc) ::ReleaseDC(m_hwnd, m_dc);
  }
  ScopedWindowDC(const ScopedWindowDC&) = delete;
  ScopedWindowDC& operator=(const ScopedWindowDC&) = delete;
  HDC get() const { return m_dc; }
  operator HDC() const { return m_dc; }

private:
  HWND m_hwnd;  // not owned
  HDC m_dc;
};

// BeginPaint / EndPaint, for WM_PAINT handlers.
class ScopedPaintDC {
public:
  explicit ScopedPaintDC(HWND hwnd) : m_hwnd(hwnd), m_dc(::BeginPaint(hwnd, &m_ps)) {}
  ~ScopedPaintDC() { ::EndPaint(m_hwnd, &m_ps); }
  ScopedPaintDC(const ScopedPaintDC&) = delete;
  ScopedPaintDC& operator=(const ScopedPaintDC&) = delete;
  HDC get() const { return m_dc; }
  operator HDC() const { return m_dc; }
  const PAINTSTRUCT& paint() const { return m_ps; }

private:
  HWND m_hwnd;  // not owned
  PAINTSTRUCT m_ps = {};
  HDC m_dc;
};

// CreateCompatibleDC / DeleteDC.
class ScopedMemoryDC {
public:
  explicit ScopedMemoryDC(HDC compatibleWith) : m_dc(::CreateCompatibleDC(compatibleWith)) {}
  ~ScopedMemoryDC() {
    if (m_dc) ::DeleteDC(m_dc);
  }
  ScopedMemoryDC(const ScopedMemoryDC&) = delete;
  ScopedMemoryDC& operator=(const ScopedMemoryDC&) = delete;
  HDC get() const { return m_dc; }
  operator HDC() const { return m_dc; }

private:
  HDC m_dc;
};

// A GDI object (bitmap, brush, font, pen, region) deleted with DeleteObject.
template <typename T>
class ScopedGdiObject {
public:
  ScopedGdiObject() = default;
  explicit ScopedGdiObject(T object) : m_object(object) {}
  ~ScopedGdiObject() { reset(); }
  ScopedGdiObject(const ScopedGdiObject&) = delete;
  ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;
  ScopedGdiObject(ScopedGdiObject&& other) noexcept : m_object(other.release()) {}
  ScopedGdiObject& operator=(ScopedGdiObject&& other) noexcept {
    reset(other.release());
    return *this;
  }
  T get() const { return m_object; }
  operator T() const { return m_object; }
  explicit operator bool() const { return m_object != nullptr; }
  void reset(T object = nullptr) {
    if (m_object) ::DeleteObject(m_object);
    m_object = object;
  }
  T release() { return std::exchange(m_object, nullptr); }

private:
  T m_object = nullptr;
};

using ScopedBitmap = ScopedGdiObject<HBITMAP>;
using ScopedBrush = ScopedGdiObject<HBRUSH>;
using ScopedFont = ScopedGdiObject<HFONT>;

// SelectObject for one scope; the previously selected object is put back at the end.
class ScopedSelectObject {
public:
  ScopedSelectObject(HDC dc, HGDIOBJ object)
      : m_dc(dc), m_old(object ? ::SelectObject(dc, object) : nullptr) {}
  ~ScopedSelectObject() {
    if (m_old) ::SelectObject(m_dc, m_old);
  }
  ScopedSelectObject(const ScopedSelectObject&) = delete;
  ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

private:
  HDC m_dc;        // not owned
  HGDIOBJ m_old;   // not owned: the context's previous object
};

// Double-buffered painting: a memory context compatible with the target, holding a bitmap of the
// area's size selected for drawing at (0, 0). copyTo puts it on a target at the area's top-left
// corner. The bitmap is put out of the context before either is deleted.
class ScopedBackBuffer {
public:
  ScopedBackBuffer(HDC target, const RECT& area)
      : m_area(area),
        m_memory(target),
        m_bitmap(::CreateCompatibleBitmap(target, area.right - area.left, area.bottom - area.top)),
        m_select(m_memory, m_bitmap) {}
  ScopedBackBuffer(const ScopedBackBuffer&) = delete;
  ScopedBackBuffer& operator=(const ScopedBackBuffer&) = delete;
  HDC get() const { return m_memory; }
  operator HDC() const { return m_memory; }
  explicit operator bool() const { return m_memory && m_bitmap; }
  const RECT& area() const { return m_area; }
  void copyTo(HDC target) const {
    ::BitBlt(target, m_area.left, m_area.top, m_area.right - m_area.left,
             m_area.bottom - m_area.top, m_memory, 0, 0, SRCCOPY);
  }

private:
  const RECT m_area;
  ScopedMemoryDC m_memory;
  ScopedBitmap m_bitmap;
  ScopedSelectObject m_select;
};

// A global memory block (GlobalAlloc / GlobalFree), e.g. the bytes behind a stream.
class ScopedGlobalMemory {
public:
  ScopedGlobalMemory() = default;
  ScopedGlobalMemory(UINT flags, SIZE_T size) : m_memory(::GlobalAlloc(flags, size)) {}
  ~ScopedGlobalMemory() { reset(); }
  ScopedGlobalMemory(const ScopedGlobalMemory&) = delete;
  ScopedGlobalMemory& operator=(const ScopedGlobalMemory&) = delete;
  ScopedGlobalMemory(ScopedGlobalMemory&& other) noexcept : m_memory(other.release()) {}
  ScopedGlobalMemory& operator=(ScopedGlobalMemory&& other) noexcept {
    reset(other.release());
    return *this;
  }
  HGLOBAL get() const { return m_memory; }
  explicit operator bool() const { return m_memory != nullptr; }
  void reset(HGLOBAL memory = nullptr) {
    if (m_memory) ::GlobalFree(m_memory);
    m_memory = memory;
  }
  HGLOBAL release() { return std::exchange(m_memory, nullptr); }

private:
  HGLOBAL m_memory = nullptr;
};

// GlobalLock / GlobalUnlock for one scope.
class ScopedGlobalLock {
public:
  explicit ScopedGlobalLock(HGLOBAL memory) : m_memory(memory), m_data(::GlobalLock(memory)) {}
  ~ScopedGlobalLock() {
    if (m_data) ::GlobalUnlock(m_memory);
  }
  ScopedGlobalLock(const ScopedGlobalLock&) = delete;
  ScopedGlobalLock& operator=(const ScopedGlobalLock&) = delete;
  void* get() const { return m_data; }

private:
  HGLOBAL m_memory;  // not owned
  void* m_data;
};
