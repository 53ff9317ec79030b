#include "session_runner_win.h"

#include <cstdio>

#include "adif_qso.h"
#include "console_text_win.h"
#include "message_pump_win.h"
#include "resources/resource.h"
#include "window_capture_win.h"
#include "window_driver_win.h"

namespace orvosim {
namespace {

using host::ModuleWindow;

constexpr DWORD kWindowWaitMs = 5000;
constexpr DWORD kPollMs = 50;
constexpr const char* kMode = "RTTY";
constexpr const char* kRst = "599";
constexpr const char* kSentExchange = "001";

// The information window comes up on the plug-in's own thread a moment
// after the command that starts the display.
HWND WaitForModuleWindow(ModuleWindow which, DWORD timeoutMs) {
  for (DWORD waited = 0;; waited += kPollMs) {
    if (HWND window = host::FindModuleWindow(which)) return window;
    if (waited >= timeoutMs) return nullptr;
    PumpFor(kPollMs);
  }
}

unsigned int WholeHertz(double hz) { return static_cast<unsigned int>(hz + 0.5); }

}  // namespace

bool SessionRunner::Run(const std::vector<SessionCommand>& commands, std::string& error) {
  for (const SessionCommand& command : commands) {
    const std::string problem = Do(command);
    std::fflush(stdout);
    if (!problem.empty()) {
      error = "line " + std::to_string(command.line) + ": " + problem;
      return false;
    }
  }
  return true;
}

std::string SessionRunner::Do(const SessionCommand& c) {
  switch (c.verb) {
    case SessionVerb::Call: Type(c.text); return {};
    case SessionVerb::Freq:
      m_dHz = c.hz;
      m_automation.SetFrequency(c.hz);
      std::printf("frequency: %.0f Hz\n", c.hz);
      return {};
    case SessionVerb::Add:
    case SessionVerb::Remove: PassQso(c); return {};
    case SessionVerb::Result: {
      int flag = 0;
      m_host.Result(flag);
      std::printf("GetResult0\n");
      return {};
    }
    case SessionVerb::Command:
      m_host.Command(c.text);
      std::printf("RunCommand0 %s\n", c.text.c_str());
      return {};
    case SessionVerb::Tick: return Tick(c.tick);
    case SessionVerb::Wait: PumpFor(static_cast<DWORD>(c.ms)); return {};
    case SessionVerb::Shot: return Shoot(c.text);
  }
  return "unknown command";
}

// The host shows each keystroke in the entry field and asks the plug-in
// about the call typed so far; clearing the field is one more change it
// reports.
void SessionRunner::Type(const std::string& call) {
  const std::string band = BandOfFrequency(WholeHertz(m_dHz));
  std::vector<std::string> typed = TypedPrefixes(call);
  if (typed.empty()) typed.push_back(std::string());
  CheckAnswer answer;
  for (const std::string& text : typed) {
    m_automation.SetEntryField(WideFromFileText(text));
    answer = m_host.Check(AnsiFromUtf8(text), band, kMode);
  }
  if (call.empty()) {
    std::printf("entry field cleared\n");
    return;
  }
  std::printf("CheckCall0 %s %s %s -> %d ", call.c_str(), band.c_str(), kMode, answer.result);
  PrintPluginText(answer.warning + "\n", m_setting.rawOutput);
}

void SessionRunner::PassQso(const SessionCommand& c) {
  const SessionQso& q = c.qso;
  host::Qso h;
  h.ownCall = m_setting.ownCall;
  h.call = AnsiFromUtf8(q.call);
  CalendarTime t = m_setting.day;
  t.hour = q.hour;
  t.minute = q.minute;
  t.second = 0;
  h.time = HostDate(t);
  h.freqHz = WholeHertz(m_dHz);
  h.mode = AnsiFromUtf8(q.mode);
  h.rstSent = kRst;
  h.rstRcvd = kRst;
  h.sent = kSentExchange;
  h.rcvd = AnsiFromUtf8(q.rcvd);
  h.countryPrefix = !q.prefix.empty()               ? q.prefix
                    : m_setting.prefixes != nullptr ? m_setting.prefixes->PrefixFor(q.call, 0)
                                                    : PrefixFromCall(q.call);
  h.extra = "";  // no comment
  h.band = q.band;
  const bool add = c.verb == SessionVerb::Add;
  const int r = add ? m_host.Add(h) : m_host.Remove(h);
  std::printf("%s %s %s %s %02d:%02d %s -> %d\n", add ? "AddData0" : "RemoveData0", q.call.c_str(),
              q.band.c_str(), q.mode.c_str(), q.hour, q.minute, q.rcvd.c_str(), r);
}

// Clicks the box the way the operator does: the click reaches the window
// on the plug-in's thread, which handles it there.
std::string SessionRunner::Tick(TickTarget target) {
  HWND info = WaitForModuleWindow(ModuleWindow::Information, kWindowWaitMs);
  if (info == nullptr) return "no information window is shown";
  HWND box = GetDlgItem(info, target == TickTarget::Moscow ? IDC_SHOW_MOSCOW : IDC_SHOW_RDA);
  if (box == nullptr || !PostMessageW(box, BM_CLICK, 0, 0)) return "cannot click the box";
  std::printf("tick %s\n", target == TickTarget::Moscow ? "moscow" : "rda");
  return {};
}

std::string SessionRunner::Shoot(const std::string& name) {
  std::string saved;
  for (ModuleWindow which : {ModuleWindow::Information, ModuleWindow::Moscow, ModuleWindow::Rda}) {
    HWND window = host::FindModuleWindow(which);
    if (window == nullptr) continue;
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    // The display thread repaints when it gets to it, not within the call.
    host::WaitUntilPainted(window);
    const std::string file = name + "-" + host::ModuleWindowName(which) + ".bmp";
    if (!host::SaveWindowBitmap(window, file)) return "cannot save " + file;
    saved += " " + file;
  }
  std::printf("shot %s:%s\n", name.c_str(), saved.empty() ? " no window is shown" : saved.c_str());
  return {};
}

}  // namespace orvosim
