#include "ui/display/thread_waits_win.h"

#include <algorithm>

namespace stats {
namespace {

// How often `ready` is looked at when nothing wakes the wait.
constexpr DWORD kPollMs = 10;

// Serves the messages other threads have sent to this one and removes
// nothing from the queue.
void ServeSentMessages() {
  MSG message;
  PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

void PaintWindows() {
  MSG message;
  while (PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageW(&message);
}

}  // namespace

int WaitServingSentMessagesAndPaint(const HANDLE* handles, DWORD count) {
  for (;;) {
    ServeSentMessages();
    PaintWindows();
    const DWORD woke = MsgWaitForMultipleObjects(count, handles, FALSE, INFINITE,
                                                 QS_SENDMESSAGE | QS_PAINT);
    if (woke < WAIT_OBJECT_0 + count) return static_cast<int>(woke - WAIT_OBJECT_0);
    if (woke == WAIT_FAILED) return -1;
  }
}

int WaitServingSentMessages(const HANDLE* handles, DWORD count, DWORD limitMs,
                            const std::function<bool()>& ready) {
  const DWORD start = GetTickCount();
  for (;;) {
    ServeSentMessages();
    if (ready && ready()) return static_cast<int>(count);
    const DWORD waited = TicksSince(start);
    if (waited >= limitMs) return -1;
    const DWORD slice = ready ? std::min(limitMs - waited, kPollMs) : limitMs - waited;
    const DWORD woke = MsgWaitForMultipleObjects(count, handles, FALSE, slice, QS_SENDMESSAGE);
    if (woke < WAIT_OBJECT_0 + count) return static_cast<int>(woke - WAIT_OBJECT_0);
    if (woke == WAIT_FAILED) Sleep(kPollMs);  // a closed handle: do not spin
  }
}

}  // namespace stats
