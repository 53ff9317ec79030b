#pragma once
// The simulator's command line:
//   OrvoSim.exe [--call CALL] [--prefix PFX] [--end YYYY-MM-DDTHH:MM]
//               [--output] [--answer FILE] [--check CALL BAND MODE]...
//               [--prefix CALL=PFX | --country CALL=PFX]... [--timeout SECONDS]
//               [--plugin PATH] [--ansi] [--session FILE] [--object-thread]
//               LOG.adi
// "--prefix PFX" is the own station's prefix; with a "=" it fixes the
// prefix of one worked call instead. "--session FILE" plays an operator
// session (session_script.h) after the log, with the plug-in's windows.
// By default the simulator is a host with a main window: its thread serves
// the automation object and calls every export from its message handlers.
// "--object-thread" serves the object from a thread of its own and calls
// the exports from plain code instead.
#include <string>
#include <vector>

namespace orvosim {

struct CallCheck {
  std::string call, band, mode;
};

struct SimOptions {
  std::string ownCall;    // empty: the log's STATION_CALLSIGN
  std::string ownPrefix;  // empty: derived from the own call
  std::string end;        // empty: a null date-time
  bool output = false;
  std::string answerFile;
  std::vector<CallCheck> checks;
  std::vector<std::string> prefixOverrides;  // "CALL=PFX"
  int timeoutSeconds = 120;
  std::string pluginPath = "Plugins\\Stats.dll";
  bool ansiOutput = false;  // print the plug-in's texts as its raw bytes
  std::string sessionFile;  // empty: no operator session
  bool objectThread = false;  // the automation object on a thread of its own
  std::string logPath;
};

// False with a message in `error` for an unknown option, a missing value
// or a missing log file name.
bool ParseOptions(const std::vector<std::string>& args, SimOptions& options, std::string& error);

const char* UsageText();

}  // namespace orvosim
