#pragma once
// Waiting on a thread that may own windows: messages sent to it from other
// threads (and COM calls into its apartment) are served while it waits.
#include <windows.h>

namespace orvosim {

// Dispatches this thread's messages until `handle` is signalled or the time
// is up; true when it was signalled.
bool PumpUntilSignalled(HANDLE handle, DWORD timeoutMs);

// Dispatches this thread's messages for `ms` milliseconds.
void PumpFor(DWORD ms);

}  // namespace orvosim
