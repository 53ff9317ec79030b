// The locks that the statically linked compiler runtime takes inside the
// module, implemented here so that the module links no thread library.
//
// The runtime's exception unwinder, its exception buffers and the guards of
// function-local statics call pthread_mutex_*, pthread_once and
// __cxa_guard_*. The thread library that normally answers them imports
// functions Windows XP lacks (GetTickCount64) and, linked into a DLL, leaves
// a thread handle, an event and a TLS slot behind at every unload. Defined
// in the module itself, these take precedence over the library's, which the
// linker then never pulls in. They hold no kernel object and allocate
// nothing, so an unload has nothing to give back.
//
// Only what the runtime pieces in the module need: plain (not recursive)
// mutexes, once-only calls and static guards. Module code that needs more of
// the library (std::mutex, std::call_once, std::thread) pulls it back in,
// and the link then fails with these functions defined twice; thread_local
// fails the link through a wrap of its storage's look-up (CMakeLists.txt).
// The module's own locks are stats::Lock, its threads CreateThread (README,
// "Thread primitives").
#include <cxxabi.h>
#include <pthread.h>
#include <windows.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdlib>

namespace {

// Contention is rare (the unwinder's first look-ups, two threads reaching
// one static at once) and short, so a waiter gives up its time slice
// rather than sleeping on a kernel object; after a while it sleeps 1 ms so
// that a holder of lower priority gets to run.
void WaitARound(unsigned round) { Sleep(round < 64 ? 0 : 1); }

// A mutex word is locked while it holds kLocked. Anything else is unlocked:
// 0 after pthread_mutex_init and unlock, -1 from the library's static
// initializer (PTHREAD_MUTEX_INITIALIZER).
constexpr intptr_t kLocked = 1;

// pthread_once_t states.
constexpr long kOnceNotRun = 0;  // PTHREAD_ONCE_INIT
constexpr long kOnceRunning = 1;
constexpr long kOnceDone = 2;

}  // namespace

extern "C" {

int pthread_mutex_init(pthread_mutex_t* mutex, const pthread_mutexattr_t* attributes) {
  // Attributes could ask for a recursive or checking mutex, which this one
  // is not.
  if (attributes != nullptr) return ENOTSUP;
  std::atomic_ref<intptr_t>(*mutex).store(0, std::memory_order_release);
  return 0;
}

int pthread_mutex_destroy(pthread_mutex_t*) { return 0; }

int pthread_mutex_lock(pthread_mutex_t* mutex) {
  std::atomic_ref<intptr_t> word(*mutex);
  for (unsigned round = 0;; ++round) {
    intptr_t seen = word.load(std::memory_order_relaxed);
    // A runtime piece that asks for a recursive or checking mutex by its
    // static initializer would hang here on its second lock: it ends the
    // process at once instead, so that such a piece is noticed.
    if (seen == GENERIC_RECURSIVE_INITIALIZER || seen == GENERIC_ERRORCHECK_INITIALIZER) {
      std::abort();
    }
    if (seen != kLocked &&
        word.compare_exchange_weak(seen, kLocked, std::memory_order_acquire,
                                   std::memory_order_relaxed))
      return 0;
    WaitARound(round);
  }
}

int pthread_mutex_unlock(pthread_mutex_t* mutex) {
  std::atomic_ref<intptr_t>(*mutex).store(0, std::memory_order_release);
  return 0;
}

int pthread_once(pthread_once_t* once, void (*function)(void)) {
  std::atomic_ref<long> state(*once);
  long expected = kOnceNotRun;
  if (state.load(std::memory_order_acquire) != kOnceDone &&
      state.compare_exchange_strong(expected, kOnceRunning, std::memory_order_acquire)) {
    function();
    state.store(kOnceDone, std::memory_order_release);
    return 0;
  }
  for (unsigned round = 0; state.load(std::memory_order_acquire) != kOnceDone; ++round) {
    WaitARound(round);
  }
  return 0;
}

}  // extern "C"

// The guard of a function-local static, as the C++ ABI lays it out: the
// compiled code reads the first byte and skips the call once it is set. The
// second byte marks an initialisation in progress on some thread.
namespace __cxxabiv1 {
namespace {

std::atomic_ref<unsigned char> DoneByte(__guard* guard) {
  return std::atomic_ref<unsigned char>(reinterpret_cast<unsigned char*>(guard)[0]);
}
std::atomic_ref<unsigned char> BusyByte(__guard* guard) {
  return std::atomic_ref<unsigned char>(reinterpret_cast<unsigned char*>(guard)[1]);
}

}  // namespace

// 1: the caller initialises the static, then releases (or aborts on an
// exception). 0: it is initialised already. A thread that re-enters the
// initialisation of the same static waits for ever; the language leaves that
// undefined.
extern "C" int __cxa_guard_acquire(__guard* guard) {
  for (unsigned round = 0;; ++round) {
    if (DoneByte(guard).load(std::memory_order_acquire) != 0) return 0;
    unsigned char idle = 0;
    if (BusyByte(guard).compare_exchange_strong(idle, 1, std::memory_order_acquire)) {
      if (DoneByte(guard).load(std::memory_order_acquire) == 0) return 1;
      BusyByte(guard).store(0, std::memory_order_release);
      return 0;
    }
    WaitARound(round);
  }
}

extern "C" void __cxa_guard_release(__guard* guard) noexcept {
  DoneByte(guard).store(1, std::memory_order_release);
  BusyByte(guard).store(0, std::memory_order_release);
}

extern "C" void __cxa_guard_abort(__guard* guard) noexcept {
  BusyByte(guard).store(0, std::memory_order_release);
}

}  // namespace __cxxabiv1
