#include "ui/display_state.h"

#include <algorithm>
#include <utility>

namespace stats {

std::string g_strCurCall;
int g_nCurBand = -1;
double g_dLastMacroFreq = 0.0;
ShownColumns g_shownColumns;

namespace {

// A row seeded by the reset holds the band and its three display columns.
constexpr std::size_t kRowColumns = 4;

}  // namespace

PerBand ShownBandRows() {
  SeededRows seeded = CopyBandRows();
  if (g_shownColumns.ofReset != seeded.resets) return std::move(seeded.rows);
  for (int slot = 0; slot < kBandCount; ++slot) {
    TextList& row = seeded.rows[slot];
    if (row.size() < kRowColumns) continue;
    const BandColumns& columns = g_shownColumns.columns[slot];
    std::copy(columns.begin(), columns.end(), row.begin() + 1);
  }
  return std::move(seeded.rows);
}

void RestoreDisplayLoadState() {
  g_strCurCall.clear();
  g_nCurBand = -1;
  g_dLastMacroFreq = 0.0;
  g_shownColumns = {};
}

}  // namespace stats
