#pragma once
// Plays an operator session (session_script.h) against the plug-in, one
// step at a time, so that the host's loop serves the plug-in's calls
// between steps: the entry field and the frequency go to the host's
// automation object, QSOs, call checks, results and display commands to the
// plug-in's exports, clicks to the information window; pictures of the
// plug-in's windows are saved in the working directory as <name>-info.bmp,
// <name>-moscow.bmp and <name>-rda.bmp. The plug-in can be unloaded and
// loaded again; an export the script calls while it is unloaded fails that
// line.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "automation_object_win.h"
#include "calendar_time.h"
#include "country_prefix.h"
#include "host_session_win.h"
#include "host_step.h"
#include "plugin_slot_win.h"
#include "session_script.h"

namespace orvosim {

struct SessionSetting {
  ResetCall reset;     // the contest's reset; its own call is the QSOs' own call
  CalendarTime day{};  // the date of the QSOs the session logs
  const CountryPrefixRule* prefixes = nullptr;
  bool rawOutput = false;  // print the plug-in's texts as its raw bytes
  // The host's own thread serves the automation object (not a thread of
  // its own), so a member can unload the plug-in as the host would.
  bool objectOnHostThread = true;
};

// Puts a keystroke's text into the host's entry field, whose change the
// host then reports to SessionRunner::EntryChanged. Empty: the change is
// reported straight away, without an entry field.
using TypeIntoEntry = std::function<void(const std::wstring& text)>;

class SessionRunner {
 public:
  SessionRunner(PluginSlot& plugin, AutomationObject& automation, SessionSetting setting,
                std::vector<SessionCommand> commands, TypeIntoEntry type);
  ~SessionRunner();
  SessionRunner(const SessionRunner&) = delete;
  SessionRunner& operator=(const SessionRunner&) = delete;

  // Does the next command, or the next keystroke of a call being typed.
  // Stop once the commands are done or one could not be done.
  HostStep Next();
  // The entry field now shows `text`: the host tells its automation object
  // and asks the plug-in about the call.
  void EntryChanged(const std::wstring& text);
  // "line N: ..." for the command that could not be done; empty if none.
  const std::string& Error() const { return m_error; }

 private:
  // Empty when done, else what went wrong; `next` says when to go on.
  std::string Do(const SessionCommand& command, HostStep& next);
  void StartTyping(const std::string& call);
  HostStep TypeNextKey();
  HostStep Fail(int line, const std::string& problem);
  std::string PassQso(const SessionCommand& command);
  std::string Tick(TickTarget target);
  std::string Shoot(const std::string& name);
  std::string Unload();
  std::string Load();
  void SetPace(const SessionCommand& command);
  std::string ArmUnloadInside();
  void UnloadInsideMember();
  // ", the module is still mapped" after an unload that left it mapped.
  const char* StillMapped() const;
  std::string Band() const;

  PluginSlot& m_plugin;
  AutomationObject& m_automation;
  SessionSetting m_setting;
  std::vector<SessionCommand> m_commands;
  TypeIntoEntry m_type;
  std::size_t m_nNext = 0;  // the next command
  double m_dHz = 0.0;
  std::string m_error;
  // The call being typed: what the field shows after each keystroke.
  std::vector<std::string> m_keys;
  std::size_t m_nNextKey = 0;
  const SessionCommand* m_typing = nullptr;
  CheckAnswer m_lastAnswer;
  std::string m_entryProblem;  // a change the plug-in could not be asked about
};

}  // namespace orvosim
