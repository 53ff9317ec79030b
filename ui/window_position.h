#pragma once
// The saved screen positions of the three display windows. One last-position
// pair (g_nLastX, g_nLastY) is shared by all three: each window's start-up
// loads it with its own saved place, and each window, when the mouse pointer
// passes over it, writes its keys for every coordinate that differs from the
// pair.
#include <string>
#include <string_view>

namespace stats {

class Platform;

extern int g_nLastX;
extern int g_nLastY;

struct PositionKeys {
  const char* x;
  const char* y;
};
inline constexpr PositionKeys kBaudPositionKeys = {"baud_x", "baud_y"};
inline constexpr PositionKeys kOblastPositionKeys = {"oblast_x", "oblast_y"};
inline constexpr PositionKeys kDxccPositionKeys = {"dxcc_x", "dxcc_y"};

// Reads the window's keys (through the 100-character settings buffer, as
// the C library's atoi reads them) into the shared pair; a coordinate that
// reads 0 becomes its fallback (0 keeps it 0). Returns the pair.
struct ScreenPoint {
  int x, y;
};
ScreenPoint LoadWindowPosition(Platform& platform, PositionKeys keys, int fallbackX,
                               int fallbackY);

// Writes each coordinate of the window's corner that differs from the shared
// pair, in full decimal text, and keeps it in the pair.
void SaveWindowPositionIfMoved(Platform& platform, PositionKeys keys, int left, int top);

// A settings value read as the host's 100-byte buffer and atoi would read it.
int ReadSettingNumber(Platform& platform, const char* key);

// The number a text starts with, as the C library's atoi reads it: white
// space skipped, one optional sign, then decimal digits, anything after
// them ignored; no digits read as 0. Beyond the range of int it gives the
// nearest end of the range, where the system's atoi wraps the number
// around (the C library leaves that case open): only a hand-edited
// settings file holds such a number, and its nearest end is the reading
// that keeps a huge position off the screen rather than anywhere.
int LeadingInt(std::string_view text);

}  // namespace stats
