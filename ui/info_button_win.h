#pragma once
// The RDA window's owner-drawn information button. It has no input of its
// own: it paints the district view or the call view of the display's state
// whenever its parent receives WM_DRAWITEM for it.
//
// Printing needs nothing extra: the system's button answers WM_PRINTCLIENT
// of an owner-drawn button by sending its parent WM_DRAWITEM with the given
// context, so PrintWindow and WM_PRINTCLIENT reach the same paint.
#include <windows.h>

#include "ui/info_button_layout.h"

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

// Draws a composed picture: its fills in order, then its texts in black
// over them with the context's current font.
void DrawButtonPicture(HDC dc, const ButtonPicture& picture);

}  // namespace stats
