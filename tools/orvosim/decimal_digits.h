#pragma once
// Plain decimal numbers in the simulator's inputs (ADIF fields, scripts,
// dates): digits and nothing else. std::from_chars alone would take a
// leading minus for signed types; the digit check refuses signs, blanks and
// an empty text before it reads.
#include <algorithm>
#include <charconv>
#include <cstddef>
#include <string_view>
#include <system_error>

namespace orvosim {

// At least one character, every one of them '0' to '9'.
inline bool IsDigitRun(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The value of a run of at most `maxDigits` digits; false (and `value` left
// alone) for anything else or a value that does not fit.
template <typename Number>
bool ParseDigits(std::string_view text, std::size_t maxDigits, Number& value) {
  if (text.size() > maxDigits || !IsDigitRun(text)) return false;
  Number read{};
  if (std::from_chars(text.data(), text.data() + text.size(), read).ec != std::errc()) {
    return false;
  }
  value = read;
  return true;
}

}  // namespace orvosim
