#include "ui/moscow_districts.h"

#include <array>
#include <cstdint>
#include <iterator>
#include <string_view>

#include "engine/moscow_table.h"

namespace stats {

namespace {

constexpr int kBoxWidth = 24;

// The grid as the resource script lays it out, read from the one list both
// share.
constexpr MoscowBox kBoxes[] = {
#define MOSCOW_BOX(code, id, x, y, height) {code, id, x, y, kBoxWidth, height},
#include "resources/moscow_grid.def"
#undef MOSCOW_BOX
};
static_assert(std::size(kBoxes) == kMoscowBoxCount);

// Every district code is two capital letters: one slot per such pair.
constexpr int kLetters = 26;

int PairSlot(std::string_view code) {
  if (code.size() != 2) return -1;
  const unsigned first = static_cast<unsigned char>(code[0]) - 'A';
  const unsigned second = static_cast<unsigned char>(code[1]) - 'A';
  if (first >= kLetters || second >= kLetters) return -1;
  return static_cast<int>(first * kLetters + second);
}

const std::array<int16_t, kLetters * kLetters>& FlagsByPair() {
  static const std::array<int16_t, kLetters* kLetters> flags = [] {
    std::array<int16_t, kLetters * kLetters> table;
    table.fill(-1);
    const std::span<const char* const> codes = MoscowFlagCodes();
    for (std::size_t flag = 0; flag < codes.size(); ++flag) {
      const int slot = PairSlot(codes[flag]);
      if (slot >= 0) table[slot] = static_cast<int16_t>(flag);
    }
    return table;
  }();
  return flags;
}

}  // namespace

std::span<const MoscowBox> MoscowBoxes() { return kBoxes; }

// The flags follow the district table's own order, so the table is the
// binding list.
std::span<const char* const> MoscowFlagCodes() {
  return {g_pszMoscowCodes, static_cast<std::size_t>(kMoscowFlagCount)};
}

const MoscowBox* FindMoscowBox(std::string_view code) {
  for (const MoscowBox& box : kBoxes) {
    if (code == box.code) return &box;
  }
  return nullptr;
}

int MoscowFlagOf(std::string_view code) {
  const int slot = PairSlot(code);
  return slot < 0 ? -1 : FlagsByPair()[slot];
}

}  // namespace stats
