#include "session_runner_win.h"

#include <cstdio>

#include "adif_qso.h"
#include "console_text_win.h"
#include "message_pump_win.h"
#include "resources/resource.h"
#include "stopwatch_win.h"
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

std::string NotLoaded(const char* export_) {
  return std::string(export_) + " while the plug-in is not loaded";
}

MemberPace PaceOf(const SessionCommand& c) {
  MemberPace pace;
  pace.ms = static_cast<DWORD>(c.ms);
  switch (c.pace) {
    case PaceKind::Prompt: pace.kind = MemberPace::Kind::Prompt; break;
    case PaceKind::Blocking: pace.kind = MemberPace::Kind::Blocking; break;
    case PaceKind::OwnLoop: pace.kind = MemberPace::Kind::OwnLoop; break;
  }
  return pace;
}

}  // namespace

SessionRunner::SessionRunner(PluginSlot& plugin, AutomationObject& automation,
                             SessionSetting setting, std::vector<SessionCommand> commands,
                             TypeIntoEntry type)
    : m_plugin(plugin),
      m_automation(automation),
      m_setting(std::move(setting)),
      m_commands(std::move(commands)),
      m_type(std::move(type)) {}

// An unload-inside that no member call took by the end of the session is
// dropped: the action must not outlive the runner.
SessionRunner::~SessionRunner() { m_automation.SetInsideMemberAction(nullptr); }

HostStep SessionRunner::Next() {
  if (m_typing != nullptr) return TypeNextKey();
  if (m_nNext >= m_commands.size()) return HostStep::Stop();
  const SessionCommand& command = m_commands[m_nNext++];
  HostStep next = HostStep::Next();
  const std::string problem = Do(command, next);
  std::fflush(stdout);
  return problem.empty() ? next : Fail(command.line, problem);
}

HostStep SessionRunner::Fail(int line, const std::string& problem) {
  m_error = "line " + std::to_string(line) + ": " + problem;
  m_typing = nullptr;
  return HostStep::Stop();
}

std::string SessionRunner::Do(const SessionCommand& c, HostStep& next) {
  HostSession* plugin = m_plugin.Session();
  switch (c.verb) {
    case SessionVerb::Call: StartTyping(c.text); return {};
    case SessionVerb::Freq:
      m_dHz = c.hz;
      m_automation.SetFrequency(c.hz);
      std::printf("frequency: %.0f Hz\n", c.hz);
      return {};
    case SessionVerb::Add:
    case SessionVerb::Remove: return PassQso(c);
    case SessionVerb::Result: {
      if (plugin == nullptr) return NotLoaded("GetResult0");
      int flag = 0;
      plugin->Result(flag);
      std::printf("GetResult0\n");
      return {};
    }
    case SessionVerb::Command:
      if (plugin == nullptr) return NotLoaded("RunCommand0");
      plugin->Command(c.text);
      std::printf("RunCommand0 %s\n", c.text.c_str());
      return {};
    case SessionVerb::Reset:
      if (plugin == nullptr) return NotLoaded("ResetStats0");
      plugin->Reset(m_setting.reset);
      std::printf("ResetStats0\n");
      return {};
    case SessionVerb::Tick: return Tick(c.tick);
    case SessionVerb::Wait: next = HostStep::After(static_cast<unsigned long>(c.ms)); return {};
    case SessionVerb::Shot: return Shoot(c.text);
    case SessionVerb::Unload: return Unload();
    case SessionVerb::Load: return Load();
    case SessionVerb::Pace: SetPace(c); return {};
    case SessionVerb::UnloadInside: return ArmUnloadInside();
  }
  return "unknown command";
}

std::string SessionRunner::Band() const { return BandOfFrequency(WholeHertz(m_dHz)); }

// The operator types one character at a time, a step each; the host shows
// each keystroke in the entry field and asks the plug-in about the call
// typed so far. Clearing the field is one more change it reports.
void SessionRunner::StartTyping(const std::string& call) {
  m_keys = TypedPrefixes(call);
  if (m_keys.empty()) m_keys.push_back(std::string());
  m_nNextKey = 0;
  m_typing = &m_commands[m_nNext - 1];
}

