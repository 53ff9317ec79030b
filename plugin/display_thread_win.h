#pragma once
// The display thread: the one extra thread on which every window of the
// module lives. It runs the information window as a modal dialog, whose loop
// also serves the two district windows, and ends when that dialog ends.
#include <windows.h>

#include "engine/display_port.h"
#include "platform/win32_handles.h"

namespace stats {

class DisplayThread : public DisplayPort {
 public:
  // Closes a shown display first; never makes a second information window.
  void Start() override;
  // Closes the windows and waits, serving this thread's messages, until the
  // display thread has ended; gives up after a few seconds rather than hang.
  void Stop() override;
  bool IsOpen() override;
  // Restarts the window's 330 ms update timer, on the display thread.
  void RequestRefresh() override;

  // The module is being unloaded. From FreeLibrary: asks the display to end
  // and waits briefly, without serving messages (the loader's lock is held),
  // until the thread has run its last instruction of the module. At process
  // exit the system has already ended the thread: nothing is waited for.
  void StopForUnload(bool processExit);

 private:
  bool ThreadHasEnded() const;
  void Forget();

  UniqueKernelObject m_hThread;  // the display thread while one may be running
  UniqueKernelObject m_hDone;   // set by the thread as its very last act
};

DisplayThread& TheDisplayThread();

}  // namespace stats
