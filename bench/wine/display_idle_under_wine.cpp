// The shown display at rest (run under wine): the process's CPU time over
// 10 idle seconds with the three windows shown, a host automation object
// registered and nobody typing. The update timer is one-shot, so the
// display thread should not wake at all. Run in a folder that holds
// Plugins\Stats.dll and Plugins\rda_rus.dat.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "automation_object_win.h"
#include "host_calls_win.h"
#include "message_pump_win.h"
#include "stats_module_win.h"
#include "window_driver_win.h"

namespace {

constexpr DWORD kIdleMs = 10000;
constexpr const char* kSettings = ".\\Plugins\\KESTREL-RTTY.ini";

double CpuSeconds() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto seconds = [](const FILETIME& t) {
    return (static_cast<double>(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
}

// CPU seconds of a busy loop of `ms` milliseconds: shows that the clock
// above sees CPU time at all.
double CalibrationSeconds(DWORD ms) {
  const double before = CpuSeconds();
  const ULONGLONG end = GetTickCount64() + ms;
  volatile unsigned long spin = 0;
  while (GetTickCount64() < end) spin = spin + 1;
  return CpuSeconds() - before;
}

}  // namespace

int main() {
  orvosim::AutomationHost automation;
  std::string error;
  if (!automation.Start(error)) {
    std::fprintf(stderr, "no automation object: %s\n", error.c_str());
    return 1;
  }
  automation.Object().SetFrequency(3520000.0);
  WritePrivateProfileStringA("Settings", "Start", "1", kSettings);
  WritePrivateProfileStringA("Settings", "RusObl", "1", kSettings);
  WritePrivateProfileStringA("Settings", "DXCC", "1", kSettings);
  int code = 0;
  {
    host::StatsModule module(".\\Plugins\\Stats.dll");
    if (!module.IsLoaded()) {
      std::fprintf(stderr, "Plugins\\Stats.dll does not load (error %lu)\n", module.LoadError());
      return 1;
    }
    host::HostCalls calls(module.Bind(host::Binding::Decorated));
    host::ResetArgs reset;
    reset.end = host::MakeDateTime(2026, 12, 6, 23, 59);
    calls.ResetStats(reset);
    calls.Entry().runCommand(0, "SHOWINFO");
    orvosim::PumpFor(1500);  // windows up, first update step done
    const bool shown = host::FindModuleWindow(host::ModuleWindow::Moscow) != nullptr &&
                       host::FindModuleWindow(host::ModuleWindow::Rda) != nullptr;
    const double before = CpuSeconds();
    orvosim::PumpFor(kIdleMs);
    const double used = std::max(0.0, CpuSeconds() - before);
    std::printf("display shown%s, %lu s idle: process CPU %.1f ms (%.3f %% of one core); "
                "a 200 ms busy loop reads %.0f ms\n",
                shown ? "" : " (district windows MISSING)", kIdleMs / 1000, used * 1000.0,
                used * 100.0 / (kIdleMs / 1000.0), CalibrationSeconds(200) * 1000.0);
    calls.Entry().runCommand(0, "HIDEINFO");
    code = shown ? 0 : 1;
  }
  automation.Stop();
  return code;
}
