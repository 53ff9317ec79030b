#pragma once
// Ends whatever loop of the system's own the display thread is in when its
// stop comes: an open menu (the system menu included), a move or size loop
// by mouse or keyboard, a mouse button held on a caption button or on a
// caption (loops that read only mouse messages and end only on the
// button's release), a message box. The stop is a sent notification, which
// every one of those loops handles when it next looks at its queue; the
// information window's handler calls this. Each loop would otherwise run on
// until the operator ends it, and keep the thread from ending with it.
#include <windows.h>

namespace stats {

// Display thread only. `ours` tells the display's own dialogs apart from
// another dialog of the thread (a message box), which is ended.
void EndThisThreadsModalLoops(bool (*ours)(HWND window));

}  // namespace stats
