#include "run_guards_win.h"

#include <windows.h>

#include <csignal>
#include <cstdio>

#include "exit_codes.h"

namespace orvosim {
namespace {

// Straight to the handle: the crashed thread may hold the C library's
// stream locks. stdout is unbuffered, so nothing printed is lost.
void WriteToStderr(const char* text, int length) {
  if (length <= 0) return;
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_ERROR_HANDLE), text, static_cast<DWORD>(length), &written, nullptr);
}

[[noreturn]] void EndProcess(int code) {
  TerminateProcess(GetCurrentProcess(), static_cast<UINT>(code));
  ExitProcess(static_cast<UINT>(code));  // not reached
}

// "unmapped" tells a jump into an unloaded module from other faults.
const char* MemoryState(const void* address) {
  MEMORY_BASIC_INFORMATION info{};
  if (VirtualQuery(address, &info, sizeof info) == 0) return "unknown";
  if (info.State == MEM_FREE) return "unmapped";
  return info.Type == MEM_IMAGE ? "in a module" : "mapped";
}

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* pointers) {
  const EXCEPTION_RECORD* record = pointers != nullptr ? pointers->ExceptionRecord : nullptr;
  const unsigned long code = record != nullptr ? record->ExceptionCode : 0;
  const void* address = record != nullptr ? record->ExceptionAddress : nullptr;
  char text[256];
  int n = std::snprintf(text, sizeof text,
                        "orvosim: crash: exception 0x%08lx at %p (%s) on thread %lu", code,
                        address, MemoryState(address), GetCurrentThreadId());
  if (record != nullptr && code == EXCEPTION_ACCESS_VIOLATION && record->NumberParameters >= 2) {
    const ULONG_PTR kind = record->ExceptionInformation[0];
    const void* target = reinterpret_cast<const void*>(record->ExceptionInformation[1]);
    n += std::snprintf(text + n, sizeof text - static_cast<std::size_t>(n),
                       ", %s access to %p (%s)",
                       kind == 0   ? "read"
                       : kind == 1 ? "write"
                                   : "execute",
                       target, MemoryState(target));
  }
  n += std::snprintf(text + n, sizeof text - static_cast<std::size_t>(n), "\n");
  WriteToStderr(text, n);
  EndProcess(kExitCrash);
}

void OnAbort(int) {
  static const char kText[] = "orvosim: crash: abort\n";
  WriteToStderr(kText, static_cast<int>(sizeof kText - 1));
  EndProcess(kExitCrash);
}

DWORD WINAPI Watchdog(void* seconds) {
  const DWORD s = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(seconds));
  Sleep(s * 1000);
  char text[80];
  const int n = std::snprintf(text, sizeof text, "orvosim: no end after %lu s, giving up\n",
                              static_cast<unsigned long>(s));
  WriteToStderr(text, n);
  EndProcess(kExitTimeout);
}

}  // namespace

void ReportCrashes() {
  SetUnhandledExceptionFilter(&OnUnhandledException);
  std::signal(SIGABRT, &OnAbort);
}

stats::UniqueKernelObject StartWatchdog(unsigned long seconds) {
  return stats::UniqueKernelObject(CreateThread(
      nullptr, 0, &Watchdog, reinterpret_cast<void*>(static_cast<UINT_PTR>(seconds)), 0,
      nullptr));
}

}  // namespace orvosim
