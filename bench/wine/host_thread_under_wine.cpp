// What the display costs the host's own thread (run under wine): the host
// serves its automation object on its main thread and calls the exports
// from it, as a real host does.
//   - the longest time that thread spends inside CheckCall0, AddData0 and
//     GetResult0 while the operator types, with the display shown against
//     hidden;
//   - how long FreeLibrary holds it with the display shown, starting and
//     stopped, against a module that never showed the display.
// Prints figures only. Run in a folder that holds Plugins\Stats.dll and
// Plugins\rda_rus.dat.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "automation_object_win.h"
#include "host_calls_win.h"
#include "message_pump_win.h"
#include "stats_module_win.h"
#include "window_driver_win.h"

namespace {

constexpr const char* kDll = ".\\Plugins\\Stats.dll";
constexpr const char* kSettings = ".\\Plugins\\KESTREL-RTTY.ini";
constexpr int kKeystrokes = 150;
constexpr int kUnloadRounds = 15;
// What the host's thread does between two keystrokes: serve its messages.
constexpr DWORD kBetweenKeystrokesMs = 20;

double NowMs() {
  LARGE_INTEGER frequency, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double TimeMs(const std::function<void()>& work) {
  const double before = NowMs();
  work();
  return NowMs() - before;
}

struct Spread {
  double median = 0.0, max = 0.0;
};

Spread SpreadOf(std::vector<double> values) {
  Spread s;
  if (values.empty()) return s;
  std::sort(values.begin(), values.end());
  s.median = values[values.size() / 2];
  s.max = values.back();
  return s;
}

bool WaitShown(host::ModuleWindow which, DWORD limitMs = 5000) {
  const ULONGLONG deadline = GetTickCount64() + limitMs;
  while (host::FindModuleWindow(which) == nullptr) {
    if (GetTickCount64() >= deadline) return false;
    orvosim::PumpFor(20);
  }
  return true;
}

// One load of the plug-in, reset quietly (the reset opens no window).
struct Plugin {
  std::unique_ptr<host::StatsModule> module;
  std::unique_ptr<host::HostCalls> calls;

  bool Load() {
    module = std::make_unique<host::StatsModule>(kDll);
    if (!module->IsLoaded()) return false;
    calls = std::make_unique<host::HostCalls>(module->Bind(host::Binding::Decorated));
    WritePrivateProfileStringA("Settings", "Start", "1", kSettings);
    host::ResetArgs reset;
    reset.ownCall = "R3XYZ";
    reset.end = host::MakeDateTime(2026, 12, 6, 23, 59);
    calls->ResetStats(reset);
    return true;
  }
  bool ShowAll() {
    calls->RunCommand("SHOWINFO");
    const bool shown = WaitShown(host::ModuleWindow::Moscow) && WaitShown(host::ModuleWindow::Rda);
    orvosim::PumpFor(400);  // past the first update step
    return shown;
  }
  double Unload() {
    calls.reset();
    return TimeMs([this] { module.reset(); });
  }
};

struct ExportTimes {
  std::vector<double> checkCall, addData, getResult;
};

// The operator types calls (every keystroke a call check, the host serving
// its messages in between) and now and then logs a QSO and asks the result.
ExportTimes Typing(orvosim::AutomationObject& object, const host::HostCalls& calls) {
  ExportTimes t;
  const std::string calls80[] = {"D", "DL", "DL1", "DL1A", "DL1AA", "U", "UA", "UA3", "UA3A"};
  for (int i = 0; i < kKeystrokes; ++i) {
    const std::string& call = calls80[i % 9];
    object.SetEntryField(std::wstring(call.begin(), call.end()));
    char warning[100] = {};
    t.checkCall.push_back(TimeMs([&] { calls.CheckCall(call, "RTTY", "80m", warning); }));
    if (i % 10 == 9) {
      host::Qso qso;
      qso.call = "UA3A" + std::string(1, static_cast<char>('A' + i / 10));
      qso.rcvd = "AF";
      qso.countryPrefix = "UA";
      qso.time = host::MakeDateTime(2026, 12, 6, 12, 5);
      t.addData.push_back(TimeMs([&] { calls.AddData(qso); }));
      int status = 0;
      t.getResult.push_back(TimeMs([&] { calls.GetResult(&status); }));
    }
    orvosim::PumpFor(kBetweenKeystrokesMs);
  }
  return t;
}

void PrintLongest(const char* name, const std::vector<double>& hidden,
                  const std::vector<double>& shown) {
  const Spread h = SpreadOf(hidden), s = SpreadOf(shown);
  std::printf("%-11s longest %.2f ms shown / %.2f ms hidden (%.1fx); median %.3f / %.3f ms\n",
              name, s.max, h.max, h.max > 0 ? s.max / h.max : 0.0, s.median, h.median);
}

bool MeasureExports(orvosim::AutomationObject& object) {
  Plugin plugin;
  if (!plugin.Load()) return false;
  const ExportTimes hidden = Typing(object, *plugin.calls);
  if (!plugin.ShowAll()) std::printf("(district windows MISSING)\n");
  const ExportTimes shown = Typing(object, *plugin.calls);
  plugin.calls->RunCommand("HIDEINFO");
  plugin.Unload();
  std::printf("The host's thread inside an export, %d keystrokes each, display shown / hidden:\n",
              kKeystrokes);
  PrintLongest("CheckCall0", hidden.checkCall, shown.checkCall);
  PrintLongest("AddData0", hidden.addData, shown.addData);
  PrintLongest("GetResult0", hidden.getResult, shown.getResult);
  return true;
}

struct UnloadCase {
  const char* what;
  // Brings the display to the moment of the unload.
  std::function<void(Plugin&)> before;
};

bool MeasureUnloads() {
  const UnloadCase cases[] = {
      {"never shown", [](Plugin&) {}},
      {"stopped", [](Plugin& p) {
         p.ShowAll();
         p.calls->RunCommand("HIDEINFO");
       }},
      {"shown and idle", [](Plugin& p) { p.ShowAll(); }},
      {"starting", [](Plugin& p) { p.calls->RunCommand("SHOWINFO"); }},
  };
  std::printf("FreeLibrary on the host's thread, %d rounds each:\n", kUnloadRounds);
  double neverShown = 0.0;
  for (const UnloadCase& c : cases) {
    std::vector<double> ms;
    for (int round = 0; round < kUnloadRounds; ++round) {
      Plugin plugin;
      if (!plugin.Load()) return false;
      c.before(plugin);
      ms.push_back(plugin.Unload());
      orvosim::PumpFor(100);
    }
    const Spread s = SpreadOf(ms);
    if (neverShown == 0.0) neverShown = s.median;
    std::printf("%-15s median %7.2f ms, max %7.2f ms (median %.0fx never shown)\n", c.what,
                s.median, s.max, neverShown > 0 ? s.median / neverShown : 0.0);
  }
  return true;
}

}  // namespace

int main() {
  orvosim::AutomationHost automation;
  std::string error;
  if (!automation.StartOnThisThread(error)) {
    std::fprintf(stderr, "no automation object: %s\n", error.c_str());
    return 1;
  }
  automation.Object().SetFrequency(3520000.0);
  WritePrivateProfileStringA("Settings", "RusObl", "1", kSettings);
  WritePrivateProfileStringA("Settings", "DXCC", "1", kSettings);
  const bool ok = MeasureExports(automation.Object()) && MeasureUnloads();
  if (!ok) std::fprintf(stderr, "%s does not load\n", kDll);
  automation.Stop();
  return ok ? 0 : 1;
}
