#pragma once
// Ending a thread of the module so that no code of the module runs after the
// thread has said it is done: the module may be unmapped the moment the
// waiting thread sees the signal.
#include <windows.h>

namespace stats {

// Looks up the system functions the exit uses. Called at load: looking them
// up takes the loader's lock, which an unloading host holds while it waits
// for the signal.
void PrepareThreadExit();

// Sets `done`, then ends the calling thread with `exitCode`. The event is
// set by the system's own code, which returns straight into ExitThread.
[[noreturn]] void SignalAndExitThread(HANDLE done, DWORD exitCode);

}  // namespace stats
