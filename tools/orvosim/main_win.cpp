// OrvoSim: plays the host program towards the contest plug-in. It loads
// Plugins\Stats.dll from the working directory, resets the contest, passes
// every QSO of an ADIF log, asks the call checks given on the command line,
// fetches the result and prints it with the plug-in's journal. With
// --session it plays the host's automation object as well and runs an
// operator session with the plug-in's windows before the result.
//
// As the real host does, its main thread is a single-threaded apartment
// with a main window: it serves the automation object and calls every
// export from the window's message handlers (host_window_win.h).
// --object-thread keeps the older model: the object served by a thread of
// its own, the exports called from plain code.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "adif_qso.h"
#include "answer_script.h"
#include "automation_object_win.h"
#include "calendar_time.h"
#include "console_text_win.h"
#include "country_prefix.h"
#include "dialog_answerer_win.h"
#include "exit_codes.h"
#include "host_program_win.h"
#include "host_window_win.h"
#include "plugin_slot_win.h"
#include "run_guards_win.h"
#include "session_script.h"
#include "sim_options.h"
#include "whole_file.h"

namespace {

using namespace orvosim;

// Extra time the watchdog allows beyond the dialog answerer's own limit.
constexpr unsigned long kWatchdogGraceSeconds = 10;

bool ParseEnd(const std::string& text, host::DateTime& end) {
  end = host::kNullDateTime;  // when not given
  if (text.empty()) return true;
  CalendarTime t;
  if (!ParseIsoDateTime(text, t)) return false;
  end = HostDate(t);
  return true;
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

// The host thread's apartment, entered before anything else and left after
// everything, as a host application's main thread does.
class HostApartment {
 public:
  explicit HostApartment(bool enter)
      : m_entered(enter && SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~HostApartment() {
    if (m_entered) CoUninitialize();
  }
  HostApartment(const HostApartment&) = delete;
  HostApartment& operator=(const HostApartment&) = delete;

 private:
  bool m_entered;
};

// The log, the own station and the scripts; false (with the reason
// printed) when something cannot be used.
bool PrepareRun(const SimOptions& options, HostRun& run, AnswerScript& answers) {
  std::string log;
  if (!ReadWholeFile(options.logPath, log)) {
    std::fprintf(stderr, "orvosim: cannot read %s\n", options.logPath.c_str());
    return false;
  }
  std::vector<AdifProblem> problems;
  run.qsos = ReadQsos(log, problems);
  for (const AdifProblem& p : problems) {
    std::fprintf(stderr, "orvosim: %s: %s, skipped\n", options.logPath.c_str(),
                 DescribeProblem(p).c_str());
  }
  for (const std::string& o : options.prefixOverrides) run.prefixes.AddOverride(o);
  run.ownCall = options.ownCall;
  if (run.ownCall.empty() && !run.qsos.empty()) run.ownCall = run.qsos.front().ownCall;
  run.reset.outputMode = options.output;
  run.reset.ownCall = AnsiFromUtf8(run.ownCall);
  run.reset.ownPrefix =
      options.ownPrefix.empty() ? PrefixFromCall(run.ownCall) : options.ownPrefix;
  if (!ParseEnd(options.end, run.reset.end)) {
    std::fprintf(stderr, "orvosim: --end wants YYYY-MM-DDTHH:MM, not %s\n", options.end.c_str());
    return false;
  }
  // Without an answer file the dialog is confirmed as it opens.
  if (!LoadScript(options.answerFile, ParseAnswerScript, answers)) return false;
  if (!LoadScript(options.sessionFile, ParseSessionScript, run.commands)) return false;
  run.skippedRecords = static_cast<int>(problems.size());
  return true;
}

void PrintHeader(const SimOptions& options, const HostRun& run) {
  std::printf("OrvoSim: %s (%s), %d QSOs from %s, %d records skipped%s\n", run.ownCall.c_str(),
              run.reset.ownPrefix.c_str(), static_cast<int>(run.qsos.size()),
              options.logPath.c_str(), run.skippedRecords, options.output ? ", output mode" : "");
}

bool StartAutomation(const SimOptions& options, AutomationHost& automation) {
  if (options.sessionFile.empty()) return true;
  std::string error;
  const bool started = options.objectThread ? automation.Start(error)
                                            : automation.StartOnThisThread(error);
  if (!started) std::fprintf(stderr, "orvosim: %s\n", error.c_str());
  return started;
}

int Simulate(const SimOptions& options) {
  HostRun run;
  AnswerScript answers;
  if (!PrepareRun(options, run, answers)) return kExitUsage;
  HostApartment apartment(!options.objectThread);
  HostWindow window;
  std::string error;
  if (!options.objectThread && !window.Create(error)) {
    std::fprintf(stderr, "orvosim: %s\n", error.c_str());
    return kExitUsage;
  }
  PluginSlot plugin(options.pluginPath);
  if (!plugin.Load(error)) {
    std::fprintf(stderr, "orvosim: %s\n", error.c_str());
    return kExitUsage;
  }
  PrintHeader(options, run);

  DialogAnswerer answerer(answers, static_cast<DWORD>(options.timeoutSeconds) * 1000);
  if (options.output && !answerer.Start()) {
    std::fprintf(stderr, "orvosim: cannot start the answering thread\n");
    return kExitUsage;
  }
  // Declared after the plug-in, so it goes first: the plug-in may hold the
  // object until it is unloaded.
  AutomationHost automation;
  if (!StartAutomation(options, automation)) return kExitUsage;
  AutomationHost* sessionHost = options.sessionFile.empty() ? nullptr : &automation;
  if (options.objectThread) {
    HostProgram program(options, std::move(run), plugin, sessionHost, answerer, nullptr);
    program.RunInPlainCode();
    return program.ExitCode();
  }
  HostProgram program(options, std::move(run), plugin, sessionHost, answerer,
                      [&window](const std::wstring& text) { window.SetEntryText(text); });
  window.Run([&program] { return program.Next(); },
             [&program](const std::wstring& text) { program.EntryChanged(text); });
  return program.ExitCode();
}

}  // namespace

int main(int argc, char** argv) {
  // Unbuffered, so that a crash report ends a complete output.
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  ReportCrashes();
  const std::vector<std::string> args(argv + 1, argv + argc);
  SimOptions options;
  std::string error;
  if (!ParseOptions(args, options, error)) {
    std::fprintf(stderr, "orvosim: %s\n%s", error.c_str(), UsageText());
    return kExitUsage;
  }
  // Whatever the plug-in does, the run ends: a modal window nobody answers
  // or a deadlock would otherwise keep a non-interactive run alive for ever.
  const stats::UniqueKernelObject watchdog =
      StartWatchdog(static_cast<unsigned long>(options.timeoutSeconds) + kWatchdogGraceSeconds);
  int code = kExitUsage;
  try {
    code = Simulate(options);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "orvosim: %s\n", e.what());
  }
  std::fflush(nullptr);
  return code;
}
