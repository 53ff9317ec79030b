#include "ui/display/modal_loops_win.h"

#include <cstring>

namespace stats {
namespace {

bool IsDialogWindow(HWND window) {
  char className[8] = {};
  return GetClassNameA(window, className, sizeof className) != 0 &&
         std::strcmp(className, "#32770") == 0;
}

BOOL CALLBACK EndForeignDialog(HWND window, LPARAM ours) {
  const auto isOurs = reinterpret_cast<bool (*)(HWND)>(ours);
  if (IsDialogWindow(window) && !isOurs(window)) EndDialog(window, IDCANCEL);
  return TRUE;
}

}  // namespace

void EndThisThreadsModalLoops(bool (*ours)(HWND window)) {
  // A menu: EndMenu closes every level of the thread's open menu.
  EndMenu();
  // A move or size loop holds the mouse. Some systems end it when the
  // capture goes, others only on Escape, which reaches the loop as a
  // message of the thread (the window it moves may be gone by then);
  // where no loop takes it, the key goes to no window.
  if (GetCapture() != nullptr) {
    PostThreadMessageW(GetCurrentThreadId(), WM_KEYDOWN, VK_ESCAPE, 0);
    ReleaseCapture();
  }
  // A message box, or any other dialog not the display's own.
  EnumThreadWindows(GetCurrentThreadId(), &EndForeignDialog, reinterpret_cast<LPARAM>(ours));
}

}  // namespace stats
