#pragma once
// Ends whatever loop of the system's own the display thread is in when its
// stop comes: an open menu (the system menu included), a move or size loop
// by mouse or keyboard, a captured mouse, a message box. Each of those loops
// dispatches the posted stop to the information window, whose handler calls
// this, but would otherwise run on until the operator ends it, and keep the
// thread from ending with it.
#include <windows.h>

namespace stats {

// Display thread only. `ours` tells the display's own dialogs apart from
// another dialog of the thread (a message box), which is ended.
void EndThisThreadsModalLoops(bool (*ours)(HWND window));

}  // namespace stats
