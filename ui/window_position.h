#pragma once
// The saved screen positions of the three display windows, and the rules
// that put a window on the screen. One last-position pair (g_nLastX,
// g_nLastY) is shared by all three: each window's start-up loads it with
// its own place, and each window, when the mouse pointer passes over it,
// writes its keys for every coordinate that differs from the pair.
#include <string>
#include <vector>

#include "engine/setting_number.h"

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

struct ScreenPoint {
  int x, y;
};

// Screen pixels; right and bottom lie just outside.
struct ScreenRect {
  int left, top, right, bottom;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

struct SavedPlace {
  ScreenPoint point;
  bool saved;  // at least one coordinate came from the settings
};

// Reads the window's keys (through the 100-character settings buffer, as
// the C library's atoi reads them) into the shared pair; a coordinate that
// reads 0 becomes its fallback (0 keeps it 0). Returns the pair, and
// whether either coordinate was saved.
SavedPlace LoadWindowPosition(Platform& platform, PositionKeys keys, int fallbackX,
                              int fallbackY);

// Where a window with a saved place stands. It stays where it was while a
// part of its caption strip (the top `captionHeight` pixels) at least as
// wide as the strip is high lies in one of the screens' work areas, so
// that the operator can take it there. Otherwise (its screen was removed,
// or is smaller now) it moves the shortest way into the work area nearest
// to it: whole where it fits, with its top-left corner in the area where
// it does not. With no work area known it stays.
ScreenPoint KeepOnScreen(const ScreenRect& window, int captionHeight,
                         const std::vector<ScreenRect>& workAreas);

// Where a window with no saved place opens, given its size: at `preferred`
// when it covers none of `others` (the display's windows already shown)
// there; else at the place nearest `preferred`, right of or below one of
// the others, `kWindowGap` apart, where it covers none of them and lies
// whole in one work area. When no such place exists, at `preferred`.
inline constexpr int kWindowGap = 6;
ScreenPoint DefaultPlace(int width, int height, ScreenPoint preferred,
                         const std::vector<ScreenRect>& others,
                         const std::vector<ScreenRect>& workAreas);

// Writes each coordinate of the window's corner that differs from the shared
// pair, in full decimal text, and keeps it in the pair.
void SaveWindowPositionIfMoved(Platform& platform, PositionKeys keys, int left, int top);

}  // namespace stats
