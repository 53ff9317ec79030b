#include "engine/reset.h"

#include <algorithm>
#include <string>
#include <utility>

#include "engine/contest_state.h"
#include "engine/display_port.h"
#include "engine/journal.h"
#include "engine/rda_file.h"
#include "engine/setting_number.h"
#include "platform/platform.h"

namespace stats {
namespace {

constexpr const char* kStartKey = "Start";

bool SelectsRussianWording(std::string_view prefix) {
  return std::ranges::find(kRussianWordingPrefixes, prefix) != kRussianWordingPrefixes.end();
}

// The band rows as a reset leaves them, one per slot: band, "-", "-", "-".
PerBand SeededBandRows() {
  PerBand rows;
  for (int k = 0; k < kBandCount; ++k) rows[k] = {std::string(kBandOrder[k]), "-", "-", "-"};
  return rows;
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
    state.OwnCall().swap(call);
    // Set, never cleared: a later reset with another own prefix keeps the
    // Russian wording until the module is unloaded. Meant so: the wording
    // is the operator's language, which a reset under a foreign own call
    // (operating from abroad) does not change.
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
  const int start = ReadSettingNumber(platform, kStartKey, NumberReading::kLeadingDigits);
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
