#include "engine/qso_log.h"

#include <algorithm>

#include "engine/contest_rules.h"
#include "engine/moscow_call.h"

namespace stats {

std::size_t QsoLog::TourKeyHash::operator()(const TourKey& key) const {
  uint64_t h = key.call;
  h = h * 0x9E3779B97F4A7C15ull + key.band;
  h = h * 0x9E3779B97F4A7C15ull + key.mode;
  h = h * 0x9E3779B97F4A7C15ull + static_cast<uint32_t>(key.tour);
  return static_cast<std::size_t>(h ^ (h >> 29));
}

QsoKeys QsoLog::KeysOf(const CInfo& record) const {
  return {m_bandIds.Intern(record.m_strBand), m_districtIds.Intern(record.m_strMoscow),
          m_districtIds.Intern(record.m_strRda), IsMoscowCall(record.m_strCall) == 1,
          !record.m_strCall.empty() && record.m_nSkip == 0};
}

QsoLog::TourKey QsoLog::RepeatKeyOf(uint32_t call, uint32_t band, uint32_t mode, int hour) {
  return {kRepeatKey.call ? call : 0, kRepeatKey.band ? band : 0, kRepeatKey.mode ? mode : 0,
          kRepeatKey.tour ? TourOfHour(hour) : 0};
}

void QsoLog::CountTour(const CInfo& record, uint32_t band, int delta) const {
  const int hour = record.m_dtTime.GetHour();
  if (hour < 0) return;
  const TourKey key = RepeatKeyOf(m_callIds.Intern(record.m_strCall), band,
                                  m_modeIds.Intern(record.m_strMode), hour);
  auto it = m_mapRecordsPerTour.find(key);
  if (it == m_mapRecordsPerTour.end()) {
    m_mapRecordsPerTour.emplace(key, delta);
  } else if ((it->second += delta) == 0) {
    m_mapRecordsPerTour.erase(it);
  }
}

void QsoLog::CatchUpKeys() const {
  m_arrKeys.reserve(m_arrRecords.size());
  for (std::size_t i = m_arrKeys.size(); i < m_arrRecords.size(); ++i) {
    m_arrKeys.push_back(KeysOf(m_arrRecords[i]));
  }
}

void QsoLog::CatchUpTours() const {
  CatchUpKeys();
  for (; m_nToursCounted < m_arrRecords.size(); ++m_nToursCounted) {
    CountTour(m_arrRecords[m_nToursCounted], m_arrKeys[m_nToursCounted].band, +1);
  }
}

void QsoLog::CatchUpCalls() const {
  for (; m_nCallsIndexed < m_arrRecords.size(); ++m_nCallsIndexed) {
    const uint32_t call = m_callIds.Intern(m_arrRecords[m_nCallsIndexed].m_strCall);
    m_mapPositionsPerCall[call].push_back(static_cast<uint32_t>(m_nCallsIndexed));
  }
}

void QsoLog::DropFromCallIndex(std::size_t index) {
  if (index >= m_nCallsIndexed) return;
  const auto own = m_mapPositionsPerCall.find(m_callIds.Find(m_arrRecords[index].m_strCall));
  std::erase(own->second, static_cast<uint32_t>(index));
  if (own->second.empty()) m_mapPositionsPerCall.erase(own);
  for (auto& [call, positions] : m_mapPositionsPerCall) {
    auto later = std::upper_bound(positions.begin(), positions.end(), index);
    for (; later != positions.end(); ++later) --*later;
  }
  --m_nCallsIndexed;
}

void QsoLog::Append(CInfo record) { m_arrRecords.push_back(std::move(record)); }

void QsoLog::RemoveAt(std::size_t index) {
  if (index < m_nToursCounted) {
    CountTour(m_arrRecords[index], m_arrKeys[index].band, -1);
    --m_nToursCounted;
  }
  if (index < m_arrKeys.size())
    m_arrKeys.erase(m_arrKeys.begin() + static_cast<std::ptrdiff_t>(index));
  DropFromCallIndex(index);
  m_arrRecords.erase(m_arrRecords.begin() + static_cast<std::ptrdiff_t>(index));
}

QsoLog::Index QsoLog::index() const {
  CatchUpKeys();
  return {m_arrKeys, m_bandIds, m_districtIds};
}

void QsoLog::Clear() {
  m_arrRecords.clear();
  m_arrKeys.clear();
  m_nToursCounted = 0;
  m_bandIds.Clear();
  m_districtIds.Clear();
  m_callIds.Clear();
  m_modeIds.Clear();
  m_mapRecordsPerTour.clear();
  m_mapPositionsPerCall.clear();
  m_nCallsIndexed = 0;
}

bool QsoLog::IsWorkedInTourOf(std::string_view call, std::string_view band, std::string_view mode,
                              int hour) const {
  if (hour < 0 || hour > 23) return false;
  CatchUpTours();
  const uint32_t callId = m_callIds.Find(call);
  const uint32_t bandId = m_bandIds.Find(band);
  const uint32_t modeId = m_modeIds.Find(mode);
  // A text no record has cannot be part of a repeat.
  if ((kRepeatKey.call && callId == TextIds::kUnknown) ||
      (kRepeatKey.band && bandId == TextIds::kUnknown) ||
      (kRepeatKey.mode && modeId == TextIds::kUnknown)) {
    return false;
  }
  return m_mapRecordsPerTour.count(RepeatKeyOf(callId, bandId, modeId, hour)) != 0;
}

std::vector<const CInfo*> QsoLog::LastOfCallPerBand(std::string_view call,
                                                    std::span<const std::string_view> bands) const {
  std::vector<const CInfo*> last(bands.size(), nullptr);
  CatchUpCalls();
  const auto positions = m_mapPositionsPerCall.find(m_callIds.Find(call));
  if (positions == m_mapPositionsPerCall.end()) return last;
  std::size_t open = bands.size();
  // From the newest record back: the first match of a band is its last QSO.
  for (auto it = positions->second.rbegin(); it != positions->second.rend() && open > 0; ++it) {
    const CInfo& record = m_arrRecords[*it];
    for (std::size_t slot = 0; slot < bands.size(); ++slot) {
      if (last[slot] == nullptr && record.m_strBand == bands[slot]) {
        last[slot] = &record;
        --open;
        break;
      }
    }
  }
  return last;
}

}  // namespace stats
