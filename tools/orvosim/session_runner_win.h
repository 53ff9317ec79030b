#pragma once
// Plays an operator session (session_script.h) against the loaded plug-in:
// the entry field and the frequency go to the host's automation object,
// QSOs, call checks, results and display commands to the plug-in's exports,
// clicks to the information window; pictures of the plug-in's windows are
// saved in the working directory as <name>-info.bmp, <name>-moscow.bmp and
// <name>-rda.bmp.
#include <string>
#include <utility>
#include <vector>

#include "automation_object_win.h"
#include "calendar_time.h"
#include "country_prefix.h"
#include "host_session_win.h"
#include "session_script.h"

namespace orvosim {

struct SessionSetting {
  std::string ownCall;  // ANSI
  CalendarTime day{};   // the date of the QSOs the session logs
  const CountryPrefixRule* prefixes = nullptr;
  bool rawOutput = false;  // print the plug-in's texts as its raw bytes
};

class SessionRunner {
 public:
  SessionRunner(HostSession& host, AutomationObject& automation, SessionSetting setting)
      : m_host(host), m_automation(automation), m_setting(std::move(setting)) {}

  // Runs the commands in order; false with "line N: ..." in `error` at the
  // first one that cannot be done.
  bool Run(const std::vector<SessionCommand>& commands, std::string& error);

 private:
  // Empty when done, else what went wrong.
  std::string Do(const SessionCommand& command);
  void Type(const std::string& call);
  void PassQso(const SessionCommand& command);
  std::string Tick(TickTarget target);
  std::string Shoot(const std::string& name);

  HostSession& m_host;
  AutomationObject& m_automation;
  SessionSetting m_setting;
  double m_dHz = 0.0;
};

}  // namespace orvosim
