#pragma once
// What a test can see of an open dialog: caption, styles, the size and
// place of every control in pixels, texts, list entries and labels.
#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace dialog_test {

struct ControlState {
  bool exists = false;
  std::string className;
  std::string text;
  LONG style = 0;
  RECT rect{};  // in the dialog's client coordinates
  std::vector<std::string> entries;  // combo boxes: the list
};

struct DialogState {
  bool found = false;
  std::string caption;
  LONG style = 0;
  SIZE client{};
  // Pixels per 4 horizontal and per 8 vertical dialog units.
  int baseX = 0, baseY = 0;
  std::map<int, ControlState> controls;
  std::map<std::string, bool> labelsEnabled;  // static texts by text
};

// Reads the dialog (it must stay open meanwhile); `ids` are the controls
// of interest.
DialogState ProbeDialog(HWND dialog, const std::vector<int>& ids);

// A template rectangle (x, y, width, height in dialog units) in pixels, as
// the system places the control.
RECT TemplateRectToPixels(const DialogState& state, int x, int y, int width, int height);

}  // namespace dialog_test
