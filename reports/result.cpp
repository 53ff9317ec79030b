#include "reports/result.h"

#include <algorithm>
#include <array>
#include <mutex>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "engine/contest_state.h"
#include "platform/format_text.h"
#include "platform/platform.h"

namespace stats {

std::string g_strResult;
long long g_nScore = 0;

namespace {

// Call-area fragments of Moscow calls, in test order.
constexpr std::array<std::string_view, 9> kMoscowFragments = {"2A", "3A", "5A", "2B", "3B",
                                                              "5B", "2C", "3C", "5C"};

constexpr const char* kCredit = "Scored by Stats.dll, the KESTREL-RTTY plug-in for Orvo";

// One band row while the log is counted.
struct BandTally {
  int slot = -1;  // per-band list slot, -1 for a band outside the six
  long long qsos = 0, moscowCalls = 0, otherCalls = 0, moscowDistricts = 0, rdaDistricts = 0;
  std::unordered_set<std::string_view> seenMoscow, seenRda;
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

// Counts every log entry into its band's row in one pass over the log.
std::vector<BandTally> TallyBands() {
  std::vector<BandTally> rows(g_arrBands.size());
  std::unordered_map<std::string_view, std::size_t> rowOfBand;
  for (std::size_t k = 0; k < g_arrBands.size(); ++k) {
    rows[k].slot = BandSlot(g_arrBands[k]);
    rowOfBand.emplace(g_arrBands[k], k);
    if (rows[k].slot >= 0) {
      g_arrMoscowByBand[rows[k].slot].clear();
      g_arrRdaByBand[rows[k].slot].clear();
    }
  }
  for (const CInfo& qso : g_arrLog) {
    if (qso.m_strCall.empty() || qso.m_nSkip != 0) continue;
    auto found = rowOfBand.find(qso.m_strBand);
    if (found == rowOfBand.end()) continue;
    BandTally& row = rows[found->second];
    ++row.qsos;
    ++(IsMoscowCall(qso.m_strCall) ? row.moscowCalls : row.otherCalls);
    if (!qso.m_strMoscow.empty() && row.seenMoscow.insert(qso.m_strMoscow).second) {
      ++row.moscowDistricts;
      if (row.slot >= 0) g_arrMoscowByBand[row.slot].push_back(qso.m_strMoscow);
    }
    if (!qso.m_strRda.empty() && row.seenRda.insert(qso.m_strRda).second) {
      ++row.rdaDistricts;
      if (row.slot >= 0) g_arrRdaByBand[row.slot].push_back(qso.m_strRda);
    }
  }
  return rows;
}

}  // namespace

int IsMoscowCall(std::string_view call) {
  for (std::string_view fragment : kMoscowFragments) {
    const std::size_t at = call.find(fragment);
    if (at != std::string_view::npos && at >= 1) return 1;
  }
  return 0;
}

void ComputeResult(Platform& platform) {
  std::unique_lock<std::mutex> lock(g_stateLock);
  std::string text;
  text += FormatText("  \tKESTREL-RTTY %s\r\n\t    Contestant: %s \r\n\tQSOs\tPoints\tMoscow\tRDA\r\n",
          g_strEndDate.c_str(), g_strOwnCall.c_str());
  SortBands(g_arrBands);
  const bool ownMoscow = IsMoscowCall(g_strOwnCall) == 1;
  long long qsos = 0, points = 0, moscow = 0, rda = 0;
  const std::vector<BandTally> rows = TallyBands();
  for (std::size_t k = 0; k < rows.size(); ++k) {
    const BandTally& row = rows[k];
    // A QSO across the Moscow boundary is worth 5 points, within a side 1.
    const long long rowPoints =
        ownMoscow ? row.otherCalls * 5 + row.moscowCalls : row.moscowCalls * 5 + row.otherCalls;
    text += FormatText("%s\t %lld\t %lld\t %lld\t %lld\r\n", g_arrBands[k].c_str(), row.qsos,
            rowPoints, row.moscowDistricts, row.rdaDistricts);
    qsos += row.qsos;
    points += rowPoints;
    moscow += row.moscowDistricts;
    rda += row.rdaDistricts;
  }
  lock.unlock();

  text += FormatText("Total\t %lld\t %lld\t %lld\t %lld\r\n", qsos, points, moscow, rda);
  g_nScore = points * (moscow + rda);
  platform.WriteProfileString(g_strIniFile, g_strIniSection, "Claimed", std::to_string(g_nScore));
  text += FormatText("\r\nScore: = %lld*(%lld+%lld)= %lld\r\n", points, moscow, rda, g_nScore);
  text += kCredit;
  g_strResult = std::move(text);
}

}  // namespace stats
