#pragma once
// The RDA window's owner-drawn information button. It has no input of its
// own: it paints the district view or the call view of the display's state
// whenever its parent receives WM_DRAWITEM for it.
//
// Printing needs nothing extra: the system's button answers WM_PRINTCLIENT
// of an owner-drawn button by sending its parent WM_DRAWITEM with the given
// context, so PrintWindow and WM_PRINTCLIENT reach the same paint.
#include <windows.h>

#include <optional>

#include "platform/win32_handles.h"
#include "ui/rda_button_layout.h"

namespace stats {

class CCqWwInfoButton {
 public:
  // Binds the object to its control (the window's data exchange).
  void Attach(HWND button) { m_hWnd = button; }
  HWND GetSafeHwnd() const { return m_hWnd; }

  // Only hDC and rcItem are used: focus, press and selection changes redraw
  // the same picture, and the caption is never drawn.
  void DrawItem(const DRAWITEMSTRUCT& item) const;

 private:
  HWND m_hWnd = nullptr;  // the dialog's control; destroyed with the dialog
};

// The button's whole picture for the display's current state, composed off
// screen and copied to `dc` in one step. `item` is the button's client
// rectangle in dc's coordinates. Display thread only.
void PaintInfoButton(HDC dc, const RECT& item);

// The font the button's texts are drawn in, selected into `dc` for the
// object's life: the system's caption font (the window's only other text)
// at the context's resolution, so that the texts read as large as the
// caption at every display scale. When no font can be made the context
// keeps its own.
class InfoButtonFont {
 public:
  explicit InfoButtonFont(HDC dc);

 private:
  UniqueFont m_font;
  std::optional<SelectGuard> m_selected;  // put back before the font goes
};

// The measures of the context's current font.
TextMeasures MeasureCurrentFont(HDC dc);

// Draws a composed picture: its fills in order, then its texts in black
// over them with the context's current font.
void DrawButtonPicture(HDC dc, const ButtonPicture& picture);

}  // namespace stats
