#include "ui/display/thread_exit_win.h"

#include <cstdint>

namespace stats {
namespace {

void* g_pSetEvent = nullptr;
void* g_pDestroyWindow = nullptr;
void* g_pExitThread = nullptr;

}  // namespace

void PrepareThreadExit() {
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  HMODULE user = GetModuleHandleW(L"user32.dll");
  if (kernel == nullptr || user == nullptr) return;
  g_pSetEvent = reinterpret_cast<void*>(GetProcAddress(kernel, "SetEvent"));
  g_pDestroyWindow = reinterpret_cast<void*>(GetProcAddress(user, "DestroyWindow"));
  g_pExitThread = reinterpret_cast<void*>(GetProcAddress(kernel, "ExitThread"));
}

void SignalAndExitThread(HANDLE done, DWORD exitCode, std::span<const HWND> windows) {
#if defined(__i386__)
  if (g_pSetEvent != nullptr && g_pDestroyWindow != nullptr && g_pExitThread != nullptr &&
      windows.size() <= kMaxWindowsDestroyedAtExit) {
    // The stack as SetEvent(done) expects it: each stdcall function finds
    // its return address, the next function, then its one argument, which
    // it removes. ExitThread's return address is never used.
    uintptr_t frame[2 * (kMaxWindowsDestroyedAtExit + 1) + 2];
    size_t at = 0;
    const auto call = [&](void* next, uintptr_t argument) {
      frame[at++] = reinterpret_cast<uintptr_t>(next);
      frame[at++] = argument;
    };
    call(windows.empty() ? g_pExitThread : g_pDestroyWindow, reinterpret_cast<uintptr_t>(done));
    for (size_t i = 0; i < windows.size(); ++i) {
      call(i + 1 == windows.size() ? g_pExitThread : g_pDestroyWindow,
           reinterpret_cast<uintptr_t>(windows[i]));
    }
    call(nullptr, exitCode);
    __asm__ volatile(
        "movl %0, %%esp\n\t"
        "jmp *%1\n\t"
        :
        : "r"(frame), "r"(g_pSetEvent)
        : "memory");
  }
#endif
  SetEvent(done);
  ExitThread(exitCode);
}

}  // namespace stats
