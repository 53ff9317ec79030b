// The intake of the real DLL on the Windows platform (run under wine):
// microseconds per AddData0 for a stored and for a refused QSO, next to a
// bare open/append/close cycle of the journal file, which every AddData0
// makes. Run in a folder that holds Plugins\Stats.dll.
#include <windows.h>

#include <cstdio>

#include "platform/win32_handles.h"
#include "stats_module_win.h"

namespace {

using host::Text;

constexpr int kCalls = 20000;
constexpr char kJournalLine[] =
    "QSO:  14080  RTTY  2026-12-05 1200  R3XYZ  599  001  DL1ABC  599  0017   NO CONTEST BAND "
    "!!!\r\n";

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double MicrosecondsPerAdd(host::AddDataFn add, Text band) {
  host::DateTime time{46000.5, host::DateTime::kValid}, unused = host::kNullDateTime;
  Text e = "";
  LARGE_INTEGER from, to;
  QueryPerformanceCounter(&from);
  for (int i = 0; i < kCalls; ++i) {
    add("R3XYZ", "DL1ABC", &time, &unused, &unused, &unused, 0, 3580000, "RTTY", "599", "599",
        "001", "0017", e, e, e, e, e, e, e, e, e, "DL", 0, 0, 0, 0.0, 0.0, e, e, e, band, e);
  }
  QueryPerformanceCounter(&to);
  return Seconds(from, to) * 1e6 / kCalls;
}

// What the journal alone costs: open for appending, one line, close.
double MicrosecondsPerJournalCycle() {
  LARGE_INTEGER from, to;
  QueryPerformanceCounter(&from);
  for (int i = 0; i < kCalls; ++i) {
    const stats::UniqueFile file(
        stats::OrNull(CreateFileA("err.txt", FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)));
    if (!file) continue;
    DWORD written = 0;
    WriteFile(file.get(), kJournalLine, sizeof kJournalLine - 1, &written, nullptr);
  }
  QueryPerformanceCounter(&to);
  return Seconds(from, to) * 1e6 / kCalls;
}

}  // namespace

int main() {
  const host::StatsModule module("Plugins\\Stats.dll");
  const host::AddDataFn add = module.Bind(host::kAddData0, host::Binding::Plain);
  if (add == nullptr) {
    std::fprintf(stderr, "cannot load Plugins\\Stats.dll\n");
    return 1;
  }
  const double stored = MicrosecondsPerAdd(add, "80m");
  const double refused = MicrosecondsPerAdd(add, "20m");
  const double journal = MicrosecondsPerJournalCycle();
  std::printf("| AddData0, QSO stored (journal opened and closed) | %.1f us |\n", stored);
  std::printf("| AddData0, QSO refused (journal line written) | %.1f us |\n", refused);
  std::printf("| bare open/append/close of err.txt | %.1f us |\n", journal);
  return 0;
}
