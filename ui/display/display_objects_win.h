#pragma once
// The display's objects, shared by its thread, which makes and owns them,
// and the host's thread, which may only read the two atomics and post to
// the window: the information window and the two district windows it opens.
#include <windows.h>

#include <atomic>
#include <memory>

namespace stats {

class baud;
class oblast;
class DXCC;

// Messages the host's thread posts or sends to the information window; their
// handlers run on the display thread, which owns the timer and the windows.
inline constexpr UINT kArmUpdateTimerMessage = WM_APP + 1;  // wParam: delay in ms
// The update step runs this long after a call check, and again after a
// step the host left unanswered.
inline constexpr UINT kRefreshDelayMs = 330;
// Sent as a notification, so that whatever loop the display thread is in
// handles it when it next looks at its queue, even a loop that takes only
// mouse messages. wParam: why the display stops.
inline constexpr UINT kStopDisplayMessage = WM_APP + 2;
inline constexpr WPARAM kStopToHide = 0;     // "HIDEINFO", a restart: the windows go away
inline constexpr WPARAM kStopForUnload = 1;  // the module goes: the thread's end takes them
// Posted by the window to itself at the end of its start-up, so that it
// arrives once the window's loop runs.
inline constexpr UINT kStartedMessage = WM_APP + 3;
inline constexpr UINT_PTR kUpdateTimerId = 1500;

// The information window while the display thread owns one; null otherwise.
extern std::atomic<baud*> g_pBaud;
// Its window once its start-up is done (the target of the host thread's
// messages); null before and after it is gone.
extern std::atomic<HWND> g_hBaudWindow;
// Set by the display thread once its window has started up; made by the
// host's thread before it starts the display.
extern std::atomic<HANDLE> g_hDisplayStarted;

// The information window has started up: it becomes the target of the
// host thread's messages, and the display's start may return.
void AnnounceStarted(HWND window);

// The two windows the information window opened; null when not open.
// Display thread only; each object is deleted exactly once, by its owner.
extern std::unique_ptr<oblast> g_pOblast;
extern std::unique_ptr<DXCC> g_pDxcc;

// Destroys the Moscow-districts and RDA windows (display thread).
void CloseDistrictWindows();

// Display thread, from each display window's handler: once the
// information window's stop has come (or there is none), what a loop of the
// system's that the stop ended does as it returns (a close box's close, a
// maximize box's maximize, a caption's system menu) is dropped. True when
// `message` is such a command, with the handler's result set.
bool DroppedAfterTheStop(UINT message, INT_PTR& result);

// The display thread is gone without cleaning up (the process is ending, or
// it was ended from outside): its objects are left as they are, so that no
// destructor at unload touches another thread's windows.
void AbandonDisplayObjects();

}  // namespace stats
