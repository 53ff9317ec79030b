#pragma once
// Waiting on a thread that may own windows: messages sent to it from other
// threads (and COM calls into its apartment) are served while it waits. A
// quit message ends any wait and stays queued for the thread's own loop.
#include <windows.h>

#include <functional>

namespace orvosim {

// Dispatches this thread's messages until `handle` is signalled or the time
// is up; true when it was signalled.
bool PumpUntilSignalled(HANDLE handle, DWORD timeoutMs);

// Dispatches this thread's messages for `ms` milliseconds.
void PumpFor(DWORD ms);

// Dispatches this thread's messages for `ms` milliseconds, and runs
// `onTimer` once from a thread timer due after `timerMs`: from its WM_TIMER,
// dispatched by this loop or by any loop nested in it. When the timer is
// late the wait lasts until it has fired.
void PumpForWithTimer(DWORD ms, DWORD timerMs, std::function<void()> onTimer);

}  // namespace orvosim
