#pragma once
// What the display remembers between update steps. Written and read only on
// the display thread; g_dLastMacroFreq also outlives one display, so that a
// new display that finds the radio where the last macro left it sends none.
#include <string>

#include "ui/button_content.h"

namespace stats {

extern std::string g_strCurCall;  // the call last read from the host; empty when none
extern int g_nCurBand;            // band index of the host's frequency, -1 when none
extern double g_dLastMacroFreq;   // frequency (Hz) at which "<SP1>" was last sent

// What the RDA window's button shows, as the last update step handed it
// over; null before the first step (an empty district view).
extern SharedButtonContent g_buttonContent;

// Test hook (tests; the module never calls it): back to the values at load.
void RestoreDisplayLoadState();

}  // namespace stats
