#pragma once
// How the three display windows look: black text on the panel colour, the
// module's icon, and a caption bar wide enough for the caption. Where they
// stand is window_position_win.h's.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "ui/panel_colour.h"

namespace stats {

// A colour of the window-free pictures (0x00RRGGBB) as GDI takes it.
constexpr COLORREF ColorRefOf(uint32_t rgb) {
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

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

}  // namespace stats
