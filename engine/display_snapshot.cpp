#include "engine/display_snapshot.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace stats {

namespace {

bool IsBand(int band) { return band >= 0 && band < kBandCount; }

// A row seeded by the reset holds the band and its three display columns.
constexpr std::size_t kRowColumns = 4;

bool RowsSeeded() {
  return std::all_of(g_arrBandRows.begin(), g_arrBandRows.end(),
                     [](const TextList& row) { return row.size() >= kRowColumns; });
}

// Plain byte order: the bytes compared as unsigned, Cyrillic after Latin.
bool ByteLess(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
  });
}

}  // namespace

DisplaySnapshot TakeDisplaySnapshot(std::string_view call, int band) {
  DisplaySnapshot snapshot;
  std::lock_guard<std::mutex> lock(g_stateLock);
  snapshot.rowsSeeded = RowsSeeded();
  if (!call.empty()) {
    const std::vector<const CInfo*> last = g_arrLog.LastOfCallPerBand(call, kBandOrder);
    for (int slot = 0; slot < kBandCount; ++slot) {
      if (last[slot] == nullptr) continue;
      snapshot.lastQso[slot] = LastQso{last[slot]->m_dtTime.Format("%H:%M"), last[slot]->m_strRcvd};
    }
  }
  if (IsBand(band)) {
    snapshot.moscowDistricts = g_arrMoscowByBand[band];
    snapshot.rdaCount = g_arrRdaByBand[band].size();
  }
  snapshot.russian = g_bRussian;
  snapshot.endYear = g_strEndYear;
  return snapshot;
}

void StoreBandColumns(const AllBandColumns& columns) {
  std::lock_guard<std::mutex> lock(g_stateLock);
  for (int slot = 0; slot < kBandCount; ++slot) {
    TextList& row = g_arrBandRows[slot];
    if (row.size() < kRowColumns) continue;
    std::copy(columns[slot].begin(), columns[slot].end(), row.begin() + 1);
  }
}

PerBand CopyBandRows() {
  std::lock_guard<std::mutex> lock(g_stateLock);
  return g_arrBandRows;
}

TextList SortAndCopyRdaDistricts(int band) {
  if (!IsBand(band)) return {};
  std::lock_guard<std::mutex> lock(g_stateLock);
  TextList& districts = g_arrRdaByBand[band];
  std::sort(districts.begin(), districts.end(), ByteLess);
  return districts;
}

}  // namespace stats
