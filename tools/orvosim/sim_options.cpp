#include "sim_options.h"

#include <cstdlib>

namespace orvosim {
namespace {

class ArgCursor {
 public:
  explicit ArgCursor(const std::vector<std::string>& args) : m_args(args) {}
  bool Done() const { return m_next >= m_args.size(); }
  const std::string& Take() { return m_args[m_next++]; }
  bool TakeValue(const std::string& option, std::string& value, std::string& error) {
    if (Done()) {
      error = option + " needs a value";
      return false;
    }
    value = Take();
    return true;
  }

 private:
  const std::vector<std::string>& m_args;
  std::size_t m_next = 0;
};

bool ParseSeconds(const std::string& text, int& seconds) {
  char* end = nullptr;
  const long value = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || value <= 0 || value > 86400) return false;
  seconds = static_cast<int>(value);
  return true;
}

}  // namespace

const char* UsageText() {
  return "usage: OrvoSim.exe [--call CALL] [--prefix PFX] [--end YYYY-MM-DDTHH:MM]\n"
         "                   [--output] [--answer FILE] [--check CALL BAND MODE]...\n"
         "                   [--prefix CALL=PFX | --country CALL=PFX]...\n"
         "                   [--timeout SECONDS] [--plugin PATH] [--ansi]\n"
         "                   [--session FILE] [--object-thread] LOG.adi\n"
         "The simulator is a host with a main window whose thread serves the\n"
         "automation object (with --session) and calls every export from its\n"
         "message handlers; --object-thread serves the object from a thread of\n"
         "its own and calls the exports from plain code.\n"
         "A session script has one command a line: call [CALL], freq HZ,\n"
         "add|remove CALL BAND MODE HH:MM RCVD [PREFIX], result, command TEXT,\n"
         "tick moscow|rda, wait MS, shot NAME, reset, unload, load,\n"
         "pace prompt|blocking MS|ownloop MS, unload-inside.\n";
}

bool ParseOptions(const std::vector<std::string>& args, SimOptions& options, std::string& error) {
  ArgCursor cursor(args);
  while (!cursor.Done()) {
    const std::string arg = cursor.Take();
    std::string value;
    if (arg == "--output") {
      options.output = true;
    } else if (arg == "--ansi") {
      options.ansiOutput = true;
    } else if (arg == "--object-thread") {
      options.objectThread = true;
    } else if (arg == "--call") {
      if (!cursor.TakeValue(arg, options.ownCall, error)) return false;
    } else if (arg == "--end") {
      if (!cursor.TakeValue(arg, options.end, error)) return false;
    } else if (arg == "--answer") {
      if (!cursor.TakeValue(arg, options.answerFile, error)) return false;
    } else if (arg == "--session") {
      if (!cursor.TakeValue(arg, options.sessionFile, error)) return false;
    } else if (arg == "--plugin") {
      if (!cursor.TakeValue(arg, options.pluginPath, error)) return false;
    } else if (arg == "--prefix" || arg == "--country") {
      if (!cursor.TakeValue(arg, value, error)) return false;
      if (value.find('=') != std::string::npos) {
        options.prefixOverrides.push_back(value);
      } else if (arg == "--prefix") {
        options.ownPrefix = value;
      } else {
        error = "--country needs CALL=PFX";
        return false;
      }
    } else if (arg == "--check") {
      CallCheck check;
      if (!cursor.TakeValue(arg, check.call, error) || !cursor.TakeValue(arg, check.band, error) ||
          !cursor.TakeValue(arg, check.mode, error)) {
        error = "--check needs CALL BAND MODE";
        return false;
      }
      options.checks.push_back(check);
    } else if (arg == "--timeout") {
      if (!cursor.TakeValue(arg, value, error)) return false;
      if (!ParseSeconds(value, options.timeoutSeconds)) {
        error = "--timeout needs a number of seconds";
        return false;
      }
    } else if (arg.size() > 1 && arg[0] == '-') {
      error = "unknown option " + arg;
      return false;
    } else if (options.logPath.empty()) {
      options.logPath = arg;
    } else {
      error = "more than one log file: " + arg;
      return false;
    }
  }
  if (options.logPath.empty()) {
    error = "no ADIF log given";
    return false;
  }
  return true;
}

}  // namespace orvosim
