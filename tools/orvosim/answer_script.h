#pragma once
// What the simulated operator types into the station dialog: lines
// "<control id>=<text>" (the text may carry \r, \n, \t and \\ escapes, so
// that a multi-line soapbox fits on one line), then "ok" or "cancel".
// Blank lines and lines starting with '#' are comments. Without a verdict
// line the dialog is confirmed.
#include <string>
#include <string_view>
#include <vector>

namespace orvosim {

struct ControlText {
  int id = 0;
  std::string text;  // the file's bytes, escapes resolved
};

struct AnswerScript {
  std::vector<ControlText> texts;
  bool confirm = true;
};

// False with "line N: ..." in `error` for a line of no known form.
bool ParseAnswerScript(std::string_view script, AnswerScript& answers, std::string& error);

}  // namespace orvosim
