#include "ui/display/courier_proc_win.h"

#include <cstddef>
#include <cstring>

#if !defined(__i386__)
#error "The courier's window procedure is written for 32-bit x86."
#endif

namespace stats {
namespace {

// The procedure's data: the first page of its memory; the code is the
// second page, which finds the data one page below itself.
struct ProcData {
  volatile LONG refs;      // the window's, the module's and one per call running
  volatile LONG released;  // the module has let go: call none of its code
  UINT serveMessage;
  WNDPROC serve;
  const void* moduleAddress;  // any address in the module, for the reference
  void* getModuleHandleExW;
  void* freeLibrary;
  void* defWindowProcW;
  void* virtualFree;
  void* base;  // the memory, for VirtualFree
};
static_assert(offsetof(ProcData, refs) == 0 && offsetof(ProcData, released) == 4 &&
                  offsetof(ProcData, serveMessage) == 8 && offsetof(ProcData, serve) == 12 &&
                  offsetof(ProcData, moduleAddress) == 16 &&
                  offsetof(ProcData, getModuleHandleExW) == 20 &&
                  offsetof(ProcData, freeLibrary) == 24 && offsetof(ProcData, defWindowProcW) == 28 &&
                  offsetof(ProcData, virtualFree) == 32 && offsetof(ProcData, base) == 36,
              "the procedure's code reads these offsets");

constexpr SIZE_T kPage = 0x1000;

}  // namespace
}  // namespace stats

extern "C" const unsigned char stats_courier_proc_code[];
extern "C" const unsigned char stats_courier_proc_code_end[];

// The procedure (stdcall: window, message, wParam, lParam), copied to its
// own page. ebx holds the data, esi the module reference.
__asm__(
    ".section .rdata,\"dr\"\n"
    ".globl _stats_courier_proc_code\n"
    "_stats_courier_proc_code:\n"
    "  pushl %ebp\n"
    "  movl %esp, %ebp\n"  // 4(%ebp) return, 8 window, 12 message, 16 wParam, 20 lParam
    "  pushl %ebx\n"
    "  pushl %esi\n"
    "  call 1f\n"
    "1:\n"
    "  popl %ebx\n"
    "  andl $0xFFFFF000, %ebx\n"
    "  subl $0x1000, %ebx\n"
    "  lock incl (%ebx)\n"  // this call's reference to the memory
    "  movl 12(%ebp), %eax\n"
    "  cmpl 8(%ebx), %eax\n"
    "  jne 3f\n"
    "  cmpl $0, 4(%ebx)\n"
    "  jne 3f\n"
    // GetModuleHandleExW(FROM_ADDRESS, moduleAddress, &pin): waits for an
    // unload under way to end, after which `released` tells.
    "  pushl $0\n"
    "  movl %esp, %eax\n"
    "  pushl %eax\n"
    "  pushl 16(%ebx)\n"
    "  pushl $4\n"
    "  call *20(%ebx)\n"
    "  popl %esi\n"
    "  testl %eax, %eax\n"
    "  jz 3f\n"
    "  cmpl $0, 4(%ebx)\n"
    "  jne 2f\n"
    "  pushl 20(%ebp)\n"
    "  pushl 16(%ebp)\n"
    "  pushl 12(%ebp)\n"
    "  pushl 8(%ebp)\n"
    "  call *12(%ebx)\n"  // the module serves
    "  pushl %eax\n"
    "  pushl %esi\n"
    "  call *24(%ebx)\n"  // FreeLibrary(pin): the module may go here
    "  popl %eax\n"
    "  jmp 4f\n"
    "2:\n"
    "  pushl %esi\n"
    "  call *24(%ebx)\n"
    "3:\n"
    "  pushl 20(%ebp)\n"
    "  pushl 16(%ebp)\n"
    "  pushl 12(%ebp)\n"
    "  pushl 8(%ebp)\n"
    "  call *28(%ebx)\n"  // DefWindowProcW
    "  cmpl $0x82, 12(%ebp)\n"  // WM_NCDESTROY: the window's reference goes
    "  jne 4f\n"
    "  lock decl (%ebx)\n"
    "4:\n"
    "  lock decl (%ebx)\n"
    "  jz 5f\n"
    "  popl %esi\n"
    "  popl %ebx\n"
    "  popl %ebp\n"
    "  ret $16\n"
    // The last reference: VirtualFree(base, 0, MEM_RELEASE) in the frame's
    // place, returning to our caller with our four arguments removed.
    "5:\n"
    "  movl 36(%ebx), %ecx\n"
    "  movl 32(%ebx), %edx\n"
    "  movl 4(%ebp), %esi\n"
    "  movl %esi, 8(%ebp)\n"
    "  movl %ecx, 12(%ebp)\n"
    "  movl $0, 16(%ebp)\n"
    "  movl $0x8000, 20(%ebp)\n"
    "  movl -4(%ebp), %ebx\n"
    "  movl -8(%ebp), %esi\n"
    "  leal 8(%ebp), %esp\n"
    "  movl -8(%esp), %ebp\n"
    "  jmp *%edx\n"
    ".globl _stats_courier_proc_code_end\n"
    "_stats_courier_proc_code_end:\n"
    ".text\n");

