#include "engine/reset.h"

#include <array>
#include <string>

#include "engine/contest_state.h"
#include "engine/journal.h"
#include "engine/rda_file.h"
#include "engine/display_port.h"
#include "platform/platform.h"

namespace stats {
namespace {

// Own prefixes that select the Russian wording of messages.
constexpr std::array<std::string_view, 6> kRussianWordingPrefixes = {"UA", "UA2", "UA9",
                                                                     "UR", "UN",  "EU"};
constexpr const char* kStartKey = "Start";

bool SelectsRussianWording(std::string_view prefix) {
  for (std::string_view candidate : kRussianWordingPrefixes) {
    if (prefix == candidate) return true;
  }
  return false;
}

void SeedBandRows(const ContestStateLock& state) {
  TextList& bands = state.Bands();
  bands.clear();
  for (std::string_view band : kBandOrder) bands.emplace_back(band);
  for (int k = 0; k < kBandCount; ++k) {
    state.BandRows()[k] = {bands[k], "-", "-", "-"};
  }
}

// "Start" through the 100-character settings buffer, read as the number its
// leading decimal digits make (none, as in a missing key, read as 0).
int ReadStartSetting(Platform& platform) {
  std::string value = platform.ReadProfileString(g_strIniFile, g_strIniSection, kStartKey, "");
  value.resize(std::min(value.size(), kIniBufferSize - 1));
  int number = 0;
  for (char c : value) {
    if (c < '0' || c > '9') break;
    if (number < 100000000) number = number * 10 + (c - '0');  // only 0 or not matters
  }
  return number;
}

}  // namespace

void WriteStartSetting(Platform& platform, const char* value) {
  platform.WriteProfileString(g_strIniFile, g_strIniSection, kStartKey, value);
}

void LoadRdaCodes(const ContestStateLock& state, Platform& platform) {
  CodeList& codes = state.RdaCodes();
  codes.Clear();
  std::string bytes;
  if (!platform.ReadFile(kRdaFilePath, bytes)) return;
  for (std::string& code : ParseRdaFile(bytes)) codes.Append(std::move(code));
}

void ResetContestState(int outputMode, std::string_view ownCall, const ATL::COleDateTime& end,
                       std::string_view ownCountryPrefix, Platform& platform) {
  {
    const ContestStateLock state;
    state.EndDate() = end.Format("%d.%m.%Y");
    state.EndYear() = end.Format("%Y");
    SeedBandRows(state);
    state.OwnCall() = ownCall;
    if (SelectsRussianWording(ownCountryPrefix)) state.Russian() = 1;
    state.Log().Clear();
    state.Bands().clear();
    state.Output() = outputMode;
    LoadRdaCodes(state, platform);
  }
  platform.WriteFile(kJournalPath, kJournalHeader);
}

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
