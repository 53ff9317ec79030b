#pragma once
// White space around a text, as the C locale knows it. Exchanges, settings
// lines and callsigns are trimmed alike, whatever locale the host process
// has set.
#include <string_view>

namespace stats {

// Blank, tab, CR, LF, vertical tab and form feed.
constexpr bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// The part of `text` between its leading and trailing white space.
constexpr std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace stats
