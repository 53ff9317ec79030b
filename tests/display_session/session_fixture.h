#pragma once
// A host with the display: a fresh folder with an RDA list, the host's
// automation object registered (unless a test goes without it) and the
// plug-in loaded. As in a real host, the test's own thread is the host's
// window thread: it serves the object, calls every export and unloads the
// module, and the display's calls to the host are answered only while it
// serves its messages (WaitUntil, PumpFor). Helpers play the operator: show
// and hide the windows, tune, type a call, click the information window's
// boxes, and wait for what the windows show. TearDown checks what every
// session must leave: no export entered while another was on the thread's
// stack, no last resort of the module used, and every display thread ended
// by itself with exit code 0.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "automation_object_win.h"
#include "host_calls_win.h"
#include "process_probe.h"
#include "scratch_folder.h"
#include "stats_module_win.h"
#include "window_driver_win.h"

namespace session {

using host::ModuleWindow;

// RDA codes AB01, MO01, MO05, ZZ99.
inline constexpr const char* kRdaFile = "AB-01\r\nMO-01\r\nMO-05\r\nZZ-99\r\n";

class DisplaySessionTest : public ::testing::Test {
 public:
  // Every dialog window of this process, shown or hidden.
  static int DialogWindowCount();

 protected:
  void SetUp() override;
  void TearDown() override;

  // Starts the host's automation object on this thread (SetUp does, unless
  // told not to).
  void StartHost();
  void StopHost();
  orvosim::AutomationObject& HostObject() { return m_host->Object(); }

  void LoadModule();
  // FreeLibrary; returns how long it took, in milliseconds.
  double UnloadModule();
  // Starts watching the display threads the module has started so far.
  void WatchModuleThreads();
  host::HostCalls& Host() { return *m_calls; }

  // A reset that opens no window ("Start" read as 1), with the given own
  // prefix ("UA" selects the Russian wording), contest end in 2026.
  void QuietReset(const std::string& ownPrefix = "DL");
  // A QSO on a band at 12:05 on the contest day; `rcvd` is the district or
  // serial received, `prefix` the worked station's country prefix.
  void Log(const std::string& call, const std::string& band, const std::string& rcvd,
           const std::string& prefix = "UA", int hour = 12, int minute = 5);
  void Command(const char* text);
  // Sets the host's entry field and asks the call check, as typing does.
  void Type(const std::string& call);
  void Tune(double hz) { HostObject().SetFrequency(hz); }
  // Clicks a box of the information window.
  void Click(int boxId);
  // "SHOWINFO" with all three windows, past the first update step.
  void ShowAllWindows();

  // The host's own posted work, handled when this thread next serves its
  // messages, as a host's message handlers run: a keystroke in the entry
  // field (its change notification asks the call check) and the "switch
  // contest" that unloads the module. If an export's wait dispatched them,
  // they would run inside that export.
  void PostKeystroke(const std::string& call);
  void PostUnload();
  // How long the last unload's FreeLibrary took, in milliseconds.
  double LastUnloadMs() const { return m_lastUnloadMs; }

  // Serves this thread's messages until `done` holds; false on time-out.
  bool WaitUntil(const std::function<bool()>& done, DWORD limitMs = 5000);
  // The shown module window (null when not shown).
  static HWND Shown(ModuleWindow which) { return host::FindModuleWindow(which); }
  bool WaitShown(ModuleWindow which) {
    return WaitUntil([which] { return Shown(which) != nullptr; });
  }
  static std::wstring Caption(HWND window);
  bool WaitCaption(ModuleWindow which, const std::wstring& caption);

  std::string Setting(const char* key) const;
  void WriteSetting(const char* key, const char* value) const;

  host::ScratchFolder m_folder;
  std::unique_ptr<orvosim::AutomationHost> m_host;
  std::unique_ptr<host::StatsModule> m_module;
  std::unique_ptr<host::HostCalls> m_calls;
  bool m_bStartHost = true;
  int m_reentriesBefore = 0;
  LastResortTraces m_lastResorts;
  ModuleThreadWatch m_moduleThreads;
  std::string m_strThreadFaults;  // display threads that ended badly, so far

 private:
  static LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam,
                                         LPARAM lParam);
  HWND m_hHostWindow = nullptr;  // message-only, on this thread
  std::string m_strKeystroke;
  double m_lastUnloadMs = 0.0;
};

// Text of a caption as the module composes it in Windows-1251.
std::wstring From1251(const std::string& text);

}  // namespace session
