#include "engine/reset.h"

#include <array>
#include <mutex>
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

void SeedBandRows() {
  g_arrBands.clear();
  for (std::string_view band : kBandOrder) g_arrBands.emplace_back(band);
  for (int k = 0; k < kBandCount; ++k) {
    g_arrBandRows[k] = {g_arrBands[k], "-", "-", "-"};
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

void LoadRdaCodes(Platform& platform) {
  g_arrRdaCodes.Clear();
  std::string bytes;
  if (!platform.ReadFile(kRdaFilePath, bytes)) return;
  for (std::string& code : ParseRdaFile(bytes)) g_arrRdaCodes.Append(std::move(code));
}

void ResetContestState(int outputMode, std::string_view ownCall, const ATL::COleDateTime& end,
                       std::string_view ownCountryPrefix, Platform& platform) {
  {
    std::lock_guard<std::mutex> lock(g_stateLock);
    g_strEndDate = end.Format("%d.%m.%Y");
    g_strEndYear = end.Format("%Y");
    SeedBandRows();
    g_strOwnCall = ownCall;
    if (SelectsRussianWording(ownCountryPrefix)) g_bRussian = 1;
    g_arrLog.Clear();
    g_arrBands.clear();
    g_bOutput = outputMode;
    LoadRdaCodes(platform);
  }
  platform.WriteFile(kJournalPath, kJournalHeader);
}

// Runs without the state lock: the display thread takes it to draw.
void ApplyStartSetting(Platform& platform, DisplayPort& display) {
  g_nStart = ReadStartSetting(platform);
  if (g_nStart != 0) {
    WriteStartSetting(platform, "0");
  } else if (!display.IsOpen()) {
    display.Start();
    WriteStartSetting(platform, "1");
  }
}

}  // namespace stats
