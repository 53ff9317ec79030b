#include "reports/result.h"

#include <algorithm>
#include <vector>

#include "engine/contest_state.h"
#include "platform/format_text.h"
#include "platform/platform.h"
#include "reports/station.h"

namespace stats {

std::string g_strResult;
long long g_nScore = 0;

namespace {

constexpr const char* kCredit = "Scored by Stats.dll, the KESTREL-RTTY plug-in for Orvo";

// One band row while the log is counted.
struct BandTally {
  int slot = -1;  // per-band list slot, -1 for a band outside the six
  long long qsos = 0, moscowCalls = 0, otherCalls = 0, moscowDistricts = 0, rdaDistricts = 0;
  std::vector<bool> seenMoscow, seenRda;  // by district id
};

std::string Padded(const std::string& band) {
  return band.size() >= 20 ? band : std::string(20 - band.size(), '0') + band;
}

// Exchange sort on texts left-padded with "0" to 20 characters, largest
// first: "160m", "80m", "40m", "20m", "15m", "10m". The order stays in the
// shared band list.
void SortBands(std::vector<std::string>& bands) {
  for (std::size_t i = 0; i + 1 < bands.size(); ++i) {
    for (std::size_t j = i + 1; j < bands.size(); ++j) {
      // std::string compares bytes as unsigned char, as the platform does.
      if (Padded(bands[i]) < Padded(bands[j])) std::swap(bands[i], bands[j]);
    }
  }
}

// Counts every log entry into its band's row in one pass over the log's
// keys. A band outside the six has a row and counts, but its districts go
// into no per-band list: they must not disturb another band's lists. Runs
// under the caller's lock.
std::vector<BandTally> TallyBands(const ContestStateLock& state) {
  const QsoLog::Index index = state.Log().index();
  const TextList& bands = state.Bands();
  PerBand& moscowByBand = state.MoscowByBand();
  PerBand& rdaByBand = state.RdaByBand();
  const TextIds& districts = index.districtIds;
  std::vector<int> rowOfBand(index.bandIds.size(), -1);
  std::vector<BandTally> rows(bands.size());
  for (std::size_t k = 0; k < bands.size(); ++k) {
    BandTally& row = rows[k];
    row.slot = BandSlot(bands[k]);
    row.seenMoscow.assign(districts.size(), false);
    row.seenRda.assign(districts.size(), false);
    const uint32_t band = index.bandIds.Find(bands[k]);
    if (band != TextIds::kUnknown) rowOfBand[band] = static_cast<int>(k);
    if (row.slot >= 0) {
      moscowByBand[row.slot].clear();
      rdaByBand[row.slot].clear();
    }
  }
  for (const QsoKeys& qso : index.keys) {
    if (!qso.counted || rowOfBand[qso.band] < 0) continue;
    BandTally& row = rows[rowOfBand[qso.band]];
    ++row.qsos;
    ++(qso.moscowCall ? row.moscowCalls : row.otherCalls);
    if (qso.moscow != 0 && !row.seenMoscow[qso.moscow]) {
      row.seenMoscow[qso.moscow] = true;
      ++row.moscowDistricts;
      if (row.slot >= 0) moscowByBand[row.slot].push_back(districts.Text(qso.moscow));
    }
    if (qso.rda != 0 && !row.seenRda[qso.rda]) {
      row.seenRda[qso.rda] = true;
      ++row.rdaDistricts;
      if (row.slot >= 0) rdaByBand[row.slot].push_back(districts.Text(qso.rda));
    }
  }
  return rows;
}

}  // namespace

void RestoreReportsLoadState() {
  g_strResult.clear();
  g_nScore = 0;
  g_cabrilloLog = CCabrilloLog();
}

void ComputeResult(Platform& platform) {
  std::string text;
  long long qsos = 0, points = 0, moscow = 0, rda = 0;
  {
    // The state is read, sorted and recounted under one lock; the settings
    // write below runs with it released.
    const ContestStateLock state;
    text += FormatText(
        "  \tKESTREL-RTTY %s\r\n\t    Contestant: %s \r\n\tQSOs\tPoints\tMoscow\tRDA\r\n",
        state.EndDate().c_str(), state.OwnCall().c_str());
    TextList& bands = state.Bands();
    SortBands(bands);
    const bool ownMoscow = IsMoscowCall(state.OwnCall()) == 1;
    const std::vector<BandTally> rows = TallyBands(state);
    for (std::size_t k = 0; k < rows.size(); ++k) {
      const BandTally& row = rows[k];
      // A QSO across the Moscow boundary is worth 5 points, within a side 1.
      const long long rowPoints =
          ownMoscow ? row.otherCalls * 5 + row.moscowCalls : row.moscowCalls * 5 + row.otherCalls;
      text += FormatText("%s\t %lld\t %lld\t %lld\t %lld\r\n", bands[k].c_str(), row.qsos,
                         rowPoints, row.moscowDistricts, row.rdaDistricts);
      qsos += row.qsos;
      points += rowPoints;
      moscow += row.moscowDistricts;
      rda += row.rdaDistricts;
    }
  }

  text += FormatText("Total\t %lld\t %lld\t %lld\t %lld\r\n", qsos, points, moscow, rda);
  g_nScore = points * (moscow + rda);
  platform.WriteProfileString(g_strIniFile, g_strIniSection, "Claimed", std::to_string(g_nScore));
  text += FormatText("\r\nScore: = %lld*(%lld+%lld)= %lld\r\n", points, moscow, rda, g_nScore);
  text += kCredit;
  g_strResult = std::move(text);
}

}  // namespace stats
