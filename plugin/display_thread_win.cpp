#include "plugin/display_thread_win.h"

#include <algorithm>
#include <atomic>
#include <memory>

#include "platform/fault_boundary.h"
#include "plugin/thread_exit_win.h"
#include "ui/baud_win.h"

namespace stats {
namespace {

constexpr DWORD kRefreshDelayMs = 330;
// How long the host's thread waits for the display to come up or to end.
constexpr DWORD kStopLimitMs = 5000;
// At unload the wait holds the loader's lock: keep it short.
constexpr DWORD kUnloadLimitMs = 1000;

// Set while the module is being unloaded: the display thread then lets go
// of the host link without calling the host, whose thread is in the loader.
std::atomic<bool> g_bUnloading{false};

// Waits for `handle`, or until `ready` holds, dispatching this thread's
// messages meanwhile: the display thread's start-up may call the host's
// automation object, which lives on the host's thread.
template <typename Ready>
bool WaitServingMessages(HANDLE handle, DWORD limitMs, Ready ready) {
  const ULONGLONG deadline = GetTickCount64() + limitMs;
  for (;;) {
    if (ready()) return true;
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return false;
    const DWORD slice = static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 20));
    const DWORD woke = MsgWaitForMultipleObjects(1, &handle, FALSE, slice, QS_ALLINPUT);
    if (woke == WAIT_OBJECT_0) return true;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        // The host's own loop must still see its quit: put it back and wait
        // on without serving messages.
        PostQuitMessage(static_cast<int>(message.wParam));
        const ULONGLONG left = deadline - std::min(deadline, GetTickCount64());
        return WaitForSingleObject(handle, static_cast<DWORD>(left)) == WAIT_OBJECT_0 || ready();
      }
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

void RunInformationWindow() {
  auto window = std::make_unique<baud>();
  g_pBaud.store(window.get());
  window->DoModal();
  // The district windows belong to this thread and go with it.
  CloseDistrictWindows();
  if (window->InitialisedCom()) {
    window->ReleaseHostLink(!g_bUnloading.load());
    if (!g_bUnloading.load()) CoUninitialize();
  }
  g_pBaud.store(nullptr);
  window.reset();
}

DWORD WINAPI DisplayThreadProc(void* done) {
  DWORD exitCode = 0;
  if (g_pBaud.load() != nullptr) {
    exitCode = 1;  // there is never a second information window
  } else {
    try {
      RunInformationWindow();
    } catch (...) {
      TraceCaughtFault("display thread");
      g_pBaud.store(nullptr);
    }
  }
  SignalAndExitThread(static_cast<HANDLE>(done), exitCode);
}

}  // namespace

DisplayThread& TheDisplayThread() {
  static DisplayThread thread;
  return thread;
}

bool DisplayThread::ThreadHasEnded() const {
  return !m_hThread || WaitForSingleObject(m_hThread.get(), 0) == WAIT_OBJECT_0;
}

void DisplayThread::Forget() {
  m_hThread.reset();
  m_hDone.reset();
  // A thread that was ended from outside (process exit) cleared nothing;
  // after a normal end there is nothing left to abandon.
  AbandonDisplayObjects();
  g_pBaud.store(nullptr);
  g_hBaudWindow.store(nullptr);
}

void DisplayThread::Start() {
  Stop();
  // A display that would not end keeps its place: never two windows.
  if (m_hThread) return;
  g_bUnloading.store(false);
  UniqueKernelObject done(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!done) return;
  UniqueKernelObject thread(CreateThread(nullptr, 0, &DisplayThreadProc, done.get(), 0, nullptr));
  if (!thread) return;  // no display; nothing is reported
  m_hDone = std::move(done);
  m_hThread = std::move(thread);
}

void DisplayThread::Stop() {
  if (ThreadHasEnded()) {
    Forget();
    return;
  }
  // A display still starting gets the time to make its window, so that the
  // stop has a target.
  WaitServingMessages(m_hThread.get(), kStopLimitMs,
                      [] { return g_hBaudWindow.load() != nullptr; });
  if (HWND window = g_hBaudWindow.load()) PostMessageW(window, kStopDisplayMessage, 0, 0);
  if (WaitServingMessages(m_hThread.get(), kStopLimitMs, [] { return false; })) Forget();
}

bool DisplayThread::IsOpen() { return g_pBaud.load() != nullptr; }

void DisplayThread::RequestRefresh() {
  if (HWND window = g_hBaudWindow.load()) {
    PostMessageW(window, kArmUpdateTimerMessage, kRefreshDelayMs, 0);
  }
}

void DisplayThread::StopForUnload(bool processExit) {
  if (processExit) {
    AbandonDisplayObjects();
    return;
  }
  if (ThreadHasEnded()) return;
  g_bUnloading.store(true);
  const ULONGLONG deadline = GetTickCount64() + kUnloadLimitMs;
  while (g_hBaudWindow.load() == nullptr && !ThreadHasEnded() && GetTickCount64() < deadline) {
    Sleep(10);  // a display still starting: its window is the target
  }
  if (HWND window = g_hBaudWindow.load()) PostMessageW(window, kStopDisplayMessage, 0, 0);
  // The thread sets the event only after its last instruction of the
  // module; ExitThread then waits for the loader's lock outside the module.
  if (WaitForSingleObject(m_hDone.get(), kUnloadLimitMs) != WAIT_OBJECT_0) {
    AbandonDisplayObjects();
  }
}

}  // namespace stats
