#include "host_program_win.h"

#include <cstdio>
#include <utility>

#include "console_text_win.h"
#include "exit_codes.h"
#include "message_pump_win.h"
#include "whole_file.h"

namespace orvosim {
namespace {

constexpr const char* kJournal = "err.txt";
// After the last unload: a thread the plug-in left running shows itself
// within this time, when it returns into the unmapped module, and the
// crash report then ends the run with its own exit code instead of a
// clean-looking exit.
constexpr unsigned long kSettleMs = 250;

void PrintSection(const char* title) { std::printf("----- %s -----\n", title); }

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

void PrintJournal(bool raw) {
  std::string journal;
  PrintSection(kJournal);
  if (!ReadWholeFile(kJournal, journal)) {
    std::printf("(no %s)\n", kJournal);
    return;
  }
  PrintPluginText(journal, raw);
}

}  // namespace

HostProgram::HostProgram(const SimOptions& options, HostRun run, PluginSlot& plugin,
                         AutomationHost* automation, DialogAnswerer& answerer, TypeIntoEntry type)
    : m_options(options),
      m_run(std::move(run)),
      m_plugin(plugin),
      m_automation(automation),
      m_answerer(answerer),
      m_type(std::move(type)) {}

HostStep HostProgram::Next() {
  HostStep next = HostStep::Next();
  switch (m_phase) {
    case Phase::Reset:
      // The reset may already open the display, which attaches to the host.
      m_plugin.Session()->Reset(m_run.reset);
      m_phase = Phase::Log;
      break;
    case Phase::Log:
      // One QSO a step, as the operator logs them: the host serves the
      // display's calls between them.
      PassNextQso();
      if (m_nNextQso >= m_run.qsos.size()) m_phase = Phase::Checks;
      break;
    case Phase::Checks:
      if (m_nNextCheck < m_options.checks.size()) {
        RunCheck(m_options.checks[m_nNextCheck++]);
      } else {
        m_phase = m_automation != nullptr ? Phase::SessionStart : Phase::Result;
      }
      break;
    case Phase::SessionStart: {
      PrintSection("session");
      SessionSetting setting{m_run.reset, SessionDay(m_options), &m_run.prefixes,
                             m_options.ansiOutput, !m_options.objectThread};
      m_session = std::make_unique<SessionRunner>(m_plugin, m_automation->Object(),
                                                  std::move(setting), m_run.commands, m_type);
      m_phase = Phase::Session;
      break;
    }
    case Phase::Session:
      next = m_session->Next();
      if (next.kind == HostStep::Kind::Stop) {
        next = HostStep::Next();
        m_phase = Phase::SessionEnd;
      }
      break;
    case Phase::SessionEnd:
      EndSession();
      m_phase = Phase::Result;
      break;
    case Phase::Result:
      PrintResult();
      m_phase = Phase::Unload;
      break;
    case Phase::Unload:
      m_plugin.Unload();
      m_phase = Phase::Done;
      next = HostStep::After(kSettleMs);
      break;
    case Phase::Done:
      ReportReentries();
      next = HostStep::Stop();
      break;
  }
  std::fflush(stdout);
  return next;
}

void HostProgram::EntryChanged(const std::wstring& text) {
  if (m_session) m_session->EntryChanged(text);
}

void HostProgram::RunInPlainCode() {
  for (;;) {
    const HostStep step = Next();
    if (step.kind == HostStep::Kind::Stop) return;
    if (step.kind == HostStep::Kind::After) PumpFor(static_cast<DWORD>(step.ms));
  }
}

// A host calls one export at a time on its thread; an export that began
// while another was still on the stack came from a message some wait
// inside the first one dispatched (or from a member's own loop).
void HostProgram::ReportReentries() {
  const int reentries = host::ReentryCount();
  if (reentries > 0) {
    std::fprintf(stderr, "orvosim: %d export calls began while another was on the host's thread\n",
                 reentries);
  }
}

int HostProgram::ExitCode() const { return m_sessionDone ? kExitOk : kExitSession; }

void HostProgram::PassNextQso() {
  if (m_nNextQso < m_run.qsos.size()) {
    const AdifQso& qso = m_run.qsos[m_nNextQso++];
    m_nStored += m_plugin.Session()->Add(ToHostQso(qso, m_run.ownCall, m_run.prefixes)) == 1;
  }
  if (m_nNextQso < m_run.qsos.size()) return;
  const int passed = static_cast<int>(m_run.qsos.size());
  std::printf("AddData0: %d QSOs passed, %d stored, %d refused\n", passed, m_nStored,
              passed - m_nStored);
}

void HostProgram::RunCheck(const CallCheck& check) {
  const CheckAnswer answer = m_plugin.Session()->Check(
      AnsiFromUtf8(check.call), AnsiFromUtf8(check.band), AnsiFromUtf8(check.mode));
  std::printf("CheckCall0 %s %s %s -> %d ", check.call.c_str(), check.band.c_str(),
              check.mode.c_str(), answer.result);
  PrintPluginText(answer.warning + "\n", m_options.ansiOutput);
}

// After the session the host hides the display and withdraws its object.
void HostProgram::EndSession() {
  if (!m_session->Error().empty()) {
    m_sessionDone = false;
    std::fprintf(stderr, "orvosim: %s: %s\n", m_options.sessionFile.c_str(),
                 m_session->Error().c_str());
  }
  m_session.reset();
  if (HostSession* plugin = m_plugin.Session()) plugin->Command("HIDEINFO");
  m_automation->Stop();
}

void HostProgram::PrintResult() {
  HostSession* plugin = m_plugin.Session();
  int flag = 0;
  const std::string result = plugin != nullptr ? plugin->Result(flag) : std::string();
  m_answerer.Finish();
  if (m_options.output && plugin != nullptr) {
    std::printf("GetResult0 flag: %d%s\n", flag,
                m_answerer.AnsweredDialog() ? "" : " (the station dialog never appeared)");
  }
  PrintSection("result");
  if (plugin != nullptr) {
    PrintPluginText(result + "\n", m_options.ansiOutput);
  } else {
    std::printf("(the plug-in is not loaded)\n");
  }
  PrintJournal(m_options.ansiOutput);
}

}  // namespace orvosim
