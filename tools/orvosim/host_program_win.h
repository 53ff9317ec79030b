#pragma once
// What the simulated host does with the plug-in, from the first reset to
// the unload, as a series of steps (host_step.h): the reset, the log, the
// call checks of the command line, the operator session, the result and
// the journal, the unload. The same steps run either in the host window's
// message loop (host_window_win.h) or, with the automation object on a
// thread of its own, one after another in plain code.
#include <memory>
#include <string>
#include <vector>

#include "adif_qso.h"
#include "automation_object_win.h"
#include "country_prefix.h"
#include "dialog_answerer_win.h"
#include "host_session_win.h"
#include "host_step.h"
#include "plugin_slot_win.h"
#include "session_runner_win.h"
#include "session_script.h"
#include "sim_options.h"

namespace orvosim {

// What the run works with, read and checked before the plug-in is loaded.
struct HostRun {
  std::vector<AdifQso> qsos;
  std::string ownCall;  // UTF-8
  ResetCall reset;
  CountryPrefixRule prefixes;
  std::vector<SessionCommand> commands;
  int skippedRecords = 0;  // bad records of the log
};

class HostProgram {
 public:
  // `automation` is null when there is no session; every reference must
  // outlive the program.
  HostProgram(const SimOptions& options, HostRun run, PluginSlot& plugin,
              AutomationHost* automation, DialogAnswerer& answerer, TypeIntoEntry type);
  HostProgram(const HostProgram&) = delete;
  HostProgram& operator=(const HostProgram&) = delete;

  // Does the next step.
  HostStep Next();
  // The host's entry field changed (during the session's typing).
  void EntryChanged(const std::wstring& text);
  // Every step in a row on the calling thread; waits serve its messages.
  void RunInPlainCode();
  // 0, or kExitSession when a session command could not be done.
  int ExitCode() const;

 private:
  enum class Phase { Reset, Log, Checks, SessionStart, Session, SessionEnd, Result, Unload, Done };

  void PassNextQso();
  void RunCheck(const CallCheck& check);
  void EndSession();
  void PrintResult();
  static void ReportReentries();

  const SimOptions& m_options;
  HostRun m_run;
  PluginSlot& m_plugin;
  AutomationHost* m_automation;
  DialogAnswerer& m_answerer;
  TypeIntoEntry m_type;
  Phase m_phase = Phase::Reset;
  std::size_t m_nNextQso = 0;
  int m_nStored = 0;
  std::size_t m_nNextCheck = 0;
  std::unique_ptr<SessionRunner> m_session;
  bool m_sessionDone = true;
};

}  // namespace orvosim