namespace stats {

CourierProc* CourierProc::Make(UINT serveMessage, WNDPROC serve) {
  // The system's functions themselves, never an import stub of the module.
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  HMODULE user = GetModuleHandleW(L"user32.dll");
  if (kernel == nullptr || user == nullptr) return nullptr;
  ProcData data{};
  data.refs = 2;  // the window's and the module's
  data.serveMessage = serveMessage;
  data.serve = serve;
  data.moduleAddress = reinterpret_cast<const void*>(serve);
  data.getModuleHandleExW = reinterpret_cast<void*>(GetProcAddress(kernel, "GetModuleHandleExW"));
  data.freeLibrary = reinterpret_cast<void*>(GetProcAddress(kernel, "FreeLibrary"));
  data.defWindowProcW = reinterpret_cast<void*>(GetProcAddress(user, "DefWindowProcW"));
  data.virtualFree = reinterpret_cast<void*>(GetProcAddress(kernel, "VirtualFree"));
  if (!data.getModuleHandleExW || !data.freeLibrary || !data.defWindowProcW || !data.virtualFree) {
    return nullptr;
  }
  const size_t codeSize = stats_courier_proc_code_end - stats_courier_proc_code;
  if (codeSize > kPage) return nullptr;
  void* base = VirtualAlloc(nullptr, 2 * kPage, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (base == nullptr) return nullptr;
  data.base = base;
  std::memcpy(base, &data, sizeof data);
  auto* code = static_cast<unsigned char*>(base) + kPage;
  std::memcpy(code, stats_courier_proc_code, codeSize);
  DWORD previous = 0;
  if (!VirtualProtect(code, kPage, PAGE_EXECUTE_READ, &previous)) {
    VirtualFree(base, 0, MEM_RELEASE);
    return nullptr;
  }
  FlushInstructionCache(GetCurrentProcess(), code, kPage);
  return static_cast<CourierProc*>(base);
}

WNDPROC CourierProc::Procedure() const {
  return reinterpret_cast<WNDPROC>(reinterpret_cast<const unsigned char*>(this) + kPage);
}

void CourierProc::LetGoOfModule() {
  InterlockedExchange(&reinterpret_cast<ProcData*>(this)->released, 1);
}

void CourierProc::LetGo(HWND window) {
  auto* data = reinterpret_cast<ProcData*>(this);
  LetGoOfModule();
  // A procedure no window ever took: its window's reference goes too.
  if (window == nullptr) InterlockedDecrement(&data->refs);
  if (window != nullptr && IsWindow(window)) {
    if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
      DestroyWindow(window);
    } else {
      // Only its own thread may destroy it; the procedure passes the close
      // to the system, which destroys it there.
      PostMessageW(window, WM_CLOSE, 0, 0);
    }
  }
  void* base = data->base;
  if (InterlockedDecrement(&data->refs) == 0) VirtualFree(base, 0, MEM_RELEASE);
}

}  // namespace stats
