#pragma once
// What the display thread needs of the contest state, copied under the state
// lock so that the display never reads the shared lists while the host's
// thread changes them, and never holds the lock while it paints or calls the
// host. Every function here takes the state lock (a ContestStateLock) itself,
// for as long as its own reads take.
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "engine/contest_state.h"

namespace stats {

// The last QSO logged with one call on one band.
struct LastQso {
  std::string time;  // "%H:%M" of the QSO's date-time (the date type's text when not valid)
  std::string rcvd;  // the exchange received
};

struct DisplaySnapshot {
  // The band rows as the last reset seeded them (empty before the first):
  // the columns composed from this snapshot fill these rows.
  PerBand seededRows;
  // Per band index: the last QSO with the call, in log order (exact,
  // case-sensitive match of call and band); empty when none or no call.
  std::array<std::optional<LastQso>, kBandCount> lastQso;
  // The band's lists as the result computation last rebuilt them; empty for
  // band -1.
  TextList moscowDistricts;
  std::size_t rdaCount = 0;
  // Without a call: the band's RDA districts in byte order (a sorted copy;
  // the shared list is left as it is). Empty with a call or for band -1.
  TextList sortedRdaDistricts;
  int russian = 0;
  std::string endYear;
};

// One copy for one update step: the call's last QSO per band (found through
// the log's index, not by scanning it), the seeded rows and the lists of
// `band` (-1: none). The copy of the RDA districts is sorted once the lock
// is released.
DisplaySnapshot TakeDisplaySnapshot(std::string_view call, int band);

// Columns 1 to 3 of each band row, as the update step fills them.
using BandColumns = std::array<std::string, 3>;
using AllBandColumns = std::array<BandColumns, kBandCount>;

}  // namespace stats
