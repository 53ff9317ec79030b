#include "ui/display/pinned_window_proc_win.h"

#if !defined(__i386__)
#error "The courier's window procedure is written for 32-bit x86."
#endif

// stats_PinnedCourierProc(window, message, wParam, lParam), stdcall:
//   calls stats_CourierBody(window, message, wParam, lParam, &result);
//   no reference returned: returns `result`, removing its four arguments;
//   a reference returned: rewrites its own frame into FreeLibrary's
//   (return address, then the module) so that FreeLibrary removes the rest
//   and returns to our caller; no instruction of the module runs after it.
__asm__(
    ".text\n"
    ".globl _stats_PinnedCourierProc@16\n"
    "_stats_PinnedCourierProc@16:\n"
    "  subl $4, %esp\n"            // the result's slot
    "  pushl %esp\n"               // &result
    "  pushl 24(%esp)\n"           // lParam
    "  pushl 24(%esp)\n"           // wParam
    "  pushl 24(%esp)\n"           // message
    "  pushl 24(%esp)\n"           // window
    "  call _stats_CourierBody@20\n"
    // [esp] result, +4 return address, +8 window, +12 message, +16 wParam, +20 lParam
    "  testl %eax, %eax\n"
    "  jnz 1f\n"
    "  popl %eax\n"
    "  ret $16\n"
    "1:\n"
    "  movl 4(%esp), %ecx\n"
    "  movl %ecx, 16(%esp)\n"      // FreeLibrary's return address, in wParam's slot
    "  movl %eax, 20(%esp)\n"      // its argument, in lParam's slot
    "  addl $16, %esp\n"
    "  jmp *__imp__FreeLibrary@4\n");
