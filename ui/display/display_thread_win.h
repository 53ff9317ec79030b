#pragma once
// The display thread: the one extra thread on which every window of the
// module lives. It runs the information window as a modal dialog, whose loop
// also serves the two district windows, and ends when that dialog ends.
#include <windows.h>

namespace stats {

// The thread's entry. `done` is an event the thread sets as its very last
// act in the module (it then ends in the system's code), so that whoever
// waits for it may unload the module at once.
DWORD WINAPI DisplayThreadProc(void* done);

}  // namespace stats
