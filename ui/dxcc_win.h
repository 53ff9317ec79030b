#pragma once
// The RDA window: a modeless dialog (template 108) whose client area is
// taken by the information button. It has no commands; the update step sets
// its caption and repaints the button, and the window keeps its own place on
// the screen in the settings ("dxcc_x", "dxcc_y").
//
// Enter, Escape and the close box only hide the window: its owner still
// refers to it and refreshes it hidden. The owner ends it for good by
// deleting the object (or DestroyWindow), on the display thread.
#include <windows.h>

#include <string>

#include "framework/dialog.h"
#include "ui/info_button_win.h"

namespace stats {

class DXCC : public CDialog {
 public:
  explicit DXCC(HWND parent = nullptr);

  HWND Button() const { return m_button.GetSafeHwnd(); }

  // The caption, Windows-1251 text (the update step's lines).
  void SetCaption(const std::string& caption);

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(DataExchange& dx) override;
  void OnOK() override;
  void OnCancel() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  void Hide();
  void FitButtonToClient();

  CCqWwInfoButton m_button;
};

}  // namespace stats
