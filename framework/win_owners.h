#pragma once
// Owners for the USER and GDI handles of the windows: each gives its handle
// back exactly once. Kernel handles have theirs in platform/win32_handles.h.
#include <windows.h>

#include "platform/win32_handles.h"

namespace stats {

// GDI objects made by the module (brush, font, bitmap, pen).
template <typename Object>
using UniqueGdiObject = UniqueHandle<Object, nullptr, decltype(&DeleteObject), &DeleteObject>;

using UniqueBrush = UniqueGdiObject<HBRUSH>;
using UniqueFont = UniqueGdiObject<HFONT>;
using UniqueBitmap = UniqueGdiObject<HBITMAP>;
using UniquePen = UniqueGdiObject<HPEN>;

// A memory drawing context from CreateCompatibleDC.
class UniqueMemoryDc {
 public:
  explicit UniqueMemoryDc(HDC compatibleWith) : m_dc(CreateCompatibleDC(compatibleWith)) {}
  UniqueMemoryDc(const UniqueMemoryDc&) = delete;
  UniqueMemoryDc& operator=(const UniqueMemoryDc&) = delete;
  ~UniqueMemoryDc() {
    if (m_dc != nullptr) DeleteDC(m_dc);
  }
  HDC get() const { return m_dc; }
  explicit operator bool() const { return m_dc != nullptr; }

 private:
  HDC m_dc;
};

// A window's drawing context from GetDC (client area) or GetWindowDC (whole
// window), given back to the same window.
class WindowDc {
 public:
  enum class Area { Client, Window };
  WindowDc(HWND window, Area area)
      : m_window(window), m_dc(area == Area::Client ? GetDC(window) : GetWindowDC(window)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (m_dc != nullptr) ReleaseDC(m_window, m_dc);
  }
  HDC get() const { return m_dc; }
  explicit operator bool() const { return m_dc != nullptr; }

 private:
  HWND m_window;
  HDC m_dc;
};

// Puts back the object that SelectObject replaced.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(SelectObject(dc, object)) {}
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;
  ~SelectGuard() {
    if (m_previous != nullptr && m_previous != HGDI_ERROR) SelectObject(m_dc, m_previous);
  }

 private:
  HDC m_dc;
  HGDIOBJ m_previous;
};

}  // namespace stats
