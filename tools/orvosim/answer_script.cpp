#include "answer_script.h"

#include <cctype>

#include "decimal_digits.h"
#include "script_lines.h"

namespace orvosim {
namespace {

std::string Unescape(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    switch (text[++i]) {
      case 'r': out += '\r'; break;
      case 'n': out += '\n'; break;
      case 't': out += '\t'; break;
      case '\\': out += '\\'; break;
      default:
        out += '\\';
        out += text[i];
        break;
    }
  }
  return out;
}

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

bool ParseControlId(std::string_view digits, int& id) { return ParseDigits(digits, 5, id); }

}  // namespace

bool ParseAnswerScript(std::string_view script, AnswerScript& answers, std::string& error) {
  answers = AnswerScript{};
  return ForEachScriptLine(script, [&](int lineNumber, std::string_view line) {
    const std::string word = Lower(line);
    if (line.empty() || line[0] == '#') return true;
    if (word == "ok" || word == "cancel") {
      answers.confirm = word == "ok";
      return true;
    }
    const std::size_t eq = line.find('=');
    ControlText entry;
    if (eq == std::string_view::npos || !ParseControlId(line.substr(0, eq), entry.id)) {
      error = "line " + std::to_string(lineNumber) + ": expected <id>=<text>, ok or cancel";
      return false;
    }
    entry.text = Unescape(line.substr(eq + 1));
    answers.texts.push_back(std::move(entry));
    return true;
  });
}

}  // namespace orvosim
