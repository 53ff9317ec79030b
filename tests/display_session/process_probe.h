#pragma once
// What the display session tests read off their own process: its threads
// and windows, the module's image and the windows and threads that came
// from it, the module's traces of its last resorts, and a guard that ends
// a hung round.
#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32_handles.h"

namespace session {

int ThreadCount();

// Where the module's image lies, to recognise its windows by their instance
// or their procedure, and its threads by their start, also once it is gone.
struct ModuleImage {
  UINT_PTR base = 0;
  UINT_PTR size = 0;
  bool Holds(UINT_PTR address) const { return address - base < size; }
};
ModuleImage ImageOf(HMODULE module);

// Every window of this process: top-level ones, shown or hidden, and
// message-only ones.
int ProcessWindowCount();
// The module's windows: their instance or their procedure in its image.
std::vector<HWND> ModuleWindows(const ModuleImage& image);
std::vector<HWND> VisibleModuleWindows(const ModuleImage& image);

// The threads the module started (the display's), each watched from the
// moment it is discovered until it has ended.
class ModuleThreadWatch {
 public:
  ModuleThreadWatch() = default;
  ~ModuleThreadWatch();
  ModuleThreadWatch(const ModuleThreadWatch&) = delete;
  ModuleThreadWatch& operator=(const ModuleThreadWatch&) = delete;

  // Starts watching every running thread of this process that started in
  // `image`.
  void Discover(const ModuleImage& image);
  // Lets go of the watched threads that have ended; those that ended with
  // an exit code other than 0 (a thread ended from outside among them) are
  // described one a line.
  std::string Reap();
  // The same once every watched thread has ended, or `limitMs` have
  // passed: one still running is described too. The watch is emptied.
  std::string EndedBadly(DWORD limitMs);

 private:
  static std::string Verdict(HANDLE thread, DWORD limitMs);

  std::set<DWORD> m_ids;
  std::vector<HANDLE> m_threads;
};

// Counts the module's "last resort" traces (debug output) while it lives.
class LastResortTraces {
 public:
  LastResortTraces();
  ~LastResortTraces();
  LastResortTraces(const LastResortTraces&) = delete;
  LastResortTraces& operator=(const LastResortTraces&) = delete;
  int Count() const;
  std::string Last() const;
  // The count so far, which a test expected; counting starts afresh.
  int Take();

 private:
  void* m_handler;
  int m_countBefore;
};

// Ends the process with a message when a round hangs, so that a hang shows
// as a failing test at once rather than at the test runner's time-out.
class HangGuard {
 public:
  HangGuard(const char* what, int round, DWORD limitMs);
  ~HangGuard();
  HangGuard(const HangGuard&) = delete;
  HangGuard& operator=(const HangGuard&) = delete;

 private:
  stats::UniqueKernelObject m_done;
  std::thread m_watch;
};

struct Spread {
  double median, max;
};
Spread SpreadOf(std::vector<double> values);

// Milliseconds that `body` took.
double MillisecondsOf(const std::function<void()>& body);

}  // namespace session
