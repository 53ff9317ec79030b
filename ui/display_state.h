#pragma once
// What the display remembers between update steps. Written and read only on
// the display thread; g_dLastMacroFreq also outlives one display, so that a
// new display that finds the radio where the last macro left it sends none.
#include <optional>
#include <string>

#include "engine/display_snapshot.h"

namespace stats {

extern std::string g_strCurCall;  // the call last read from the host; empty when none
extern int g_nCurBand;            // band index of the host's frequency, -1 when none
extern double g_dLastMacroFreq;   // frequency (Hz) at which "<SP1>" was last sent

// The band rows' columns 1 to 3 as the last update step composed them, and
// the reset whose rows they fill (the count of resets at that step).
struct ShownColumns {
  AllBandColumns columns;
  std::optional<unsigned> ofReset;  // none before the first step
};
extern ShownColumns g_shownColumns;

// The band rows to paint: as the last reset seeded them, filled with the
// shown columns when no reset came since the step that composed them (a
// reset blanks them until the next step). Rows not yet seeded by a reset
// stay as they are.
PerBand ShownBandRows();

// Back to the values at load (tests).
void RestoreDisplayLoadState();

}  // namespace stats
