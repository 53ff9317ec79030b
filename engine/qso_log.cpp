#include "engine/qso_log.h"

namespace stats {

std::string QsoLog::HourKey(std::string_view call, std::string_view band, std::string_view mode,
                            int hour) {
  // NUL separators keep ("AB","C") apart from ("A","BC"); texts that hold a
  // NUL themselves cannot arrive through the C strings of the host.
  std::string key;
  key.reserve(call.size() + band.size() + mode.size() + 4);
  key.append(call).push_back('\0');
  key.append(band).push_back('\0');
  key.append(mode).push_back('\0');
  key.push_back(static_cast<char>(hour));
  return key;
}

void QsoLog::Count(const CInfo& record, int delta) {
  const int hour = record.m_dtTime.GetHour();
  if (hour < 0) return;
  auto key = HourKey(record.m_strCall, record.m_strBand, record.m_strMode, hour);
  auto it = m_recordsPerHour.find(key);
  if (it == m_recordsPerHour.end()) {
    m_recordsPerHour.emplace(std::move(key), delta);
  } else if ((it->second += delta) == 0) {
    m_recordsPerHour.erase(it);
  }
}

void QsoLog::Append(CInfo record) {
  Count(record, +1);
  m_records.push_back(std::move(record));
}

void QsoLog::RemoveAt(std::size_t index) {
  Count(m_records[index], -1);
  m_records.erase(m_records.begin() + static_cast<std::ptrdiff_t>(index));
}

void QsoLog::Clear() {
  m_records.clear();
  m_recordsPerHour.clear();
}

bool QsoLog::IsWorkedInHour(std::string_view call, std::string_view band, std::string_view mode,
                            int hour) const {
  if (hour < 0 || hour > 23) return false;
  return m_recordsPerHour.count(HourKey(call, band, mode, hour)) != 0;
}

}  // namespace stats
