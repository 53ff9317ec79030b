#pragma once
// Bands for the tests, native and of the real DLL, that need "a refused
// band" or "a scored band" and no band in particular: taken from the rules,
// so that a change to which bands are scored fails only the tests that pin
// it.
#include "engine/contest_rules.h"

// The text of the rules' first band whose QSOs are scored (`scored`) or
// refused. The table's texts are literals: each ends in its terminator.
constexpr const char* FirstBandScored(bool scored) {
  for (const stats::BandRule& band : stats::kBands) {
    if (band.scored == scored) return band.text.data();
  }
  return nullptr;
}

inline constexpr const char* kRefusedBand = FirstBandScored(false);
inline constexpr const char* kScoredBand = FirstBandScored(true);
static_assert(kRefusedBand != nullptr && kScoredBand != nullptr,
              "the tests need a refused and a scored band");
