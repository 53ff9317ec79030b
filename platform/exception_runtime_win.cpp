// What the statically linked C++ runtime keeps for exceptions, given back
// when the module unloads.
//
// Each thread's record of the exceptions it is handling: the runtime's own
// keeps it in emulated thread-local storage, whose TLS slot and locks are
// never given back, so every load and unload of the module would cost one of
// the process's TLS slots (about a thousand in all). The runtime reaches the
// record only through __cxa_get_globals (part of the C++ ABI); defined here,
// it takes precedence over the runtime's, and the records live under one TLS
// slot of this module that the unload frees, with every record.
//
// The runtime also sets aside a buffer (about 18 KB here) at load for
// throwing when memory runs out, and frees it only on request
// (__gnu_cxx::__freeres): the unload requests it.
#include <cxxabi.h>
#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace __cxxabiv1 {

struct __cxa_exception;

// The C++ ABI's layout of the record.
struct __cxa_eh_globals {
  __cxa_exception* caughtExceptions;
  unsigned int uncaughtExceptions;
};

}  // namespace __cxxabiv1

namespace __gnu_cxx {
void __freeres();
}

namespace {

// One thread's record, chained to the others so the unload finds them all.
// A thread that ends hands its record back (the module is told of every
// thread's end: its TLS callbacks make the system refuse
// DisableThreadLibraryCalls), and the next new thread takes it over, so the
// chain is as long as the most threads that ever used exceptions at once.
// Records are never unchained before the unload, so the chain needs no lock.
struct ThreadRecord {
  __cxxabiv1::__cxa_eh_globals globals;
  std::atomic<bool> taken;
  ThreadRecord* next;
};

std::atomic<DWORD> g_recordSlot{TLS_OUT_OF_INDEXES};
std::atomic<ThreadRecord*> g_records{nullptr};

// Records for new threads when the heap has nothing left: a thread's first
// exception is then most likely the allocation failure itself, and its
// export still answers its neutral value. Chained like the others once
// taken, and never freed.
constexpr int kReserveRecords = 4;
ThreadRecord g_reserve[kReserveRecords];
std::atomic<int> g_nReserveUsed{0};

bool IsReserve(const ThreadRecord* record) {
  return record >= g_reserve && record < g_reserve + kReserveRecords;
}

void* ReserveRecordMemory() {
  const int index = g_nReserveUsed.fetch_add(1);
  return index < kReserveRecords ? &g_reserve[index] : nullptr;
}

// Taken on first use, as exceptions may be thrown before this file's
// statics are made. Without a slot no exception could be thrown at all.
DWORD RecordSlot() {
  DWORD slot = g_recordSlot.load(std::memory_order_acquire);
  if (slot != TLS_OUT_OF_INDEXES) return slot;
  const DWORD fresh = TlsAlloc();
  if (fresh == TLS_OUT_OF_INDEXES) std::abort();
  if (g_recordSlot.compare_exchange_strong(slot, fresh, std::memory_order_acq_rel)) return fresh;
  TlsFree(fresh);  // another thread was first
  return slot;
}

ThreadRecord* TakeHandedBackRecord() {
  for (ThreadRecord* record = g_records.load(std::memory_order_acquire); record != nullptr;
       record = record->next) {
    bool taken = false;
    if (record->taken.compare_exchange_strong(taken, true, std::memory_order_acquire)) {
      record->globals = {};
      return record;
    }
  }
  return nullptr;
}

ThreadRecord* NewRecord() {
  if (ThreadRecord* record = TakeHandedBackRecord()) return record;
  void* memory = std::calloc(1, sizeof(ThreadRecord));
  if (memory == nullptr) memory = ReserveRecordMemory();
  // As the runtime's own does, but only with the heap and the reserve gone.
  if (memory == nullptr) std::abort();
  auto* record = new (memory) ThreadRecord{{}, {true}, nullptr};
  record->next = g_records.load(std::memory_order_relaxed);
  while (!g_records.compare_exchange_weak(record->next, record, std::memory_order_release,
                                          std::memory_order_relaxed)) {
  }
  return record;
}

// Runs as the module unloads, when no thread of the module runs any more.
// A slot taken later by TlsAlloc starts empty on every thread, so a thread
// that outlives the module finds no stale record after a new load.
// Made before every other static of the module and so destroyed after
// them: a destructor that throws and catches still finds its record.
struct GiveBackAtUnload {
  GiveBackAtUnload() = default;
  GiveBackAtUnload(const GiveBackAtUnload&) = delete;
  GiveBackAtUnload& operator=(const GiveBackAtUnload&) = delete;
  ~GiveBackAtUnload() {
    const DWORD slot = g_recordSlot.exchange(TLS_OUT_OF_INDEXES);
    if (slot != TLS_OUT_OF_INDEXES) TlsFree(slot);
    ThreadRecord* record = g_records.exchange(nullptr);
    while (record != nullptr) {
      ThreadRecord* next = record->next;
      if (!IsReserve(record)) std::free(record);
      record = next;
    }
    __gnu_cxx::__freeres();
  }
} g_giveBackAtUnload __attribute__((init_priority(101)));

}  // namespace

// The calling thread is ending (DllMain): its record goes back for the next
// thread. No exception is in flight on a thread that ends.
extern "C" void stats_HandBackThreadExceptionRecord() noexcept {
  const DWORD slot = g_recordSlot.load(std::memory_order_acquire);
  if (slot == TLS_OUT_OF_INDEXES) return;
  auto* record = static_cast<ThreadRecord*>(TlsGetValue(slot));
  if (record == nullptr) return;
  TlsSetValue(slot, nullptr);
  record->taken.store(false, std::memory_order_release);
}

namespace __cxxabiv1 {

extern "C" __cxa_eh_globals* __cxa_get_globals() noexcept {
  const DWORD slot = RecordSlot();
  auto* record = static_cast<ThreadRecord*>(TlsGetValue(slot));
  if (record == nullptr) {
    record = NewRecord();
    TlsSetValue(slot, record);
  }
  return &record->globals;
}

// The runtime calls this only after __cxa_get_globals on the same thread;
// the full look-up costs no more than a TLS read.
extern "C" __cxa_eh_globals* __cxa_get_globals_fast() noexcept { return __cxa_get_globals(); }

}  // namespace __cxxabiv1
