#pragma once
// The contest's rules as data: its name and mode, the prefixes that change
// what a station sends or reads, the bands, the points, what makes a call a
// Moscow station's, the exchange, the tour and what makes a QSO a repeat,
// and the texts the host and the Cabrillo file get that depend on the
// contest. Every file that needs one of these facts reads it from here, and
// no comment elsewhere restates one.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <string_view>

#include "engine/contest_name.h"

namespace stats {

inline constexpr std::string_view kContestName = STATS_CONTEST_NAME;
// The only mode a QSO may have, as the host passes it.
inline constexpr std::string_view kContestMode = "RTTY";

// What the display sends the host's macro interpreter when it starts: the
// contest's mode, then (only when the host took that) its baud rate.
inline constexpr const char* kHostModeMacro = "<MODE:RTTY>";
inline constexpr const char* kHostBaudRateMacro = "<BAUDRATE:45.45>";

// The Cabrillo file: the mode of a QSO line, and the header's mode category.
inline constexpr std::string_view kCabrilloMode = "RY";
inline constexpr std::string_view kCabrilloCategoryMode = "DIGI";

// Points of a QSO: across the Moscow boundary (a Moscow station with one
// outside Moscow, or the other way round), and within one side of it.
inline constexpr int kPointsAcrossMoscowBoundary = 5;
inline constexpr int kPointsWithinOneSide = 1;

// A call is a Moscow station's when a fragment, one of these digits followed
// by one of these letters, stands in it at this index or later, and does not
// also stand earlier in it.
inline constexpr std::string_view kMoscowFragmentDigits = "235";
inline constexpr std::string_view kMoscowFragmentLetters = "ABC";
inline constexpr std::size_t kMoscowFragmentFrom = 1;

// What a station outside the district senders sends: a serial number of one
// to this many digits. The report the rules expect is never an exchange (it
// was typed into the wrong field).
inline constexpr std::size_t kSerialNumberMaxDigits = 4;
inline constexpr std::string_view kExpectedReport = "599";

// The tours: the day's clock hours in tours of this many hours, from 00:00
// UTC. A QSO repeats an earlier one when the parts of the key marked here
// are the same.
inline constexpr int kTourHours = 1;
struct RepeatKey {
  bool call, band, mode, tour;
};
inline constexpr RepeatKey kRepeatKey = {true, true, true, true};

// The tour of an hour of the day.
constexpr int TourOfHour(int hour) { return hour / kTourHours; }

// Country prefixes of the stations that send a district (Moscow or RDA)
// instead of a serial number.
inline constexpr std::array<std::string_view, 3> kDistrictPrefixes = {"UA", "UA2", "UA9"};
// Own country prefixes that select the Russian wording of every text.
inline constexpr std::array<std::string_view, 6> kRussianWordingPrefixes = {"UA", "UA2", "UA9",
                                                                            "UR", "UN",  "EU"};

struct BandRule {
  std::string_view text;  // as the host passes it
  // A frequency is on the band when its whole megahertz are this many; 0:
  // the display never names the band.
  int megahertz;
  bool scored;    // false: a QSO on it is refused
  bool drawnRow;  // the RDA button's call view gives it a row
  // The station dialog's CATEGORY-BAND choice for it; empty: none.
  std::string_view cabrilloCategory;
};

// The first kBandCount bands have a slot: their index here is their index in
// every per-band table (rows, districts, the display's columns), in the
// order of the display's rows. The others are only refused.
// Any text not here, the empty one included, is no contest band and yet
// passes the intake, as the host may name bands it alone knows.
inline constexpr int kBandCount = 6;
inline constexpr std::array<BandRule, 9> kBands = {{
    {"160m", 1, false, false, "160M"},
    {"80m", 3, true, true, "80M"},
    {"40m", 7, true, true, "40M"},
    {"20m", 14, false, false, "20M"},
    {"15m", 21, false, false, "15M"},
    {"10m", 28, false, false, "10M"},
    {"30m", 0, false, false, {}},
    {"17m", 0, false, false, {}},
    {"12m", 0, false, false, {}},
}};

// The texts of the bands with a slot, in slot order.
inline constexpr std::array<std::string_view, kBandCount> kBandOrder = [] {
  std::array<std::string_view, kBandCount> order{};
  for (int slot = 0; slot < kBandCount; ++slot) order[slot] = kBands[slot].text;
  return order;
}();

// Slot of a band text (exact comparison), or -1 for a band without one.
constexpr int BandSlot(std::string_view band) {
  for (int slot = 0; slot < kBandCount; ++slot) {
    if (kBands[slot].text == band) return slot;
  }
  return -1;
}

// True for the index of a slot; -1, "no band", and every other index false.
constexpr bool IsBandSlot(int index) { return index >= 0 && index < kBandCount; }

// Slot of the band a frequency (Hz) is on by its whole megahertz, or -1 for
// none (a frequency that is not a finite number of hertz included).
inline int BandIndexOfFrequency(double hz) {
  if (!(hz >= 0.0) || !std::isfinite(hz)) return -1;
  const double megahertz = std::trunc(hz / 1e6);
  for (int slot = 0; slot < kBandCount; ++slot) {
    if (kBands[slot].megahertz != 0 && megahertz == kBands[slot].megahertz) return slot;
  }
  return -1;
}

constexpr bool IsRefusedBand(std::string_view band) {
  return std::ranges::any_of(
      kBands, [band](const BandRule& rule) { return !rule.scored && rule.text == band; });
}

}  // namespace stats
