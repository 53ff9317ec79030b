// OrvoSim: plays the host program towards the contest plug-in. It loads
// Plugins\Stats.dll from the working directory, resets the contest, passes
// every QSO of an ADIF log, asks the call checks given on the command line,
// fetches the result and prints it with the plug-in's journal. With
// --session it plays the host's automation object as well and runs an
// operator session with the plug-in's windows before the result.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "adif_qso.h"
#include "answer_script.h"
#include "automation_object_win.h"
#include "calendar_time.h"
#include "console_text_win.h"
#include "country_prefix.h"
#include "dialog_answerer_win.h"
#include "host_session_win.h"
#include "platform/win32_handles.h"
#include "session_runner_win.h"
#include "session_script.h"
#include "sim_options.h"
#include "stats_module_win.h"

namespace {

using namespace orvosim;

constexpr int kExitUsage = 2;
constexpr int kExitTimeout = 3;
constexpr int kExitSession = 4;
constexpr const char* kJournal = "err.txt";

bool ReadWholeFile(const std::string& path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

// Whatever the plug-in does, the run ends: a modal window nobody answers or
// a deadlock would otherwise keep a non-interactive run alive for ever.
DWORD WINAPI Watchdog(void* seconds) {
  const DWORD s = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(seconds));
  Sleep(s * 1000);
  std::fprintf(stderr, "orvosim: no end after %lu s, giving up\n", static_cast<unsigned long>(s));
  std::fflush(nullptr);
  ExitProcess(kExitTimeout);
}

bool ParseEnd(const std::string& text, host::DateTime& end) {
  end = host::kNullDateTime;  // when not given
  if (text.empty()) return true;
  CalendarTime t;
  if (!ParseIsoDateTime(text, t)) return false;
  end = HostDate(t);
  return true;
}

host::Qso ToHostQso(const AdifQso& qso, const std::string& defaultOwnCall,
                    const CountryPrefixRule& prefixes) {
  host::Qso h;
  h.ownCall = AnsiFromUtf8(qso.ownCall.empty() ? defaultOwnCall : qso.ownCall);
  h.call = AnsiFromUtf8(qso.call);
  h.time = HostDate(qso.time);
  h.freqHz = qso.freqHz;
  h.mode = AnsiFromUtf8(qso.mode);
  h.rstSent = AnsiFromUtf8(qso.rstSent);
  h.rstRcvd = AnsiFromUtf8(qso.rstRcvd);
  h.sent = AnsiFromUtf8(qso.sent);
  h.rcvd = AnsiFromUtf8(qso.rcvd);
  h.countryPrefix = prefixes.PrefixFor(qso.call, qso.dxcc);
  h.extra = AnsiFromUtf8(qso.comment);
  h.band = qso.band;
  return h;
}

// Reads and parses a script file named on the command line; an empty name
// leaves `parsed` as it is. Errors are printed with the file's name.
template <typename Parsed, typename Parse>
bool LoadScript(const std::string& path, Parse parse, Parsed& parsed) {
  if (path.empty()) return true;
  std::string text, error;
  if (!ReadWholeFile(path, text)) {
    std::fprintf(stderr, "orvosim: cannot read %s\n", path.c_str());
    return false;
  }
  if (!parse(text, parsed, error)) {
    std::fprintf(stderr, "orvosim: %s: %s\n", path.c_str(), error.c_str());
    return false;
  }
  return true;
}

void PrintSection(const char* title);

// The session's QSOs are logged on the contest's last day, else today (UTC).
CalendarTime SessionDay(const SimOptions& options) {
  CalendarTime day;
  if (!options.end.empty() && ParseIsoDateTime(options.end, day)) return day;
  SYSTEMTIME now;
  GetSystemTime(&now);
  day.year = now.wYear;
  day.month = now.wMonth;
  day.day = now.wDay;
  return day;
}

// Runs the session, then hides the display; false when a command failed.
bool PlaySession(HostSession& session, AutomationHost& automation, const SimOptions& options,
                 const std::vector<SessionCommand>& commands, const std::string& ownCall,
                 const CountryPrefixRule& prefixes) {
  PrintSection("session");
  SessionSetting setting{AnsiFromUtf8(ownCall), SessionDay(options), &prefixes,
                         options.ansiOutput};
  SessionRunner runner(session, automation.Object(), setting);
  std::string error;
  const bool done = runner.Run(commands, error);
  if (!done) std::fprintf(stderr, "orvosim: %s: %s\n", options.sessionFile.c_str(), error.c_str());
  session.Command("HIDEINFO");
  automation.Stop();
  return done;
}

void PrintSection(const char* title) { std::printf("----- %s -----\n", title); }

void FeedLog(HostSession& session, const std::vector<AdifQso>& qsos, const std::string& ownCall,
             const CountryPrefixRule& prefixes) {
  int stored = 0;
  for (const AdifQso& qso : qsos) stored += session.Add(ToHostQso(qso, ownCall, prefixes)) == 1;
  std::printf("AddData0: %d QSOs passed, %d stored, %d refused\n", static_cast<int>(qsos.size()),
              stored, static_cast<int>(qsos.size()) - stored);
}

void RunChecks(HostSession& session, const SimOptions& options) {
  for (const CallCheck& check : options.checks) {
    const CheckAnswer answer =
        session.Check(AnsiFromUtf8(check.call), AnsiFromUtf8(check.band), AnsiFromUtf8(check.mode));
    std::printf("CheckCall0 %s %s %s -> %d ", check.call.c_str(), check.band.c_str(),
                check.mode.c_str(), answer.result);
    PrintPluginText(answer.warning + "\n", options.ansiOutput);
  }
}

void PrintJournal(bool raw) {
  std::string journal;
  PrintSection(kJournal);
  if (!ReadWholeFile(kJournal, journal)) {
    std::printf("(no %s)\n", kJournal);
    return;
  }
  PrintPluginText(journal, raw);
}

int Simulate(const SimOptions& options) {
  std::string log;
  if (!ReadWholeFile(options.logPath, log)) {
    std::fprintf(stderr, "orvosim: cannot read %s\n", options.logPath.c_str());
    return kExitUsage;
  }
  std::vector<AdifProblem> problems;
  const std::vector<AdifQso> qsos = ReadQsos(log, problems);
  for (const AdifProblem& p : problems) {
    std::fprintf(stderr, "orvosim: %s: %s, skipped\n", options.logPath.c_str(),
                 DescribeProblem(p).c_str());
  }

  CountryPrefixRule prefixes;
  for (const std::string& o : options.prefixOverrides) prefixes.AddOverride(o);
  std::string ownCall = options.ownCall;
  if (ownCall.empty() && !qsos.empty()) ownCall = qsos.front().ownCall;
  const std::string ownPrefix =
      options.ownPrefix.empty() ? PrefixFromCall(ownCall) : options.ownPrefix;
  host::DateTime end;
  if (!ParseEnd(options.end, end)) {
    std::fprintf(stderr, "orvosim: --end wants YYYY-MM-DDTHH:MM, not %s\n", options.end.c_str());
    return kExitUsage;
  }
  AnswerScript answers;
  // Without an answer file the dialog is confirmed as it opens.
  if (!LoadScript(options.answerFile, ParseAnswerScript, answers)) return kExitUsage;
  std::vector<SessionCommand> commands;
  if (!LoadScript(options.sessionFile, ParseSessionScript, commands)) return kExitUsage;

  // The host binds the plain names (RunCommand0 has only its decorated one).
  const host::StatsModule plugin(options.pluginPath);
  if (!plugin.IsLoaded()) {
    std::fprintf(stderr, "orvosim: cannot load %s (error %lu)\n", plugin.Path().c_str(),
                 static_cast<unsigned long>(plugin.LoadError()));
    return kExitUsage;
  }
  const host::EntryPoints entry = plugin.Bind(host::Binding::Plain);
  if (const char* missing = host::FirstUnbound(entry, host::Binding::Plain)) {
    std::fprintf(stderr, "orvosim: entry point not found: %s\n", missing);
    return kExitUsage;
  }
  std::printf("OrvoSim: %s (%s), %d QSOs from %s, %d records skipped%s\n", ownCall.c_str(),
              ownPrefix.c_str(), static_cast<int>(qsos.size()), options.logPath.c_str(),
              static_cast<int>(problems.size()), options.output ? ", output mode" : "");
  std::fflush(stdout);

  HostSession session(entry);
  DialogAnswerer answerer(answers, static_cast<DWORD>(options.timeoutSeconds) * 1000);
  if (options.output && !answerer.Start()) {
    std::fprintf(stderr, "orvosim: cannot start the answering thread\n");
    return kExitUsage;
  }
  // Declared after the plug-in, so it goes first: the plug-in may hold the
  // object until it is unloaded.
  AutomationHost automation;
  std::string error;
  if (!options.sessionFile.empty() && !automation.Start(error)) {
    std::fprintf(stderr, "orvosim: %s\n", error.c_str());
    return kExitUsage;
  }
  // The reset may already open the display, which attaches to the host.
  session.Reset(options.output, AnsiFromUtf8(ownCall), end, ownPrefix);
  FeedLog(session, qsos, ownCall, prefixes);
  RunChecks(session, options);
  bool sessionDone = true;
  if (!options.sessionFile.empty()) {
    sessionDone = PlaySession(session, automation, options, commands, ownCall, prefixes);
  }
  int flag = 0;
  const std::string result = session.Result(flag);
  answerer.Finish();
  if (options.output) {
    std::printf("GetResult0 flag: %d%s\n", flag,
                answerer.AnsweredDialog() ? "" : " (the station dialog never appeared)");
  }
  PrintSection("result");
  PrintPluginText(result + "\n", options.ansiOutput);
  PrintJournal(options.ansiOutput);
  return sessionDone ? 0 : kExitSession;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  SimOptions options;
  std::string error;
  if (!ParseOptions(args, options, error)) {
    std::fprintf(stderr, "orvosim: %s\n%s", error.c_str(), UsageText());
    return kExitUsage;
  }
  const stats::UniqueKernelObject watchdog(CreateThread(
      nullptr, 0, &Watchdog,
      reinterpret_cast<void*>(static_cast<UINT_PTR>(options.timeoutSeconds + 10)), 0, nullptr));
  int code = kExitUsage;
  try {
    code = Simulate(options);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "orvosim: %s\n", e.what());
  }
  std::fflush(nullptr);
  return code;
}
