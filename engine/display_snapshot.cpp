#include "engine/display_snapshot.h"

#include <algorithm>
#include <vector>

namespace stats {

namespace {

bool IsBand(int band) { return band >= 0 && band < kBandCount; }

// Plain byte order: the bytes compared as unsigned, Cyrillic after Latin.
bool ByteLess(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
  });
}

}  // namespace

DisplaySnapshot TakeDisplaySnapshot(std::string_view call, int band) {
  DisplaySnapshot snapshot;
  const ContestStateLock state;
  snapshot.resets = state.Resets();
  if (!call.empty()) {
    const std::vector<const CInfo*> last = state.Log().LastOfCallPerBand(call, kBandOrder);
    for (int slot = 0; slot < kBandCount; ++slot) {
      if (last[slot] == nullptr) continue;
      snapshot.lastQso[slot] = LastQso{last[slot]->m_dtTime.Format("%H:%M"), last[slot]->m_strRcvd};
    }
  }
  if (IsBand(band)) {
    snapshot.moscowDistricts = state.MoscowByBand()[band];
    snapshot.rdaCount = state.RdaByBand()[band].size();
  }
  snapshot.russian = state.Russian();
  snapshot.endYear = state.EndYear();
  return snapshot;
}

SeededRows CopyBandRows() {
  const ContestStateLock state;
  return {state.BandRows(), state.Resets()};
}

TextList SortAndCopyRdaDistricts(int band) {
  if (!IsBand(band)) return {};
  const ContestStateLock state;
  TextList& districts = state.RdaByBand()[band];
  std::sort(districts.begin(), districts.end(), ByteLess);
  return districts;
}

}  // namespace stats
