#pragma once
// The Moscow-districts window's boxes: the grid of template 106 (146 check
// boxes, each labelled with a district code) and the binding of the window's
// 138 district flags to boxes. The eight boxes of grid row 7 are bound to no
// flag: their codes are not districts, so nothing ever ticks or clears them.
#include <array>
#include <span>
#include <string_view>

namespace stats {

inline constexpr int kMoscowBoxCount = 146;
inline constexpr int kMoscowFlagCount = 138;

struct MoscowBox {
  const char* code;
  int id;                       // control id in template 106
  int x, y, width, height;      // dialog units
};

// Every box of the grid, row by row, left to right.
std::span<const MoscowBox> MoscowBoxes();

// Flag i is bound to the box labelled MoscowFlagCodes()[i].
std::span<const char* const> MoscowFlagCodes();

// The box that carries a code; null when none does.
const MoscowBox* FindMoscowBox(std::string_view code);

// Flag index of a district code, -1 when the code is bound to no flag.
int MoscowFlagOf(std::string_view code);

using MoscowTicks = std::array<bool, kMoscowFlagCount>;

}  // namespace stats
