#include "message_pump_win.h"

namespace orvosim {
namespace {

void DispatchPending() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
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
    if (r == WAIT_OBJECT_0 + count) {
      DispatchPending();
      continue;
    }
    return false;  // time up, or the wait itself failed
  }
}

void PumpFor(DWORD ms) { PumpUntilSignalled(nullptr, ms); }

}  // namespace orvosim
