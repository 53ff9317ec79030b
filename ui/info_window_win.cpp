#include "ui/info_window_win.h"

#include <iterator>

#include "engine/contest_state.h"
#include "platform/platform.h"
#include "resources/resource.h"
#include "ui/display/display_objects_win.h"
#include "ui/display/host_courier_win.h"
#include "ui/display/modal_loops_win.h"
#include "ui/moscow_window_win.h"
#include "ui/panel_look_win.h"
#include "ui/rda_window_win.h"
#include "ui/update_step.h"
#include "ui/wide_text_win.h"
#include "ui/window_position_win.h"

namespace stats {

namespace {

constexpr UINT kOpeningDelayMs = 300;

void WriteShownSetting(const char* key, bool shown) {
  CurrentPlatform().WriteProfileString(g_strIniFile, g_strIniSection, key, shown ? "1" : "0");
}

// The display's own dialogs, as opposed to a message box of the thread.
bool IsDisplayWindow(HWND window) {
  const auto is = [window](const CDialog* dialog) {
    return dialog != nullptr && dialog->GetSafeHwnd() == window;
  };
  return is(g_pBaud.load()) || is(g_pOblast.get()) || is(g_pDxcc.get());
}

void HideDistrictWindows() {
  if (g_pOblast) ShowWindow(g_pOblast->GetSafeHwnd(), SW_HIDE);
  if (g_pDxcc) ShowWindow(g_pDxcc->GetSafeHwnd(), SW_HIDE);
}

// Marks the time the window waits for the host's answers.
class AskingHost {
 public:
  explicit AskingHost(bool& flag) : m_flag(flag) { m_flag = true; }
  ~AskingHost() { m_flag = false; }
  AskingHost(const AskingHost&) = delete;
  AskingHost& operator=(const AskingHost&) = delete;

