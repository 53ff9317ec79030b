#pragma once
// The display thread: the one extra thread on which every window of the
// module lives. It creates the information window and runs its loop, which
// also serves the two district windows, and ends when that window's run
// ends.
#include <windows.h>

namespace stats {

// How the display thread ended: its window's run is over; it found an
// information window already there (there is never a second one); ended
// from outside at unload, as a last resort.
inline constexpr DWORD kDisplayEndedExitCode = 0;
inline constexpr DWORD kSecondWindowExitCode = 1;
inline constexpr DWORD kEndedFromOutsideExitCode = 2;

// The thread's entry. `done` is an event the thread sets as its very last
// act in the module (it then ends in the system's code), so that whoever
// waits for it may unload the module at once.
DWORD WINAPI DisplayThreadProc(void* done);

}  // namespace stats
