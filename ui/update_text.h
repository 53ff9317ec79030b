#pragma once
// The update step's composition, free of windows and of the host: from the
// call and frequency read from the host and a snapshot of the contest state,
// the band rows, the current band, the captions, the Moscow ticks and
// whether "<SP1>" is due.
#include <string>
#include <vector>

#include "engine/display_snapshot.h"
#include "ui/moscow_districts.h"

namespace stats {

inline constexpr const char* kBlankColumn = "   -";

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

// The longest captions the update step gives each district window, in the
// contest's wording (Windows-1251 text), so that a window opens wide enough
// to show each: the lines on the band with the longest name, the Moscow
// count as long as the number of boxes, the RDA count of four digits, and
// the call line with a long portable call. Takes the state lock itself.
struct LongestCaptions {
  std::vector<std::string> moscowWindow;
  std::vector<std::string> rdaWindow;
};
LongestCaptions ComposeLongestCaptions();

}  // namespace stats