 private:
  bool& m_flag;
};

std::wstring WindowCaption(HWND window) {
  wchar_t caption[128] = {};
  GetWindowTextW(window, caption, static_cast<int>(std::size(caption)));
  return caption;
}

int RussianWording() {
  const ContestStateLock state;
  return state.Russian();
}

// Creates a modeless district window and shows it; null when the window
// cannot be made.
template <typename Window>
std::unique_ptr<Window> OpenWindow() {
  auto window = std::make_unique<Window>();
  if (!window->Create(nullptr)) return nullptr;
  ShowWindow(window->GetSafeHwnd(), SW_SHOW);
  return window;
}

}  // namespace

baud::baud() : CDialog(IDD_BAUD, nullptr) {
  // A new display starts with no district windows; the settings reopen them.
  CloseDistrictWindows();
}

baud::~baud() = default;

BOOL baud::OnInitDialog() {
  CDialog::OnInitDialog();
  HWND window = GetSafeHwnd();
  if (RussianWording() == 0) UseEnglishTexts();
  // The caption decides the width, and the width the place.
  WidenToShowCaption(window, WindowCaption(window));
  MoveToSavedPosition(window, kBaudPositionKeys, 10, 10);
  SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
  m_brBack.reset(CreateSolidBrush(ColorRefOf(kPanelColour)));
  SetModuleIcon(window);
  UpdateData(false);
  // Shown and painted here rather than when the window's loop first goes
  // idle: the first window a thread shows needs the loader's lock, so this
  // must be over before the display's start returns to the host, which may
  // unload the module next. The loop's first message says so (below).
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  PostMessageW(window, kStartedMessage, 0, 0);
  return TRUE;
}

void baud::UseEnglishTexts() {
  HWND window = GetSafeHwnd();
  SetWindowTextA(window, "Setup " STATS_CONTEST_NAME);
  SetDlgItemTextA(window, IDC_VIEW_LABEL, "View");
  SetDlgItemTextA(window, IDC_SHOW_MOSCOW, "Moscow region");
  SetDlgItemTextA(window, IDC_SHOW_RDA, "RDA");
}

// The host is reached through the courier on its own thread, which also
// puts it into the contest's mode. A host that did not answer in time (its
// thread busy, or not serving its messages) is asked again at the next step.
void baud::AttachToHost() {
  const HostCourier::Reply reply = TheHostCourier().AttachAndSetMode();
  m_bHostFound = reply == HostCourier::Reply::Done;
  m_bAttachPending = reply == HostCourier::Reply::Unanswered;
}

// The window is shown and its loop runs: the display's start waits
// for this, and from here a stop from the host's thread has its target. The
// host is reached only now: the host's thread, which answers for it, is the
// one that was waiting.
void baud::OnStarted() {
  AnnounceStarted(GetSafeHwnd());
  {
    const AskingHost asking(m_bAskingHost);
    AttachToHost();
  }
  (void)TheHostCourier().TakeUnanswered();  // the opening step below asks again
  ArmUpdateTimer(kOpeningDelayMs);
}

void baud::DoDataExchange(DataExchange& dx) {
  DDX_Check(dx, IDC_SHOW_MOSCOW, m_bShowMoscow);
  DDX_Check(dx, IDC_SHOW_RDA, m_bShowRda);
}

// A stopped display arms nothing: whatever loop still runs on the thread
// until the stop has ended it never brings an update step.
void baud::ArmUpdateTimer(UINT delayMs) {
  if (!m_bStopped) SetTimer(GetSafeHwnd(), kUpdateTimerId, delayMs, nullptr);
}

void baud::KillUpdateTimer() { KillTimer(GetSafeHwnd(), kUpdateTimerId); }

// A box of this window clicked. The decision follows the window, not the
// box's tick: the automatic box toggles its own tick. A window closed here
// is destroyed; one opened is filled by the step the timer brings.
template <typename Window>
void baud::ToggleWindow(std::unique_ptr<Window>& window, const char* shownKey) {
  if (m_bStopped) return;  // a click that a loop still running delivers late
  if (window) {
    window.reset();
    WriteShownSetting(shownKey, false);
    return;
  }
  window = OpenWindow<Window>();
  ArmUpdateTimer(kOpeningDelayMs);
  WriteShownSetting(shownKey, true);
}

// The update step reopens a window that the settings say was open, and
// ticks its box here.
template <typename Window>
void baud::ReopenWindow(std::unique_ptr<Window>& window, int& shownBox) {
  window = OpenWindow<Window>();
  if (!window) return;
  shownBox = 1;
  UpdateData(false);
}

void baud::OnShowMoscowClicked() { ToggleWindow(g_pOblast, kMoscowShownKey); }

void baud::OnShowRdaClicked() { ToggleWindow(g_pDxcc, kRdaShownKey); }

bool baud::IsMoscowWindowOpen() { return static_cast<bool>(g_pOblast); }

void baud::OpenMoscowWindow() { ReopenWindow(g_pOblast, m_bShowMoscow); }

bool baud::IsRdaWindowOpen() { return static_cast<bool>(g_pDxcc); }

void baud::OpenRdaWindow() { ReopenWindow(g_pDxcc, m_bShowRda); }

void baud::SetMoscowCaption(const std::string& text) {
  if (g_pOblast) SetWindowText1251(g_pOblast->GetSafeHwnd(), text);
}

void baud::SetRdaCaption(const std::string& text) {
  if (g_pDxcc) SetWindowText1251(g_pDxcc->GetSafeHwnd(), text);
}

void baud::SetMoscowTicks(const MoscowTicks& ticks) {
  if (g_pOblast) g_pOblast->SetTicks(ticks);
}

void baud::RepaintRdaButton() {
  if (!g_pDxcc) return;
  if (HWND button = GetDlgItem(g_pDxcc->GetSafeHwnd(), IDC_INFO_BUTTON)) {
    InvalidateRect(button, nullptr, FALSE);
  }
}

// While the host answers, a loop the operator starts (a menu, a move) may
// deliver the timer inside the waiting step: the courier serves one
// request at a time, so that tick is left for the timer's next one.
// The stop killed the timer, and nothing arms it again.
void baud::OnTimer() {
  if (m_bAskingHost) return;
  {
    const AskingHost asking(m_bAskingHost);
    if (m_bAttachPending) AttachToHost();
    RunUpdateStep(CurrentPlatform(), m_bHostFound ? &TheHostCourier() : nullptr, *this);
  }
  RetryWhatWentUnanswered();
}

// A step (or the start-up) that the host did not answer in time, or whose
// host was busy in an earlier request, is run again without waiting for
// the operator's next keystroke.
void baud::RetryWhatWentUnanswered() {
  if (TheHostCourier().TakeUnanswered() || m_bAttachPending) ArmUpdateTimer(kRefreshDelayMs);
}

// The operator closed the window (Enter, Escape, the close box): the
// display ends, as a stop to hide does.
void baud::OnOK() {
  UpdateData(true);
  EndRun(RunEnd::Closed);
}

void baud::OnCancel() { EndRun(RunEnd::Closed); }

// The display thread's loop looks at this after every message; the posted
// nothing wakes it when the end comes from inside a wait for a sent message.
void baud::EndRun(RunEnd how) {
  if (m_runEnd != RunEnd::None) return;
  m_runEnd = how;
  PostMessageW(GetSafeHwnd(), WM_NULL, 0, 0);
}

// The host's thread stops the display, having let go of any input queue it
// shared with this thread (so that no activation change below waits for the
// host's thread, which serves nothing while it waits for this one). The
// stop may arrive inside any loop of the system's on this thread (it is a
// sent notification): first the timer, then those loops. To hide, the
// district windows are hidden here (the settings keep which were open, so
// a new display reopens them); for the unload nothing is hidden or drawn
// here: the thread destroys the windows after its signal, and the unload
// waits only for the signal. Otherwise the district windows are destroyed
// once the run is over, when no loop of theirs is on the stack.
void baud::OnStop(WPARAM why) {
  m_bStopped = true;
  KillUpdateTimer();
  EndThisThreadsModalLoops(&IsDisplayWindow);
  if (why == kStopForUnload) {
    EndRun(RunEnd::Unload);
    return;
  }
  HideDistrictWindows();
  EndRun(RunEnd::Closed);
}

bool baud::OnMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR& result) {
  if (DroppedAfterTheStop(message, result)) return true;
  if (IsControlColourMessage(message)) {
    result = ColourPanelControl(reinterpret_cast<HDC>(wParam), m_brBack.get());
    return true;
  }
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) != BN_CLICKED) return false;
      if (LOWORD(wParam) == IDC_SHOW_MOSCOW) OnShowMoscowClicked();
      else if (LOWORD(wParam) == IDC_SHOW_RDA) OnShowRdaClicked();
      else return false;
      return true;
    case WM_TIMER:
      if (wParam != kUpdateTimerId) return false;
      OnTimer();
      return true;
    case WM_SETCURSOR:
      SavePositionIfMoved(GetSafeHwnd(), kBaudPositionKeys);
      return false;  // the pointer shape is set as usual
    case kArmUpdateTimerMessage:
      ArmUpdateTimer(static_cast<UINT>(wParam));
      return true;
    case kStopDisplayMessage:
      OnStop(wParam);
      return true;
    case kStartedMessage:
      OnStarted();
      return true;
  }
  return false;
}

void baud::PostNcDestroy() { g_hBaudWindow.store(nullptr); }

}  // namespace stats
