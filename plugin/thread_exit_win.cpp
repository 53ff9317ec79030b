#include "plugin/thread_exit_win.h"

namespace stats {

void SignalAndExitThread(HANDLE done, DWORD exitCode) {
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  auto setEvent = reinterpret_cast<void*>(GetProcAddress(kernel, "SetEvent"));
  auto exitThread = reinterpret_cast<void*>(GetProcAddress(kernel, "ExitThread"));
#if defined(__i386__)
  if (setEvent != nullptr && exitThread != nullptr) {
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
        : "r"(exitCode), "r"(done), "r"(exitThread), "r"(setEvent)
        : "memory");
  }
#endif
  SetEvent(done);
  ExitThread(exitCode);
}

}  // namespace stats
