#include "ui/display/thread_waits_win.h"

namespace stats {
namespace {

// What wakes the display thread's wait: everything but its timers, which
// stay pending until its own loop runs again.
constexpr DWORD kLiveWake = QS_ALLINPUT & ~QS_TIMER;

// Dispatches what is queued, timers excepted. False when a quit message
// came, which is put back for the thread's own loop.
bool DispatchAllButTimers() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, WM_TIMER - 1, PM_REMOVE) ||
         PeekMessageW(&message, nullptr, WM_TIMER + 1, 0xFFFF, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return false;
    }
    DispatchDisplayMessage(message);
  }
  return true;
}

}  // namespace

void DispatchDisplayMessage(MSG& message) {
  // Keyboard navigation in the display's dialogs, as a dialog's own loop does.
  HWND root = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  if (root != nullptr && IsDialogMessageW(root, &message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

int WaitServingNothing(const HANDLE* handles, DWORD count, DWORD limitMs) {
  const DWORD woke = WaitForMultipleObjects(count, handles, FALSE, limitMs);
  return woke < WAIT_OBJECT_0 + count ? static_cast<int>(woke - WAIT_OBJECT_0) : -1;
}

int WaitWithWindowsLive(const HANDLE* handles, DWORD count, DWORD limitMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    // A handle signalled during the dispatch is seen before anything new.
    const int signalled = WaitServingNothing(handles, count, 0);
    if (signalled >= 0) return signalled;
    if (!DispatchAllButTimers()) return -1;
    const DWORD waited = TicksSince(start);
    if (waited >= limitMs) return -1;
    const DWORD woke = MsgWaitForMultipleObjects(count, handles, FALSE, limitMs - waited, kLiveWake);
    if (woke < WAIT_OBJECT_0 + count) return static_cast<int>(woke - WAIT_OBJECT_0);
    if (woke == WAIT_FAILED) return -1;
  }
}

}  // namespace stats
