#include "process_probe.h"
// after <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <mutex>

namespace session {
namespace {

BOOL CALLBACK VisitWindow(HWND window, LPARAM visit) {
  (*reinterpret_cast<const std::function<void(HWND)>*>(visit))(window);
  return TRUE;
}

void ForEachThread(const std::function<void(DWORD)>& visit) {
  const stats::UniqueKernelObject owned(
      stats::OrNull(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0)));
  if (!owned) return;
  THREADENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(owned.get(), &entry); more;
       more = Thread32Next(owned.get(), &entry)) {
    if (entry.th32OwnerProcessID == GetCurrentProcessId()) visit(entry.th32ThreadID);
  }
}

// Where the thread started (the function its creator gave), or 0.
UINT_PTR StartAddressOf(HANDLE thread) {
  using QueryThread = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
  static const auto query = reinterpret_cast<QueryThread>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationThread")));
  constexpr int kWin32StartAddress = 9;
  void* start = nullptr;
  if (query == nullptr || query(thread, kWin32StartAddress, &start, sizeof start, nullptr) != 0) {
    return 0;
  }
  return reinterpret_cast<UINT_PTR>(start);
}

constexpr char kLastResortTrace[] = "Stats.dll: last resort";
std::atomic<int> g_lastResorts{0};
std::mutex g_lastTraceLock;
std::string g_lastTrace;

LONG CALLBACK NoteDebugOutput(EXCEPTION_POINTERS* pointers) {
  const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
  if (record.ExceptionCode == DBG_PRINTEXCEPTION_C && record.NumberParameters >= 2) {
    const auto* text = reinterpret_cast<const char*>(record.ExceptionInformation[1]);
    if (text != nullptr && std::strncmp(text, kLastResortTrace, sizeof kLastResortTrace - 1) == 0) {
      ++g_lastResorts;
      const std::lock_guard<std::mutex> hold(g_lastTraceLock);
      g_lastTrace = text;
    }
  }
  return EXCEPTION_CONTINUE_SEARCH;
}

void ForEachWindow(const std::function<void(HWND)>& visit) {
  const std::function<void(HWND)> ours = [&visit](HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId()) visit(window);
  };
  EnumWindows(&VisitWindow, reinterpret_cast<LPARAM>(&ours));
  for (HWND window = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); window != nullptr;
       window = FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr)) {
    ours(window);
  }
}

}  // namespace

int ThreadCount() {
  int count = 0;
  ForEachThread([&count](DWORD) { ++count; });
  return count;
}

ModuleImage ImageOf(HMODULE module) {
  ModuleImage image;
  if (module == nullptr) return image;
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(module);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(reinterpret_cast<const BYTE*>(module) +
                                                             dos->e_lfanew);
  image.base = reinterpret_cast<UINT_PTR>(module);
  image.size = nt->OptionalHeader.SizeOfImage;
  return image;
}

int ProcessWindowCount() {
  int count = 0;
  ForEachWindow([&count](HWND) { ++count; });
  return count;
}

std::vector<HWND> ModuleWindows(const ModuleImage& image) {
  std::vector<HWND> found;
  ForEachWindow([&](HWND window) {
    const auto instance = static_cast<UINT_PTR>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
    const auto procedure = static_cast<UINT_PTR>(GetWindowLongPtrW(window, GWLP_WNDPROC));
    if (image.Holds(instance) || image.Holds(procedure)) found.push_back(window);
  });
  return found;
}

std::vector<HWND> VisibleModuleWindows(const ModuleImage& image) {
  std::vector<HWND> visible;
  for (HWND window : ModuleWindows(image)) {
    if (IsWindowVisible(window)) visible.push_back(window);
  }
  return visible;
}

ModuleThreadWatch::~ModuleThreadWatch() {
  for (HANDLE thread : m_threads) CloseHandle(thread);
}

void ModuleThreadWatch::Discover(const ModuleImage& image) {
  ForEachThread([&](DWORD id) {
    if (m_ids.count(id) != 0) return;
    HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION | SYNCHRONIZE, FALSE, id);
    if (thread == nullptr) return;
    if (image.Holds(StartAddressOf(thread))) {
      m_ids.insert(id);
      m_threads.push_back(thread);
    } else {
      CloseHandle(thread);
    }
  });
}

std::string ModuleThreadWatch::Verdict(HANDLE thread, DWORD limitMs) {
  DWORD code = STILL_ACTIVE;
  if (WaitForSingleObject(thread, limitMs) != WAIT_OBJECT_0) return "a display thread still running\n";
  if (GetExitCodeThread(thread, &code) && code != 0) {
    return "a display thread ended with exit code " + std::to_string(code) + "\n";
  }
  return "";
}

std::string ModuleThreadWatch::Reap() {
  std::string found;
  std::vector<HANDLE> running;
  for (HANDLE thread : m_threads) {
    if (WaitForSingleObject(thread, 0) == WAIT_OBJECT_0) {
      found += Verdict(thread, 0);
      CloseHandle(thread);
    } else {
      running.push_back(thread);
    }
  }
  m_threads = running;
  return found;
}

std::string ModuleThreadWatch::EndedBadly(DWORD limitMs) {
  std::string found;
  for (HANDLE thread : m_threads) {
    found += Verdict(thread, limitMs);
    CloseHandle(thread);
  }
  m_threads.clear();
  m_ids.clear();
  return found;
}

LastResortTraces::LastResortTraces()
    : m_handler(AddVectoredExceptionHandler(1, &NoteDebugOutput)),
      m_countBefore(g_lastResorts.load()) {}

LastResortTraces::~LastResortTraces() {
  if (m_handler != nullptr) RemoveVectoredExceptionHandler(m_handler);
}

int LastResortTraces::Count() const { return g_lastResorts.load() - m_countBefore; }

int LastResortTraces::Take() {
  const int count = Count();
  m_countBefore += count;
  return count;
}

std::string LastResortTraces::Last() const {
  const std::lock_guard<std::mutex> hold(g_lastTraceLock);
  return g_lastTrace;
}

HangGuard::HangGuard(const char* what, int round, DWORD limitMs)
    : m_done(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
  m_watch = std::thread([this, what, round, limitMs] {
    if (WaitForSingleObject(m_done.get(), limitMs) == WAIT_OBJECT_0) return;
    std::fprintf(stderr, "HUNG: %s, round %d, still running after %lu ms\n", what, round,
                 limitMs);
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
  });
}

HangGuard::~HangGuard() {
  SetEvent(m_done.get());
  m_watch.join();
}

Spread SpreadOf(std::vector<double> values) {
  if (values.empty()) return {0.0, 0.0};
  std::sort(values.begin(), values.end());
  return {values[values.size() / 2], values.back()};
}

double MillisecondsOf(const std::function<void()>& body) {
  LARGE_INTEGER frequency, before, after;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&before);
  body();
  QueryPerformanceCounter(&after);
  return 1000.0 * static_cast<double>(after.QuadPart - before.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

}  // namespace session
