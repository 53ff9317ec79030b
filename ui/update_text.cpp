#include "ui/update_text.h"

#include <cmath>
#include <string_view>

namespace stats {

namespace {

// With no band the lines say "--": an empty band text would leave two
// blanks and read as a word gone missing ("worked on  0"), while "--" reads
// as "none", as the rows' "   -" does.
constexpr const char* kNoBandText = "--";

// The words of the three lines; each line begins with "QX9-" and the
// contest year. Russian in Windows-1251.
struct Wording {
  const char* workedWith;  // call line, between the year and the call
  const char* moscowOn;    // Moscow line, between the year and the band
  const char* moscowOf;    // Moscow line, between the count and the number of boxes
  const char* moscowEnd;   // Moscow line, after the number of boxes
  const char* rdaOn;       // RDA line, between the year and the band
  bool rdaCount;           // the RDA line ends with " " and the count
};
constexpr Wording kWordings[] = {
    {" worked with ", " Moscow worked on ", " of ", "", "  RDA worked on ", true},
    // " проведено с ", "  Москва на ", " из ", " рай.", " RDA районы отраб. на "
    {" \xEF\xF0\xEE\xE2\xE5\xE4\xE5\xED\xEE \xF1 ", "  \xCC\xEE\xF1\xEA\xE2\xE0 \xED\xE0 ",
     " \xE8\xE7 ", " \xF0\xE0\xE9.",
     " RDA \xF0\xE0\xE9\xEE\xED\xFB \xEE\xF2\xF0\xE0\xE1. \xED\xE0 ", false},
};

const Wording& WordingOf(int russian) { return kWordings[russian != 0 ? 1 : 0]; }

constexpr const char* kLinePrefix = "QX9-";

// A frequency further than this from the last macro's sends the macro again.
constexpr double kMacroDriftHz = 300.0;

// The slot of the band with the longest text among those a frequency can
// select (the lines name no other); -1 when there is none.
int SlotOfLongestBandName() {
  int longest = -1;
  for (int slot = 0; slot < kBandCount; ++slot) {
    if (kBands[slot].megahertz == 0) continue;
    if (longest < 0 || kBands[slot].text.size() > kBands[longest].text.size()) longest = slot;
  }
  return longest;
}

std::string ComposeMoscowLine(const DisplaySnapshot& snapshot, int band) {
  const Wording& words = WordingOf(snapshot.russian);
  const std::size_t count = IsBandSlot(band) ? snapshot.moscowDistricts.size() : 0;
  return kLinePrefix + snapshot.endYear + words.moscowOn + BandTextForLines(band) + " " +
         std::to_string(count) + words.moscowOf + std::to_string(kMoscowBoxCount) + words.moscowEnd;
}

std::string ComposeRdaLine(const DisplaySnapshot& snapshot, int band) {
  const Wording& words = WordingOf(snapshot.russian);
  std::string line = kLinePrefix + snapshot.endYear + words.rdaOn + BandTextForLines(band);
  if (words.rdaCount) {
    line += ' ';
    line += std::to_string(IsBandSlot(band) ? snapshot.rdaCount : 0);
  }
  return line;
}

MoscowTicks TicksOf(const DisplaySnapshot& snapshot, int band) {
  MoscowTicks ticks{};
  if (!IsBandSlot(band)) return ticks;
  for (const std::string& code : snapshot.moscowDistricts) {
    const int flag = MoscowFlagOf(code);
    if (flag >= 0) ticks[flag] = true;
  }
  return ticks;
}

}  // namespace

std::string BandTextForLines(int band) {
  if (!IsBandSlot(band)) return kNoBandText;
  return std::string(kBandOrder[band]);
}

std::string ComposeCallLine(const std::string& year, const std::string& call, int russian) {
  return kLinePrefix + year + WordingOf(russian).workedWith + call;
}

CallPart ComposeCallPart(const std::string& call, const DisplaySnapshot& snapshot) {
  CallPart part;
  for (BandColumns& columns : part.columns) columns.fill(kBlankColumn);
  if (call.empty()) return part;
  for (int band = 0; band < kBandCount; ++band) {
    const std::optional<LastQso>& last = snapshot.lastQso[band];
    if (!last) continue;
    part.columns[band][0] = last->time;
    part.columns[band][1] = last->rcvd;
  }
  part.callLine = ComposeCallLine(snapshot.endYear, call, snapshot.russian);
  return part;
}

FrequencyPart ComposeFrequencyPart(double hz, double lastMacroFreq,
                                   const DisplaySnapshot& snapshot) {
  FrequencyPart part;
  part.sendMacro = std::fabs(hz - lastMacroFreq) > kMacroDriftHz;
  part.lastMacroFreq = part.sendMacro ? hz : lastMacroFreq;
  part.band = BandIndexOfFrequency(hz);
  part.moscowLine = ComposeMoscowLine(snapshot, part.band);
  part.rdaLine = ComposeRdaLine(snapshot, part.band);
  part.ticks = TicksOf(snapshot, part.band);
  return part;
}

LongestCaptions ComposeLongestCaptions() {
  constexpr int kFourDigits = 8888;
  constexpr const char* kLongCall = "UA9ABC/QRP";
  DisplaySnapshot wording = TakeDisplaySnapshot("", -1);
  wording.moscowDistricts.resize(kMoscowBoxCount);
  wording.rdaCount = kFourDigits;
  const int band = SlotOfLongestBandName();
  const std::string callLine = ComposeCallLine(wording.endYear, kLongCall, wording.russian);
  return {{ComposeMoscowLine(wording, band)}, {ComposeRdaLine(wording, band), callLine}};
}

}  // namespace stats
