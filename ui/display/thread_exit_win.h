#pragma once
// Ending a thread of the module so that no code of the module runs after the
// thread has said it is done: the module may be unmapped the moment the
// waiting thread sees the signal.
#include <windows.h>

#include <span>

namespace stats {

// Looks up the system functions the exit uses. Called at load: looking them
// up takes the loader's lock, which an unloading host holds while it waits
// for the signal.
void PrepareThreadExit();

// At most this many windows are left for the thread's exit to destroy.
inline constexpr size_t kMaxWindowsDestroyedAtExit = 4;

// Sets `done`, destroys `windows` (none of which may call the module's code
// any more: no dialog procedure, no procedure of the module's), then ends
// the calling thread with `exitCode`. Everything after the call is the
// system's own code, chained on the thread's stack: SetEvent returns into
// DestroyWindow, which returns into the next, the last into ExitThread. So
// the windows go (with whatever hide a window manager makes them wait for)
// while the module is already unmapped, and no wait for the signal includes
// them.
[[noreturn]] void SignalAndExitThread(HANDLE done, DWORD exitCode,
                                      std::span<const HWND> windows = {});

}  // namespace stats
