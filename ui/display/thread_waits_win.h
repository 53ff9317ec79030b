#pragma once
// Waits of the module's two threads on each other.
//
// The host's thread waits for the display thread serving nothing at all:
// no sent message, no input, no timer of the host runs inside an export,
// so no export, nor the host's own unload, is ever entered while another
// waits, and a message another thread of the host sends meanwhile is
// handled once the export has returned. This holds because the display
// thread never makes a synchronous call into the host's thread: it posts
// to the courier, the system tells the host's thread of an activation
// change asynchronously, and an input queue the host shares with the
// display thread is let go of before the stop (attached_input_win.h).
//
// The display thread, waiting for the host's answer, keeps its windows
// live: it paints, takes clicks and moves, and handles the stop, but runs
// no timer, so no update step starts inside another (a loop the operator
// starts meanwhile may deliver one; the information window then leaves it).
#include <windows.h>

namespace stats {

// Milliseconds since `start` (a GetTickCount value), right across the
// counter's wrap after 49.7 days.
inline DWORD TicksSince(DWORD start) { return GetTickCount() - start; }

// Host's thread: waits until one of `handles` is signalled or `limitMs`
// have passed, serving nothing. Returns the index of the signalled handle,
// or -1 on time-out or failure.
int WaitServingNothing(const HANDLE* handles, DWORD count, DWORD limitMs);

// Display thread: one message, as the display's loop dispatches it.
void DispatchDisplayMessage(MSG& message);

// Display thread: the same, dispatching every message of the thread but
// its timers meanwhile (a menu or a move loop may run inside the dispatch).
int WaitWithWindowsLive(const HANDLE* handles, DWORD count, DWORD limitMs);

}  // namespace stats
