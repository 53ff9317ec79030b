#include "engine/display_snapshot.h"

#include <algorithm>
#include <vector>

namespace stats {

namespace {

// Plain byte order: the bytes compared as unsigned, Cyrillic after Latin.
bool ByteLess(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
  });
}

}  // namespace

DisplaySnapshot TakeDisplaySnapshot(std::string_view call, int band) {
  DisplaySnapshot snapshot;
  {
    const ContestStateLock state;
    snapshot.seededRows = state.BandRows();
    if (!call.empty()) {
      const std::vector<const CInfo*> last = state.Log().LastOfCallPerBand(call, kBandOrder);
      for (int slot = 0; slot < kBandCount; ++slot) {
        if (last[slot] == nullptr) continue;
        snapshot.lastQso[slot] =
            LastQso{last[slot]->m_dtTime.Format("%H:%M"), last[slot]->m_strRcvd};
      }
    }
    if (IsBandSlot(band)) {
      snapshot.moscowDistricts = state.MoscowByBand()[band];
      snapshot.rdaCount = state.RdaByBand()[band].size();
      if (call.empty()) snapshot.sortedRdaDistricts = state.RdaByBand()[band];
    }
    snapshot.russian = state.Russian();
    snapshot.endYear = state.EndYear();
  }
  std::sort(snapshot.sortedRdaDistricts.begin(), snapshot.sortedRdaDistricts.end(), ByteLess);
  return snapshot;
}

}  // namespace stats
