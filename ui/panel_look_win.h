#pragma once
// What the three display windows share: the light-yellow look with black
// text, the module's icon, a caption bar wide enough for the caption, the
// place on the screen and its saving when the mouse pointer passes over the
// window.
#include <windows.h>

#include <cstddef>
#include <string>

#include "ui/window_position.h"

namespace stats {

inline constexpr COLORREF kPanelColour = RGB(255, 250, 198);

// The system's caption font, as the title bars draw it, its height in
// pixels at the system's resolution; false when the system does not say.
// The metrics are asked for in their Windows XP size: XP refuses the
// larger structure of later versions.
inline bool SystemCaptionFont(LOGFONTA& font) {
  NONCLIENTMETRICSA metrics{};
#if WINVER >= 0x0600
  metrics.cbSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
#else
  metrics.cbSize = sizeof metrics;
#endif
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) return false;
  font = metrics.lfCaptionFont;
  return true;
}

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

// Widens the window, keeping its left edge, until its caption bar holds
// `caption` whole in the system's caption font beside the icon and the
// caption buttons; never narrows it. The caption font follows the display's
// scale, the dialog's own size its font, so at some scales the template
// alone is too narrow.
void WidenToShowCaption(HWND window, const std::wstring& caption);

// Moves the window, keeping its size and z-order, to its saved place, kept
// on a screen (KeepOnScreen); with none saved, to the default place beside
// the display's windows already shown (DefaultPlace), `preferred` first.
// The shared pair then holds where the window stands, so the pointer
// passing over it writes nothing until it moves.
void MoveToSavedPosition(HWND window, PositionKeys keys, int preferredX, int preferredY);

// The window's corner against the shared pair (WM_SETCURSOR).
void SavePositionIfMoved(HWND window, PositionKeys keys);

}  // namespace stats
