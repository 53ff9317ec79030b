#pragma once
// A host may attach its input to the display thread (AttachThreadInput, the
// usual way to take the foreground back). The two threads then share one
// input queue, and an activation change on the display thread sends its
// messages to the host's window and waits for them: while the host's thread
// waits for the display to end, serving nothing, that wait would reach its
// bound.
#include <windows.h>

namespace stats {

// Display thread, at its stop: its input queue is its own again, whichever
// thread of the process attached it, in either direction. The display ends
// right after, so no attach the host made to a display that goes on is
// undone.
void LetGoOfAttachedInput();

}  // namespace stats
