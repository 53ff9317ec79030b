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
  // A loop that holds the mouse: a move or size loop, or a button held on a
  // caption button or a caption. Some systems end a move loop when the
  // capture goes, others only on Escape, which reaches the loop as a
  // message of the thread (the window it moves may be gone by then). A
  // button's loop reads only mouse messages and ends on the button's
  // release: one is posted for each button. Where no loop takes them, the
  // key goes to no window and the releases to a window of the display that
  // ignores them; what a loop does as it ends (a close, a maximize, a menu)
  // the stopped windows drop.
  HWND captured = GetCapture();
  if (captured != nullptr && GetWindowThreadProcessId(captured, nullptr) == GetCurrentThreadId()) {
    PostThreadMessageW(GetCurrentThreadId(), WM_KEYDOWN, VK_ESCAPE, 0);
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(captured, &cursor);
    const LPARAM at = MAKELPARAM(cursor.x, cursor.y);
    PostMessageW(captured, WM_LBUTTONUP, 0, at);
    PostMessageW(captured, WM_RBUTTONUP, 0, at);
    ReleaseCapture();
  }
  // A message box, or any other dialog not the display's own.
  EnumThreadWindows(GetCurrentThreadId(), &EndForeignDialog, reinterpret_cast<LPARAM>(ours));
}

}  // namespace stats