HostStep SessionRunner::TypeNextKey() {
  const SessionCommand& typing = *m_typing;
  const std::wstring text = WideFromFileText(m_keys[m_nNextKey++]);
  m_entryProblem.clear();
  if (m_type) {
    m_type(text);
  } else {
    EntryChanged(text);
  }
  if (!m_entryProblem.empty()) return Fail(typing.line, m_entryProblem);
  if (m_nNextKey < m_keys.size()) return HostStep::Next();
  m_typing = nullptr;
  if (typing.text.empty()) {
    std::printf("entry field cleared\n");
  } else {
    std::printf("CheckCall0 %s %s %s -> %d ", typing.text.c_str(), Band().c_str(), kMode,
                m_lastAnswer.result);
    PrintPluginText(m_lastAnswer.warning + "\n", m_setting.rawOutput);
  }
  std::fflush(stdout);
  return HostStep::Next();
}

void SessionRunner::EntryChanged(const std::wstring& text) {
  m_automation.SetEntryField(text);
  HostSession* plugin = m_plugin.Session();
  if (plugin == nullptr) {
    m_entryProblem = NotLoaded("CheckCall0");
    return;
  }
  m_lastAnswer = plugin->Check(AnsiFromUtf8(Utf8FromWide(text)), Band(), kMode);
}

std::string SessionRunner::PassQso(const SessionCommand& c) {
  const bool add = c.verb == SessionVerb::Add;
  HostSession* plugin = m_plugin.Session();
  if (plugin == nullptr) return NotLoaded(add ? "AddData0" : "RemoveData0");
  const SessionQso& q = c.qso;
  host::Qso h;
  h.ownCall = m_setting.reset.ownCall;
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
  const int r = add ? plugin->Add(h) : plugin->Remove(h);
  std::printf("%s %s %s %s %02d:%02d %s -> %d\n", add ? "AddData0" : "RemoveData0", q.call.c_str(),
              q.band.c_str(), q.mode.c_str(), q.hour, q.minute, q.rcvd.c_str(), r);
  return {};
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

std::string SessionRunner::Unload() {
  if (!m_plugin.IsLoaded()) return "the plug-in is not loaded";
  const Stopwatch watch;
  m_plugin.Unload();
  const unsigned long ms = watch.Milliseconds();
  std::printf("unload: %lu ms%s\n", ms, StillMapped());
  return {};
}

const char* SessionRunner::StillMapped() const {
  return m_plugin.IsMapped() ? ", the module is still mapped" : "";
}

std::string SessionRunner::Load() {
  if (m_plugin.IsLoaded()) return "the plug-in is already loaded";
  const bool oldModule = m_plugin.IsMapped();
  const Stopwatch watch;
  std::string error;
  if (!m_plugin.Load(error)) return error;
  const unsigned long ms = watch.Milliseconds();
  std::printf("load: %lu ms%s\n", ms, oldModule ? ", the old module was still mapped" : "");
  return {};
}

void SessionRunner::SetPace(const SessionCommand& c) {
  m_automation.SetPace(PaceOf(c));
  if (c.pace == PaceKind::Prompt) {
    std::printf("pace: prompt\n");
  } else {
    std::printf("pace: %s %d ms\n", c.pace == PaceKind::Blocking ? "blocking" : "ownloop", c.ms);
  }
}

// The action runs on the thread that serves the object. Only the host's
// own thread may unload the plug-in: the runner and the exports live there.
std::string SessionRunner::ArmUnloadInside() {
  if (!m_setting.objectOnHostThread) {
    return "unload-inside needs the automation object on the host's thread (no --object-thread)";
  }
  m_automation.SetInsideMemberAction([this] { UnloadInsideMember(); });
  std::printf("unload-inside: at the next call to the host's automation object\n");
  return {};
}

void SessionRunner::UnloadInsideMember() {
  if (!m_plugin.IsLoaded()) {
    std::printf("unload inside a host member: the plug-in is not loaded\n");
  } else {
    const Stopwatch watch;
    m_plugin.Unload();
    const unsigned long ms = watch.Milliseconds();
    std::printf("unload inside a host member: %lu ms%s\n", ms, StillMapped());
  }
  std::fflush(stdout);
}

}  // namespace orvosim
