// What one load and unload of a DLL costs the host (run under wine):
// loads and unloads it many times and prints what the cycles leave behind:
// kernel handles by type, the lowest free handle slot, committed private
// memory, the process heap and TLS slots. scripts/bench.sh --wine runs it
// on Plugins\Stats.dll.
#include <windows.h>
#include <psapi.h>
#include <winternl.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

namespace {

using NtQueryObjectFn = NTSTATUS(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);

std::map<std::wstring, long> HandlesByType() {
  // Through a plain function pointer first, as GetProcAddress's result
  // has no signature of its own.
  static auto query = reinterpret_cast<NtQueryObjectFn>(reinterpret_cast<void (*)()>(
      GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryObject")));
  std::map<std::wstring, long> counts;
  alignas(8) unsigned char buffer[4096];
  for (UINT_PTR value = 4; value < 0x20000; value += 4) {
    HANDLE handle = reinterpret_cast<HANDLE>(value);
    DWORD flags = 0;
    if (!GetHandleInformation(handle, &flags)) continue;
    ULONG length = 0;
    if (query(handle, 2 /* ObjectTypeInformation */, buffer, sizeof buffer, &length) != 0) {
      ++counts[L"?"];
      continue;
    }
    const auto* name = reinterpret_cast<const UNICODE_STRING*>(buffer);
    ++counts[std::wstring(name->Buffer, name->Length / sizeof(wchar_t))];
  }
  return counts;
}

UINT_PTR LowestFreeSlot() {
  HANDLE probe = nullptr;
  DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &probe, 0, FALSE,
                  DUPLICATE_SAME_ACCESS);
  CloseHandle(probe);
  return reinterpret_cast<UINT_PTR>(probe);
}

// Committed private memory, walked region by region (PrivateUsage too).
SIZE_T PrivateCommitted() {
  SIZE_T total = 0;
  MEMORY_BASIC_INFORMATION info;
  for (char* at = nullptr; VirtualQuery(at, &info, sizeof info) == sizeof info;
       at = static_cast<char*>(info.BaseAddress) + info.RegionSize) {
    if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE) total += info.RegionSize;
    if (reinterpret_cast<UINT_PTR>(at) > 0x7fff0000u) break;
  }
  return total;
}

SIZE_T PrivateUsage() {
  PROCESS_MEMORY_COUNTERS_EX counters = {};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                       sizeof counters);
  return counters.PrivateUsage;
}

// Heap bytes in use in the process heap.
SIZE_T HeapBusy() {
  SIZE_T busy = 0;
  PROCESS_HEAP_ENTRY entry = {};
  HANDLE heap = GetProcessHeap();
  HeapLock(heap);
  while (HeapWalk(heap, &entry)) {
    if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) busy += entry.cbData;
  }
  HeapUnlock(heap);
  return busy;
}

// The first free TLS slot: a slot taken and never freed pushes it up.
DWORD FirstFreeTls() {
  const DWORD slot = TlsAlloc();
  TlsFree(slot);
  return slot;
}

struct Snapshot {
  std::map<std::wstring, long> types;
  UINT_PTR slot;
  SIZE_T committed, usage, heap;
  DWORD tls;
};

Snapshot Take() { return {HandlesByType(), LowestFreeSlot(), PrivateCommitted(), PrivateUsage(), HeapBusy(), FirstFreeTls()}; }

bool Cycle(const char* path, const char* call) {
  HMODULE module = LoadLibraryA(path);
  if (module == nullptr) {
    std::printf("LoadLibrary failed: %lu\n", GetLastError());
    return false;
  }
  if (call != nullptr) {
    FARPROC entry = GetProcAddress(module, call);
    if (entry != nullptr) reinterpret_cast<void(WINAPI*)()>(reinterpret_cast<void (*)()>(entry))();
  }
  FreeLibrary(module);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::printf("usage: load_cost <dll> [cycles] [export to call, no arguments]\n");
    return 2;
  }
  const char* path = argv[1];
  const int cycles = argc > 2 ? std::atoi(argv[2]) : 1000;
  const char* call = argc > 3 ? argv[3] : nullptr;
  for (int i = 0; i < 10; ++i) {
    if (!Cycle(path, call)) return 1;
  }
  const Snapshot before = Take();
  for (int i = 0; i < cycles; ++i) {
    if (!Cycle(path, call)) return 1;
  }
  const Snapshot after = Take();
  std::printf("%s, %d cycles%s%s\n", path, cycles, call ? ", calling " : "", call ? call : "");
  std::map<std::wstring, long> types = before.types;
  for (const auto& [name, count] : after.types) types[name];
  for (const auto& [name, count] : types) {
    const long was = before.types.count(name) ? before.types.at(name) : 0;
    const long now = after.types.count(name) ? after.types.at(name) : 0;
    if (now != was) std::printf("  %ls handles: %+ld (%.3f per cycle)\n", name.c_str(), now - was, double(now - was) / cycles);
  }
  std::printf("  lowest free handle slot: %+ld slots (%.3f per cycle)\n",
              long(after.slot - before.slot) / 4, double(long(after.slot - before.slot) / 4) / cycles);
  std::printf("  private committed: %+.1f KB (%.2f KB per cycle)\n",
              (double(after.committed) - double(before.committed)) / 1024,
              (double(after.committed) - double(before.committed)) / 1024 / cycles);
  std::printf("  PrivateUsage: %+.1f KB (%.2f KB per cycle)\n",
              (double(after.usage) - double(before.usage)) / 1024,
              (double(after.usage) - double(before.usage)) / 1024 / cycles);
  std::printf("  process heap in use: %+.1f KB (%.2f KB per cycle)\n",
              (double(after.heap) - double(before.heap)) / 1024,
              (double(after.heap) - double(before.heap)) / 1024 / cycles);
  std::printf("  first free TLS slot: %lu -> %lu\n", before.tls, after.tls);
  return 0;
}
