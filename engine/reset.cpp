#include "engine/reset.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string>
#include <utility>

#include "engine/contest_state.h"
#include "engine/display_port.h"
#include "engine/journal.h"
#include "engine/rda_file.h"
#include "platform/platform.h"

namespace stats {
namespace {

constexpr const char* kStartKey = "Start";

bool SelectsRussianWording(std::string_view prefix) {
  return std::ranges::find(kRussianWordingPrefixes, prefix) != kRussianWordingPrefixes.end();
}

// The six band rows as a reset leaves them: band, "-", "-", "-".
PerBand SeededBandRows() {
  PerBand rows;
  for (int k = 0; k < kBandCount; ++k) rows[k] = {std::string(kBandOrder[k]), "-", "-", "-"};
  return rows;
}

// Only whether "Start" is 0 matters; a longer number is read up to this
// many significant digits, so that it never overflows.
constexpr std::size_t kStartDigits = 9;

// "Start" through the 100-character settings buffer, read as the number its
// leading decimal digits make (none, as in a missing key, read as 0; no
// sign and no blank is a digit).
int ReadStartSetting(Platform& platform) {
  std::string value = platform.ReadProfileString(g_strIniFile, g_strIniSection, kStartKey, "");
  value.resize(std::min(value.size(), kIniBufferSize - 1));
  const std::size_t significant = value.find_first_not_of('0');
  if (significant == std::string::npos) return 0;
  const std::string_view digits = std::string_view(value).substr(significant, kStartDigits);
  // Unsigned: a leading "-" is no digit.
  unsigned number = 0;
  std::from_chars(digits.data(), digits.data() + digits.size(), number);
  return static_cast<int>(number);
}

}  // namespace

void WriteStartSetting(Platform& platform, const char* value) {
  platform.WriteProfileString(g_strIniFile, g_strIniSection, kStartKey, value);
}

CodeList ReadRdaCodes(Platform& platform) {
  CodeList codes;
  try {
    std::string bytes;
    if (!platform.ReadFile(kRdaFilePath, bytes)) return codes;
    for (std::string& code : ParseRdaFile(bytes, kMaxRdaCodes)) codes.Append(std::move(code));
  } catch (...) {
    // A file that cannot be read, too large for memory included: no list.
    codes = CodeList();
  }
  return codes;
}

void ResetContestState(int outputMode, std::string_view ownCall, const ATL::COleDateTime& end,
                       std::string_view ownCountryPrefix, Platform& platform) {
  std::string endDate = end.Format("%d.%m.%Y");
  std::string endYear = end.Format("%Y");
  PerBand bandRows = SeededBandRows();
  std::string call(ownCall);
  CodeList codes = ReadRdaCodes(platform);
  // The windows show these lists; the result step rebuilds only the bands
  // it meets, so a band the new log lacks would keep showing the last
  // contest's districts as worked.
  PerBand moscowByBand;
  PerBand rdaByBand;
  {
    // Nothing in here allocates: the old values go out with the locals,
    // after the lock is released.
    const ContestStateLock state;
    state.EndDate().swap(endDate);
    state.EndYear().swap(endYear);
    state.BandRows().swap(bandRows);
    ++state.Resets();
    state.OwnCall().swap(call);
    if (SelectsRussianWording(ownCountryPrefix)) state.Russian() = 1;
    state.Log().Clear();
    state.Bands().clear();
    state.Output() = outputMode;
    std::swap(state.RdaCodes(), codes);
    state.MoscowByBand().swap(moscowByBand);
    state.RdaByBand().swap(rdaByBand);
  }
}

void RestartJournal(Platform& platform) { platform.WriteFile(kJournalPath, kJournalHeader); }

// Reads and writes the settings and starts the display without the state
// lock (the display thread takes it to draw); only the stored value is locked.
void ApplyStartSetting(Platform& platform, DisplayPort& display) {
  const int start = ReadStartSetting(platform);
  {
    const ContestStateLock state;
    state.Start() = start;
  }
  if (start != 0) {
    WriteStartSetting(platform, "0");
  } else if (!display.IsOpen()) {
    display.Start();
    WriteStartSetting(platform, "1");
  }
}

}  // namespace stats
