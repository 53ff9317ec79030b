#pragma once
// A plain mutual-exclusion lock, not recursive, usable with std::lock_guard
// and std::unique_lock. The Windows module implements it over a critical
// section (lock_win.cpp), so that its runtime needs no thread library: a
// statically linked one imports functions Windows XP lacks and leaves
// handles behind at every unload. The native build uses std::mutex
// (lock_portable.cpp), which the thread sanitizer understands.
#ifndef _WIN32
#include <mutex>
#endif

namespace stats {

class Lock {
 public:
  Lock() noexcept;
  ~Lock();
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;

  void lock() noexcept;
  void unlock() noexcept;

 private:
#ifdef _WIN32
  // Room for a CRITICAL_SECTION, kept opaque so that the code that takes the
  // lock need not see <windows.h>; lock_win.cpp checks that it fits.
  alignas(void*) unsigned char m_section[6 * sizeof(void*)];
#else
  std::mutex m_mutex;
#endif
};

}  // namespace stats
