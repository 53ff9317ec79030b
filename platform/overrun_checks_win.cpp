// The runtime of the compiler's overrun checks (stack protection and the
// fortified string functions), answered inside the module.
//
// The compiler's own runtime seeds the stack guard in a constructor that
// runs as the module loads, under the loader's lock, through
// CryptAcquireContext, which loads and unloads three DLLs there; and it
// reports an overrun on a console the host does not have, then exits the
// host without a word. Defined here, its guard and its failure exits are
// never linked (the fortified functions themselves still come from it): the
// guard is seeded from the system's random source, which loads nothing, and
// an overrun ends the process as the system compiler's checks do, with
// STATUS_STACK_BUFFER_OVERRUN through the unhandled-exception filter, so
// that the crash report names it. Nothing may catch it and carry on: the
// stack it would carry on with is the damaged one.
#include <windows.h>
#include <ntsecapi.h>  // RtlGenRandom

#include <cstdint>

extern "C" {

// Compared by every protected function before it returns. The low byte
// stays zero, so that a string overrun cannot write the value back.
uintptr_t __stack_chk_guard = 0x5f3a6c00u;

[[noreturn]] void __stack_chk_fail();
[[noreturn]] void __chk_fail();

}  // extern "C"

namespace {

constexpr DWORD kStackBufferOverrun = 0xC0000409u;  // STATUS_STACK_BUFFER_OVERRUN

// Before the module's other static constructors. It is not protected
// itself: the guard changes while it runs.
__attribute__((constructor(101), no_stack_protector)) void SeedStackGuard() {
  uintptr_t seed = 0;
  if (!RtlGenRandom(&seed, sizeof seed)) {
    // No random source: what differs between processes and loads.
    seed = GetTickCount() ^ (static_cast<uintptr_t>(GetCurrentProcessId()) << 16) ^
           GetCurrentThreadId() ^ reinterpret_cast<uintptr_t>(&seed);
  }
  seed &= ~static_cast<uintptr_t>(0xFF);
  if (seed != 0) __stack_chk_guard = seed;
}

// Not protected either: it runs on the stack whose guard was found broken.
[[noreturn, gnu::no_stack_protector]] void EndOnOverrun(void* where) {
  // Only where the check failed: RtlCaptureContext reads the caller's frame
  // through EBP, which code built without frame pointers does not keep.
  CONTEXT context{};
  context.ContextFlags = CONTEXT_CONTROL;
  context.Eip = reinterpret_cast<DWORD>(where);
  EXCEPTION_RECORD record{};
  record.ExceptionCode = kStackBufferOverrun;
  record.ExceptionFlags = EXCEPTION_NONCONTINUABLE;
  record.ExceptionAddress = where;
  EXCEPTION_POINTERS pointers{&record, &context};
  // The host's own filter is not asked: the overrun may have damaged it.
  SetUnhandledExceptionFilter(nullptr);
  UnhandledExceptionFilter(&pointers);
  TerminateProcess(GetCurrentProcess(), kStackBufferOverrun);
  __builtin_trap();  // not reached: the process has ended
}

}  // namespace

void __stack_chk_fail() { EndOnOverrun(__builtin_return_address(0)); }

void __chk_fail() { EndOnOverrun(__builtin_return_address(0)); }
