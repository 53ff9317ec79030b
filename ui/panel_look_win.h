#pragma once
// What the three display windows share: the light-yellow look with black
// text, the module's icon, the saved position and its saving when the mouse
// pointer passes over the window.
#include <windows.h>

#include "ui/window_position.h"

namespace stats {

inline constexpr COLORREF kPanelColour = RGB(255, 250, 198);

// A WM_CTLCOLOR* message: black text on the panel colour, painted with
// `brush`. Returns what the dialog procedure returns for it.
INT_PTR ColourPanelControl(HDC dc, HBRUSH brush);
inline bool IsControlColourMessage(UINT message) {
  return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

// Icon 110, loaded once. Loading an icon takes the loader's lock, so the
// display's start loads it on the host's thread: the display thread then
// never needs that lock, which an unload holds while it waits for the
// display to end.
HICON ModuleIcon();

// Icon 110 as the window's big icon.
void SetModuleIcon(HWND window);

// Loads the window's saved place into the shared pair and moves the window
// there, keeping its size and z-order.
void MoveToSavedPosition(HWND window, PositionKeys keys, int fallbackX, int fallbackY);

// The window's corner against the shared pair (WM_SETCURSOR).
void SavePositionIfMoved(HWND window, PositionKeys keys);

}  // namespace stats
