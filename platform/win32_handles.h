#pragma once
// Owners for the Win32 handles the module opens: each closes its handle
// exactly once.
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

}  // namespace stats
