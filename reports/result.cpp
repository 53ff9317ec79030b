#include "reports/result.h"

#include <algorithm>
#include <vector>

#include "engine/contest_rules.h"
#include "engine/contest_state.h"
#include "platform/format_text.h"
#include "platform/platform.h"
#include "reports/station.h"

namespace stats {

std::string g_strResult;
long long g_nScore = 0;

namespace {

constexpr const char* kCredit = "Scored by Stats.dll, the " STATS_CONTEST_NAME " plug-in for Orvo";

// One band row while the log is counted.
struct BandTally {
  int slot = -1;  // per-band list slot, -1 for a band without one
  long long qsos = 0, moscowCalls = 0, otherCalls = 0, moscowDistricts = 0, rdaDistricts = 0;
  std::vector<bool> seenMoscow, seenRda;  // by district id
};

std::string Padded(const std::string& band) {
  return band.size() >= 20 ? band : std::string(20 - band.size(), '0') + band;
}

// Puts the bands in the order an exchange sort leaves them, on the texts
// left-padded with "0" to 20 characters, largest first ("160m" before "80m",
// "80m" before "40m"). The order stays in the shared band list, so it is kept
// exactly, ties included; but the list comes from the log and may be long,
// so the order is computed rather than produced by the quadratic swaps.
//
// That exchange sort takes position i in turn and swaps into it every later
// text that is strictly larger than the one it holds. Texts with different
// keys end up in key order. Texts with equal keys (they differ only in
// leading zeros, so there are at most 21 of them) change their relative
// order only through such swaps: the first of them still unplaced moves to
// the place of the first larger text behind it. Followed through, that
// means: walking the list in its order, keep the equal texts met so far in
// a queue; for every larger text met, move the queue's front to its back.
// The queue at the end is their final order.
void SortBands(std::vector<std::string>& bands) {
  const std::size_t count = bands.size();
  if (count < 2) return;
  std::vector<std::string> keys;
  keys.reserve(count);
  for (const std::string& band : bands) keys.push_back(Padded(band));

  // Rank of every key, 0 for the largest; std::string compares bytes as
  // unsigned char, as the platform does.
  std::vector<std::size_t> byKey(count);
  for (std::size_t i = 0; i < count; ++i) byKey[i] = i;
  std::sort(byKey.begin(), byKey.end(),
            [&keys](std::size_t a, std::size_t b) { return keys[a] > keys[b]; });
  std::vector<std::size_t> rank(count);
  std::size_t ranks = 0;
  for (std::size_t k = 0; k < count; ++k) {
    if (k > 0 && keys[byKey[k]] != keys[byKey[k - 1]]) ++ranks;
    rank[byKey[k]] = ranks;
  }
  ++ranks;

  // For every text, how many larger ones come before it (a Fenwick tree
  // over the ranks).
  std::vector<std::size_t> tree(ranks + 1, 0), largerBefore(count);
  for (std::size_t i = 0; i < count; ++i) {
    std::size_t larger = 0;
    for (std::size_t r = rank[i]; r > 0; r &= r - 1) larger += tree[r];
    largerBefore[i] = larger;
    for (std::size_t r = rank[i] + 1; r <= ranks; r += r & (0 - r)) ++tree[r];
  }

  // Members of every rank in list order, and how many texts are larger.
  std::vector<std::vector<std::size_t>> members(ranks);
  for (std::size_t i = 0; i < count; ++i) members[rank[i]].push_back(i);
  std::vector<std::string> sorted;
  sorted.reserve(count);
  std::size_t largerThanRank = 0;
  std::vector<std::size_t> queue;
  for (const std::vector<std::size_t>& equal : members) {
    queue.clear();
    for (std::size_t j = 0; j < equal.size(); ++j) {
      queue.push_back(equal[j]);
      const std::size_t largerUntilNext =
          (j + 1 < equal.size() ? largerBefore[equal[j + 1]] : largerThanRank) -
          largerBefore[equal[j]];
      std::rotate(queue.begin(), queue.begin() + largerUntilNext % queue.size(), queue.end());
    }
    for (std::size_t i : queue) sorted.push_back(std::move(bands[i]));
    largerThanRank += equal.size();
  }
  bands = std::move(sorted);
}

// Counts every log entry into its band's row in one pass over the log's
// keys. A band without a slot has a row and counts, but its districts go
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
    text += FormatText("  \t" STATS_CONTEST_NAME
                       " %s\r\n\t    Contestant: %s \r\n\tQSOs\tPoints\tMoscow\tRDA\r\n",
                       state.EndDate().c_str(), state.OwnCall().c_str());
    TextList& bands = state.Bands();
    SortBands(bands);
    const bool ownMoscow = IsMoscowCall(state.OwnCall()) == 1;
    const std::vector<BandTally> rows = TallyBands(state);
    for (std::size_t k = 0; k < rows.size(); ++k) {
      const BandTally& row = rows[k];
      const long long across = ownMoscow ? row.otherCalls : row.moscowCalls;
      const long long within = ownMoscow ? row.moscowCalls : row.otherCalls;
      const long long rowPoints =
          across * kPointsAcrossMoscowBoundary + within * kPointsWithinOneSide;
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
