#include "message_pump_win.h"

#include <utility>
#include <vector>

namespace orvosim {
namespace {

// How much longer than asked a wait goes on for its timer before it runs
// the timer's work itself.
constexpr DWORD kLateTimerMs = 5000;

// False once a quit message came; it is posted again for the thread's loop.
bool DispatchPending() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return false;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return true;
}

// Dispatches until `done` holds or the time is up; true when it held.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (done()) return true;
    const DWORD spent = GetTickCount() - start;
    if (spent >= timeoutMs) return false;
    const DWORD r = MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - spent, QS_ALLINPUT);
    if (r != WAIT_OBJECT_0 || !DispatchPending()) return done();
  }
}

// The thread timers of PumpForWithTimer on this thread (waits nest, so
// there can be several) and the work each is to run.
struct PendingTimer {
  UINT_PTR id;
  std::function<void()> work;
  bool fired;
};
thread_local std::vector<PendingTimer>* t_timers = nullptr;

PendingTimer* FindTimer(UINT_PTR id) {
  if (t_timers == nullptr) return nullptr;
  for (PendingTimer& t : *t_timers) {
    if (t.id == id) return &t;
  }
  return nullptr;
}

void CALLBACK OnThreadTimer(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  PendingTimer* timer = FindTimer(id);
  if (timer == nullptr || timer->fired) return;
  timer->fired = true;
  // The work may start another wait that adds timers: run it from a copy.
  std::function<void()> work = std::move(timer->work);
  if (work) work();
}

}  // namespace

bool PumpUntilSignalled(HANDLE handle, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    const DWORD spent = GetTickCount() - start;
    const DWORD left = spent >= timeoutMs ? 0 : timeoutMs - spent;
    const DWORD count = handle == nullptr ? 0 : 1;
    const DWORD r = MsgWaitForMultipleObjects(count, &handle, FALSE, left, QS_ALLINPUT);
    if (count == 1 && r == WAIT_OBJECT_0) return true;
    if (r == WAIT_OBJECT_0 + count && DispatchPending()) continue;
    return false;  // time up, a quit message, or the wait itself failed
  }
}

void PumpFor(DWORD ms) { PumpUntilSignalled(nullptr, ms); }

void PumpForWithTimer(DWORD ms, DWORD timerMs, std::function<void()> onTimer) {
  std::vector<PendingTimer> own;
  if (t_timers == nullptr) t_timers = &own;
  std::vector<PendingTimer>& timers = *t_timers;
  const UINT_PTR id = SetTimer(nullptr, 0, timerMs, &OnThreadTimer);
  timers.push_back({id, std::move(onTimer), false});
  auto fired = [id] { return FindTimer(id)->fired; };
  const DWORD start = GetTickCount();
  PumpFor(ms);
  const DWORD spent = GetTickCount() - start;
  if (!fired()) PumpUntil(fired, spent < ms ? ms - spent + kLateTimerMs : kLateTimerMs);
  if (!fired()) {
    // No loop dispatched the timer in time (a quit ended the wait): the
    // work still runs inside the wait.
    KillTimer(nullptr, id);
    PendingTimer* timer = FindTimer(id);
    timer->fired = true;
    std::function<void()> work = std::move(timer->work);
    if (work) work();
  }
  for (auto it = timers.begin(); it != timers.end(); ++it) {
    if (it->id == id) {
      timers.erase(it);
      break;
    }
  }
  if (t_timers == &own) t_timers = nullptr;
}

}  // namespace orvosim
