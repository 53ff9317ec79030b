#pragma once
// The one reader of number settings: a value read through the host's
// 100-character settings buffer, then as one of the two readings the
// settings get.
#include <string_view>

namespace stats {

class Platform;

enum class NumberReading {
  // "Start": the number its leading decimal digits make, none read as 0; no
  // sign and no blank is a digit. Read to its ninth significant digit, so
  // that a long number never overflows to 0.
  kLeadingDigits,
  // The window places and the "RusObl" and "DXCC" flags: as the C library's
  // atoi (LeadingInt).
  kAtoi,
};

int ReadSettingNumber(Platform& platform, const char* key, NumberReading reading);

// The number a text starts with, as the C library's atoi reads it: white
// space skipped, one optional sign, then decimal digits, anything after
// them ignored; no digits read as 0. Beyond the range of int it gives the
// nearest end of the range, where the system's atoi wraps the number
// around (the C library leaves that case open): only a hand-edited
// settings file holds such a number, and its nearest end is the reading
// that keeps a huge position off the screen rather than anywhere.
int LeadingInt(std::string_view text);

}  // namespace stats
