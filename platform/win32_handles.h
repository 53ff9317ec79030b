#pragma once
// Owners for the Win32 handles the module opens, kernel objects and the
// windows' USER and GDI handles alike: each gives its handle back exactly
// once.
#include <windows.h>

#include <utility>

namespace stats {

template <typename Handle, Handle Invalid, typename Closer, Closer Close>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : m_h(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : m_h(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { reset(); }

  Handle get() const { return m_h; }
  explicit operator bool() const { return m_h != Invalid; }
  Handle release() { return std::exchange(m_h, Invalid); }
  void reset(Handle handle = Invalid) {
    if (m_h != Invalid) Close(m_h);
    m_h = handle;
  }

 private:
  Handle m_h = Invalid;
};

// CreateFile and FindFirstFile report failure as INVALID_HANDLE_VALUE; the
// owners hold null for "no handle".
inline HANDLE OrNull(HANDLE handle) { return handle == INVALID_HANDLE_VALUE ? nullptr : handle; }

using UniqueFile = UniqueHandle<HANDLE, nullptr, decltype(&CloseHandle), &CloseHandle>;
// Threads and events.
using UniqueKernelObject = UniqueFile;
using UniqueFind = UniqueHandle<HANDLE, nullptr, decltype(&FindClose), &FindClose>;
// A loaded DLL.
using UniqueModule = UniqueHandle<HMODULE, nullptr, decltype(&FreeLibrary), &FreeLibrary>;

// GDI objects made by the module (brush, font, bitmap, pen).
template <typename Object>
using UniqueGdiObject = UniqueHandle<Object, nullptr, decltype(&DeleteObject), &DeleteObject>;

using UniqueBrush = UniqueGdiObject<HBRUSH>;
using UniqueFont = UniqueGdiObject<HFONT>;
using UniqueBitmap = UniqueGdiObject<HBITMAP>;

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
