// The module's unwind tables stay with the module's own unwinder.
//
// The toolchain's start-up code registers the module's unwind tables at
// load. When it finds the toolchain's shared runtime (libgcc_s_dw2-1.dll)
// already in the process, loaded by any other component built with the same
// toolchain, it registers them with that DLL instead, takes a reference to
// it and frees it again at unload, both under the loader's lock. The
// unwinder linked into the module then knows no table of the module's own
// code, and every exception thrown in the module ends the process instead
// of reaching the fault boundary.
//
// The start-up code finds that DLL with GetModuleHandleA. The module is
// linked with --wrap for that import (CMakeLists.txt), so its look-up comes
// here, where that one DLL is never found: the tables go to the module's
// own unwinder, and nothing is loaded or freed under the loader's lock.
// Every other name is looked up as the system would.
#include <windows.h>

namespace {

constexpr char kSharedRuntime[] = "libgcc_s_dw2-1.dll";

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The start-up code names the DLL exactly; the system's module names
// compare without regard to case.
bool NamesSharedRuntime(LPCSTR name) {
  if (name == nullptr) return false;
  for (const char* wanted = kSharedRuntime;; ++name, ++wanted) {
    if (AsciiLower(*name) != *wanted) return false;
    if (*wanted == '\0') return true;
  }
}

HMODULE WINAPI LookUpModuleDenyingSharedRuntime(LPCSTR name) {
  if (NamesSharedRuntime(name)) return nullptr;
  HMODULE module = nullptr;
  // The same answer as GetModuleHandleA, without referring to its import.
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT, name, &module);
  return module;
}

}  // namespace

// What the wrapped import slot holds: the address the start-up code calls
// through, in place of the system's GetModuleHandleA.
extern "C" __attribute__((used)) HMODULE(WINAPI* const stats_wrapped_GetModuleHandleA)(LPCSTR)
    __asm__("___wrap__imp__GetModuleHandleA@4") = &LookUpModuleDenyingSharedRuntime;
