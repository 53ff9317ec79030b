#pragma once
// What the Moscow-districts and RDA windows share: a modeless dialog that
// opens wide enough for its longest caption, at its saved place with the
// module's icon, saves its place when the mouse pointer passes over it, and
// is only hidden, never closed, by Enter, Escape and the close box. The
// information window still refers to a hidden one and refreshes it; it ends
// the window for good by deleting the object, on the display thread.
#include <windows.h>

#include <string>
#include <vector>

#include "framework/dialog.h"
#include "ui/update_text.h"
#include "ui/window_position.h"

namespace stats {

class DistrictWindow : public CDialog {
 protected:
  // The window's own longest captions, one member of LongestCaptions.
  using CaptionsMember = std::vector<std::string> LongestCaptions::*;

  // `preferred` is where the window opens when no place was saved (a saved
  // 0 counts as none) and no other display window stands there; it opens
  // wide enough for each of its `captions`.
  DistrictWindow(UINT templateId, HWND parent, PositionKeys keys, ScreenPoint preferred,
                 CaptionsMember captions);

  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

  void Hide();

 private:
  PositionKeys m_keys;
  ScreenPoint m_preferred;
  CaptionsMember m_captions;
};

}  // namespace stats
