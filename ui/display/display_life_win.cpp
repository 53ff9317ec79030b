#include "ui/display/display_life_win.h"

#include "ui/display/attached_input_win.h"
#include "ui/display/display_objects_win.h"
#include "ui/display/display_thread_win.h"
#include "ui/display/host_courier_win.h"
#include "ui/display/last_resort_win.h"
#include "ui/display/thread_waits_win.h"
#include "ui/panel_look_win.h"

namespace stats {
namespace {

// How long the host's thread waits for the display to come up or to end.
// The stop ends whatever loop the display thread is in, so these bounds are
// reached only by a display thread stuck where no message reaches it.
constexpr DWORD kStartLimitMs = 5000;
constexpr DWORD kStopLimitMs = 5000;
// At unload the wait holds the loader's lock: keep it short.
constexpr DWORD kUnloadLimitMs = 1000;
// How long a thread ended from outside is given to be gone.
constexpr DWORD kTerminateLimitMs = 200;

// Made at load, so that no first use has to be guarded between threads.
DisplayLife g_display;

BOOL CALLBACK HideOneWindow(HWND window, LPARAM) {
  ShowWindowAsync(window, SW_HIDE);
  return TRUE;
}

}  // namespace

DisplayLife& TheDisplay() { return g_display; }

bool DisplayLife::ThreadHasEnded() const {
  return !m_hThread || WaitForSingleObject(m_hThread.get(), 0) == WAIT_OBJECT_0;
}

void DisplayLife::Forget() {
  m_hThread.reset();
  m_hDone.reset();
  m_threadId = 0;
  m_bStopping = false;
  // A thread ended from outside cleared nothing; after a normal end there
  // is nothing left to abandon.
  AbandonDisplayObjects();
}

void DisplayLife::Start() {
  Stop();
  // A display that would not end keeps its place: never two windows.
  if (m_hThread) return;
  TheHostCourier().Open();  // without it the display finds no host
  TheHostCourier().Resume();
  ModuleIcon();  // loaded here, where the loader's lock may be taken
  if (!m_hStarted) m_hStarted.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  UniqueKernelObject done(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!done || !m_hStarted) return;
  ResetEvent(m_hStarted.get());
  g_hDisplayStarted.store(m_hStarted.get());
  DWORD threadId = 0;
  UniqueKernelObject thread(
      CreateThread(nullptr, 0, &DisplayThreadProc, done.get(), 0, &threadId));
  if (!thread) return;  // no display; nothing is reported
  m_hDone = std::move(done);
  m_hThread = std::move(thread);
  m_threadId = threadId;
  // Until the window has started up, the thread may still need the
  // loader's lock (its own start, the first show of its window): an
  // unload in that moment could not wait for it. The host cannot unload
  // while this export runs.
  const HANDLE handles[] = {m_hStarted.get(), m_hThread.get()};
  if (WaitServingNothing(handles, 2, kStartLimitMs) < 0) {
    NoteLastResort("the display did not start up in time");
  }
}

bool DisplayLife::EndThread(DWORD limitMs, WPARAM why) {
  const DWORD start = GetTickCount();
  m_bStopping = true;
  // Any host call of the display ends now; its step ends where it is.
  TheHostCourier().Cancel();
  // A display still starting gets the time to make its window, the target
  // of the stop.
  const HANDLE starting[] = {m_hStarted.get(), m_hDone.get(), m_hThread.get()};
  WaitServingNothing(starting, 3, limitMs);
  // The host's input attached to the display thread (by this thread or by
  // the courier's, the host's window thread) is let go of before anything
  // on the display thread can change the activation.
  DetachedInput detached(m_threadId, {GetCurrentThreadId(), TheHostCourier().ThreadId()});
  // Sent as a notification: it reaches the thread from any loop, also one
  // that takes only mouse messages, and the host's thread goes on at once.
  if (HWND window = g_hBaudWindow.load()) SendNotifyMessageW(window, kStopDisplayMessage, why, 0);
  const DWORD waited = TicksSince(start);
  const HANDLE ending[] = {m_hDone.get(), m_hThread.get()};
  if (WaitServingNothing(ending, 2, limitMs > waited ? limitMs - waited : 0) >= 0) return true;
  NoteLastResort("the display thread did not end in time");
  detached.Restore();  // the display goes on as the host left it
  return false;
}

void DisplayLife::Stop() {
  if (!ThreadHasEnded() && !EndThread(kStopLimitMs, kStopToHide)) {
    // The thread keeps its place (never two windows), but shows nothing,
    // and nothing arms its timer again.
    HideWindows();
    return;
  }
  Forget();
}

void DisplayLife::HideWindows() const {
  if (m_threadId != 0) EnumThreadWindows(m_threadId, &HideOneWindow, 0);
}

bool DisplayLife::IsOpen() { return g_pBaud.load() != nullptr; }

void DisplayLife::RequestRefresh() {
  if (m_bStopping) return;  // a stop stays a stop
  if (HWND window = g_hBaudWindow.load()) {
    PostMessageW(window, kArmUpdateTimerMessage, kRefreshDelayMs, 0);
  }
}

void DisplayLife::StopForUnload(bool processExit) {
  if (processExit) {
    // The system has ended the display thread already; its windows and the
    // courier are the process's to take down.
    AbandonDisplayObjects();
    return;
  }
  // First of all: the module may be going while the courier's thread is on
  // its way into the courier, which from here calls none of its code.
  TheHostCourier().LetGoOfModule();
  if (!ThreadHasEnded() && !EndThread(kUnloadLimitMs, kStopForUnload)) {
    // Stuck where no stop reaches it (waiting for the loader's lock, which
    // this thread holds): it must not run on in an unmapped module. The
    // system takes its windows down with it.
    NoteLastResort("the display thread was ended from outside");
    TerminateThread(m_hThread.get(), kEndedFromOutsideExitCode);
    WaitForSingleObject(m_hThread.get(), kTerminateLimitMs);
  }
  Forget();
  g_hDisplayStarted.store(nullptr);
  TheHostCourier().Close();
}

}  // namespace stats
