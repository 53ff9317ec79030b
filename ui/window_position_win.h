#pragma once
// The display windows' places on the screen, the Win32 side of
// window_position.h: a window moved to its saved place (or a default one
// beside the display's other windows) at its start-up, and its place saved
// when the mouse pointer passes over it.
#include <windows.h>

#include "ui/window_position.h"

namespace stats {

// Moves the window, keeping its size and z-order, to its saved place, kept
// on a screen (KeepOnScreen); with none saved, to the default place beside
// the display's windows already shown (DefaultPlace), `preferred` first.
// The shared pair then holds where the window stands, so the pointer
// passing over it writes nothing until it moves.
void MoveToSavedPosition(HWND window, PositionKeys keys, int preferredX, int preferredY);

// The window's corner against the shared pair (WM_SETCURSOR).
void SavePositionIfMoved(HWND window, PositionKeys keys);

}  // namespace stats
