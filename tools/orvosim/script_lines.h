#pragma once
// The simulator's scripts are read line by line: LF or CR LF ends a line,
// and lines are numbered from 1 for the error messages.
#include <cstddef>
#include <string_view>

namespace orvosim {

// Calls `visit(lineNumber, line)` for every line, the line end left out;
// stops at the first line for which `visit` returns false and returns false.
template <typename Visit>
bool ForEachScriptLine(std::string_view script, Visit&& visit) {
  int lineNumber = 0;
  std::size_t start = 0;
  while (start < script.size()) {
    std::size_t end = script.find('\n', start);
    if (end == std::string_view::npos) end = script.size();
    std::string_view line = script.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!visit(++lineNumber, line)) return false;
  }
  return true;
}

}  // namespace orvosim
