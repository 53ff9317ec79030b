#pragma once
// Waits of the module's two threads on each other. While one thread waits,
// the other may send it a message (a window's activation moving between
// them): those are served, so neither blocks the other. Nothing posted is
// dispatched: the host's input, timers and commands stay queued for the
// host's own loop, so no export is ever entered while another waits, and
// the display's timer never runs inside its own host call.
#include <windows.h>

#include <functional>

namespace stats {

// Milliseconds since `start` (a GetTickCount value), right across the
// counter's wrap after 49.7 days.
inline DWORD TicksSince(DWORD start) { return GetTickCount() - start; }

// Waits until one of `handles` is signalled, `ready` holds or `limitMs`
// have passed, serving only messages sent to this thread. Returns the index
// of the signalled handle, `count` when `ready` held, or -1 on time-out.
int WaitServingSentMessages(const HANDLE* handles, DWORD count, DWORD limitMs,
                            const std::function<bool()>& ready = {});

// The same for the display thread while the host answers it: its windows
// are also repainted meanwhile, so that a slow host leaves them drawn. No
// other message of the thread is dispatched (its timer would start another
// step inside this one).
int WaitServingSentMessagesAndPaint(const HANDLE* handles, DWORD count);

}  // namespace stats
