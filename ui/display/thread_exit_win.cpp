#include "ui/display/thread_exit_win.h"

namespace stats {
namespace {

void* g_pSetEvent = nullptr;
void* g_pExitThread = nullptr;

}  // namespace

void PrepareThreadExit() {
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  if (kernel == nullptr) return;
  g_pSetEvent = reinterpret_cast<void*>(GetProcAddress(kernel, "SetEvent"));
  g_pExitThread = reinterpret_cast<void*>(GetProcAddress(kernel, "ExitThread"));
}

void SignalAndExitThread(HANDLE done, DWORD exitCode) {
#if defined(__i386__)
  if (g_pSetEvent != nullptr && g_pExitThread != nullptr) {
    // The stack as SetEvent(done) expects it, with ExitThread as its return
    // address and ExitThread's own frame (a return address never used, then
    // the exit code) below it. Both are stdcall: each removes its argument.
    __asm__ volatile(
        "pushl %0\n\t"
        "pushl $0\n\t"
        "pushl %1\n\t"
        "pushl %2\n\t"
        "jmp *%3\n\t"
        :
        : "r"(exitCode), "r"(done), "r"(g_pExitThread), "r"(g_pSetEvent)
        : "memory");
  }
#endif
  SetEvent(done);
  ExitThread(exitCode);
}

}  // namespace stats
