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
  explicit UniqueMemoryDc(HDC compatibleWith) : m_hDC(CreateCompatibleDC(compatibleWith)) {}
  UniqueMemoryDc(const UniqueMemoryDc&) = delete;
  UniqueMemoryDc& operator=(const UniqueMemoryDc&) = delete;
  ~UniqueMemoryDc() {
    if (m_hDC != nullptr) DeleteDC(m_hDC);
  }
  HDC get() const { return m_hDC; }
  explicit operator bool() const { return m_hDC != nullptr; }

 private:
  HDC m_hDC;
};

// A window's drawing context from GetDC (client area) or GetWindowDC (whole
// window), given back to the same window.
class WindowDc {
 public:
  enum class Area { Client, Window };
  WindowDc(HWND window, Area area)
      : m_hWndOwner(window), m_hDC(area == Area::Client ? GetDC(window) : GetWindowDC(window)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (m_hDC != nullptr) ReleaseDC(m_hWndOwner, m_hDC);
  }
  HDC get() const { return m_hDC; }
  explicit operator bool() const { return m_hDC != nullptr; }

 private:
  HWND m_hWndOwner;
  HDC m_hDC;
};

// Puts back the object that SelectObject replaced.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ object) : m_hDC(dc), m_hPrevious(SelectObject(dc, object)) {}
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;
  ~SelectGuard() {
    if (m_hPrevious != nullptr && m_hPrevious != HGDI_ERROR) SelectObject(m_hDC, m_hPrevious);
  }

 private:
  HDC m_hDC;
  HGDIOBJ m_hPrevious;
};

}  // namespace stats
