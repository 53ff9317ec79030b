#pragma once
// The update step's composition, free of windows and of the host: from the
// call and frequency read from the host and a snapshot of the contest state,
// the band rows, the current band, the captions, the Moscow ticks and
// whether "<SP1>" is due.
#include <string>

#include "engine/display_snapshot.h"
#include "ui/moscow_districts.h"

namespace stats {

inline constexpr const char* kBlankColumn = "   -";

// Band index of a frequency by whole MHz (1, 3, 7, 14, 21, 28); -1 for none.
int BandIndexOfFrequency(double hz);

// Band text of an index for the Moscow and RDA lines; see the .cpp for the
// text chosen for -1.
std::string BandTextForLines(int band);

// The call line, the same in both views of the RDA window's caption.
std::string ComposeCallLine(const std::string& year, const std::string& call, int russian);

struct CallPart {
  AllBandColumns columns;  // every column "   -" unless the call has a QSO there
  std::string callLine;    // empty when the call is empty
};
CallPart ComposeCallPart(const std::string& call, const DisplaySnapshot& snapshot);

struct FrequencyPart {
  bool sendMacro = false;
  double lastMacroFreq = 0.0;  // unchanged unless the macro is due
  int band = -1;
  std::string moscowLine;
  std::string rdaLine;
  MoscowTicks ticks{};  // all clear for band -1
};
// `snapshot` holds the lists of band BandIndexOfFrequency(hz).
FrequencyPart ComposeFrequencyPart(double hz, double lastMacroFreq,
                                   const DisplaySnapshot& snapshot);

}  // namespace stats
