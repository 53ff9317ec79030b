#pragma once
// The courier's window procedure, which lives outside the module.
//
// The courier is a window on a thread of the host, which may unload the
// module from another thread at any moment: between a request's message
// being queued and served, the host's thread may already be on its way
// into the procedure when the module goes. Code of the module cannot pin
// the module before its first instruction runs, and taking a reference
// waits for the loader's lock, which the unloading thread holds until the
// module is unmapped. So the procedure is a few instructions in memory of
// its own, outside the module's image:
//   - it takes a reference to the module (GetModuleHandleEx) before it calls
//     any code of the module, and lets go of it (FreeLibrary) only after the
//     module's code has returned, so the module stays mapped for the call,
//     and an unload from inside the call happens in that FreeLibrary;
//   - once the module has let go of it (its unload), and whenever taking the
//     reference fails, it only passes messages to the system
//     (DefWindowProc), and calls no code of the module;
//   - it frees its own memory after its last instruction, once its window
//     is destroyed and the module has let go of it, through VirtualFree
//     returning straight to the caller.
#include <windows.h>

namespace stats {

class CourierProc {
 public:
  // Makes a procedure that hands `serveMessage` to `serve` (module code)
  // under a reference to the module and every other message to
  // DefWindowProc; null when no memory or system function can be had.
  static CourierProc* Make(UINT serveMessage, WNDPROC serve);

  WNDPROC Procedure() const;

  // Any thread: from now on the procedure calls no code of the module.
  void LetGoOfModule();

  // The module lets go of the procedure and of its window (on any thread),
  // as LetGoOfModule does. The window is destroyed at once on its own
  // thread, otherwise closed when its thread next serves its messages; the
  // memory goes with the window, at once for a procedure no window took
  // (`window` null). The object must not be used afterwards.
  void LetGo(HWND window);

 private:
  CourierProc() = default;
};

}  // namespace stats
