#pragma once
// The display's life as the rest of the module sees it: started by a
// command or the contest reset, nudged by the call check, stopped by a
// command or the unload. Every member runs on the host's thread, which
// also serves the host's automation object and unloads the module; their
// waits serve nothing (thread_waits_win.h), so nothing of the host runs
// inside them.
#include <windows.h>

#include "engine/display_port.h"
#include "platform/win32_handles.h"

namespace stats {

class DisplayLife : public DisplayPort {
 public:
  // Closes a shown display first; returns once the new information window
  // exists (or its thread has given up). Never makes a second window.
  void Start() override;
  // Closes the windows and waits until the display thread has ended; after
  // a few seconds gives up, with the windows at least hidden.
  void Stop() override;
  bool IsOpen() override;
  // Restarts the window's 330 ms update timer, on the display thread.
  void RequestRefresh() override;

  // The module is being unloaded (from inside the loader). From FreeLibrary
  // the display is ended within about a second and no thread of it runs
  // the module's code afterwards; at process exit the system has already
  // ended the thread and nothing is waited for.
  void StopForUnload(bool processExit);

 private:
  bool ThreadHasEnded() const;
  // Asks the display to end (`why`: kStopToHide or kStopForUnload); returns
  // once it has, or `limitMs` have passed.
  bool EndThread(DWORD limitMs, WPARAM why);
  void HideWindows() const;
  void Forget();

  UniqueKernelObject m_hThread;   // the display thread while one may be running
  UniqueKernelObject m_hDone;     // set by the thread as its very last act
  UniqueKernelObject m_hStarted;  // set by the thread once its window has started up
  DWORD m_threadId = 0;
  bool m_bStopping = false;  // a stop was asked of the thread: its timer is never armed again
};

DisplayLife& TheDisplay();

}  // namespace stats
