#include "session_script.h"

#include <cctype>
#include <cstdlib>

#include "decimal_digits.h"
#include "script_lines.h"

namespace orvosim {
namespace {

constexpr int kMaxWaitMs = 600000;
constexpr double kMaxHz = 4294967295.0;  // the host passes Hz as a 32-bit number
constexpr std::size_t kMaxShotName = 64;

std::vector<std::string> Words(std::string_view line) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    const std::size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
    if (i > start) words.emplace_back(line.substr(start, i - start));
  }
  return words;
}

// A plain decimal number: digits, at most one point, nothing else.
bool ParseHertz(const std::string& text, double& hz) {
  const std::size_t point = text.find('.');
  const std::string_view whole = std::string_view(text).substr(0, point);
  if (!IsDigitRun(whole)) return false;
  if (point != std::string::npos && !IsDigitRun(std::string_view(text).substr(point + 1))) {
    return false;
  }
  hz = std::strtod(text.c_str(), nullptr);
  return hz > 0.0 && hz <= kMaxHz;
}

bool ParseMilliseconds(const std::string& text, int& ms) {
  return ParseDigits(text, 7, ms) && ms <= kMaxWaitMs;
}

bool ParseClock(const std::string& text, int& hour, int& minute) {
  const std::string_view clock(text);
  return clock.size() == 5 && clock[2] == ':' && ParseDigits(clock.substr(0, 2), 2, hour) &&
         ParseDigits(clock.substr(3), 2, minute) && hour < 24 && minute < 60;
}

// Pictures land in the working directory: no path, no leading dot.
bool IsShotName(const std::string& name) {
  if (name.empty() || name.size() > kMaxShotName || name[0] == '.') return false;
  for (char c : name) {
    const bool ok = std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == '.';
    if (!ok) return false;
  }
  return true;
}

// The commands that take no arguments.
struct BareVerb {
  const char* word;
  SessionVerb verb;
};
constexpr BareVerb kBareVerbs[] = {
    {"result", SessionVerb::Result},
    {"reset", SessionVerb::Reset},
    {"unload", SessionVerb::Unload},
    {"load", SessionVerb::Load},
    {"unload-inside", SessionVerb::UnloadInside},
};

const SessionVerb* FindBareVerb(const std::string& word) {
  for (const BareVerb& b : kBareVerbs) {
    if (word == b.word) return &b.verb;
  }
  return nullptr;
}

// "pace prompt", "pace blocking MS", "pace ownloop MS".
std::string ParsePace(const std::vector<std::string>& w, SessionCommand& command) {
  const std::size_t n = w.size() - 1;
  if (n == 1 && w[1] == "prompt") {
    command.pace = PaceKind::Prompt;
    return std::string();
  }
  if (n == 2 && (w[1] == "blocking" || w[1] == "ownloop") &&
      ParseMilliseconds(w[2], command.ms)) {
    command.pace = w[1] == "blocking" ? PaceKind::Blocking : PaceKind::OwnLoop;
    return std::string();
  }
  return "pace takes prompt, blocking MS or ownloop MS (MS up to " +
         std::to_string(kMaxWaitMs) + ")";
}

// Fills `command` from the words after the verb; a message when they do
// not fit.
std::string ParseArguments(const std::vector<std::string>& w, SessionCommand& command) {
  const std::string& verb = w[0];
  const std::size_t n = w.size() - 1;
  if (verb == "call") {
    if (n > 1) return "call takes one call sign";
    command.verb = SessionVerb::Call;
    if (n == 1) command.text = w[1];
  } else if (verb == "freq") {
    command.verb = SessionVerb::Freq;
    if (n != 1 || !ParseHertz(w[1], command.hz)) return "freq takes a frequency in Hz";
  } else if (verb == "add" || verb == "remove") {
    command.verb = verb == "add" ? SessionVerb::Add : SessionVerb::Remove;
    if (n != 5 && n != 6) return verb + " takes CALL BAND MODE HH:MM RCVD [PREFIX]";
    SessionQso& q = command.qso;
    q.call = w[1];
    q.band = w[2];
    q.mode = w[3];
    if (!ParseClock(w[4], q.hour, q.minute)) return "time " + w[4] + " is not HH:MM";
    q.rcvd = w[5];
    if (n == 6) q.prefix = w[6];
  } else if (verb == "command") {
    command.verb = SessionVerb::Command;
    if (n != 1) return "command takes one word";
    command.text = w[1];
  } else if (verb == "tick") {
    command.verb = SessionVerb::Tick;
    if (n != 1 || (w[1] != "moscow" && w[1] != "rda")) return "tick takes moscow or rda";
    command.tick = w[1] == "moscow" ? TickTarget::Moscow : TickTarget::Rda;
  } else if (verb == "wait") {
    command.verb = SessionVerb::Wait;
    if (n != 1 || !ParseMilliseconds(w[1], command.ms)) {
      return "wait takes 0 to " + std::to_string(kMaxWaitMs) + " ms";
    }
  } else if (verb == "shot") {
    command.verb = SessionVerb::Shot;
    if (n != 1 || !IsShotName(w[1])) return "shot takes a name of letters, digits, - _ .";
    command.text = w[1];
  } else if (verb == "pace") {
    command.verb = SessionVerb::Pace;
    return ParsePace(w, command);
  } else if (const SessionVerb* bare = FindBareVerb(verb)) {
    command.verb = *bare;
    if (n != 0) return verb + " takes nothing";
  } else {
    return "unknown command " + verb;
  }
  return std::string();
}

}  // namespace

bool ParseSessionScript(std::string_view script, std::vector<SessionCommand>& commands,
                        std::string& error) {
  commands.clear();
  return ForEachScriptLine(script, [&](int lineNumber, std::string_view line) {
    const std::vector<std::string> words = Words(line);
    if (words.empty() || words[0][0] == '#') return true;
    SessionCommand command;
    command.line = lineNumber;
    const std::string problem = ParseArguments(words, command);
    if (!problem.empty()) {
      error = "line " + std::to_string(lineNumber) + ": " + problem;
      return false;
    }
    commands.push_back(std::move(command));
    return true;
  });
}

std::vector<std::string> TypedPrefixes(const std::string& call) {
  std::vector<std::string> prefixes;
  for (std::size_t n = 1; n <= call.size(); ++n) prefixes.push_back(call.substr(0, n));
  return prefixes;
}

}  // namespace orvosim
