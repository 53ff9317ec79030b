#pragma once
// The contest log: accepted QSOs by value, in order of intake. Beside the
// records it keeps what the result and the call check need in numbers, so
// that neither has to compare texts record by record. That index is brought
// up to date when it is first asked for, not at every append: the host
// replays its whole log right after a reset, and the index is built faster
// in one go than between the journal's file operations of each intake.
// Callers serialise access (the state lock), readers included.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/text_ids.h"
#include "platform/ole_date_time.h"

namespace stats {

// One accepted QSO.
struct CInfo {
  std::string m_strCall;   // worked station, as passed
  std::string m_strRda;    // accepted RDA district, or empty
  std::string m_strExtra;  // the host's extra text, never interpreted
  std::string m_strBand;
  std::string m_strMode;
  std::string m_strRstRcvd;
  std::string m_strRstSent;
  std::string m_strRcvd;  // exchange received; the RDA code once accepted
  std::string m_strSent;
  std::string m_strMoscow;  // accepted Moscow district, or empty
  int32_t m_nFreqKHz = 0;
  // Only records with 0 are counted. Always 0 as it stands: the intake
  // stores 0 and nothing changes it. The field and the log's check of it
  // (the `counted` key, QsoLog::KeysOf) are kept all the same, so that a
  // record marked skipped (kept in the log but not counted) needs no
  // change to the result.
  int32_t m_nSkip = 0;
  ATL::COleDateTime m_dtTime;
};

// What the result counts of one record, by id.
struct QsoKeys {
  uint32_t band;    // in bandIds()
  uint32_t moscow;  // in districtIds(); 0 when no Moscow district
  uint32_t rda;     // in districtIds(); 0 when no RDA district
  bool moscowCall;  // the worked call is a Moscow call
  bool counted;     // a call is present and the record is not skipped
};

class QsoLog {
 public:
  void Append(CInfo record);
  void RemoveAt(std::size_t index);
  void Clear();

  std::size_t size() const { return m_arrRecords.size(); }
  bool empty() const { return m_arrRecords.empty(); }
  const CInfo& operator[](std::size_t i) const { return m_arrRecords[i]; }
  std::vector<CInfo>::const_iterator begin() const { return m_arrRecords.begin(); }
  std::vector<CInfo>::const_iterator end() const { return m_arrRecords.end(); }

  struct Index {
    const std::vector<QsoKeys>& keys;  // of every record, in log order
    const TextIds& bandIds;
    const TextIds& districtIds;
  };
  Index index() const;

  // True when a record with the same repeat key as a QSO with exactly this
  // call, band and mode at this hour of the day (0..23) was logged, on
  // whatever date.
  bool IsWorkedInTourOf(std::string_view call, std::string_view band, std::string_view mode,
                        int hour) const;

  // For each of `bands`, the last record with exactly this call on exactly
  // that band (null when none). Costs the call's own records, not the log's.
  std::vector<const CInfo*> LastOfCallPerBand(std::string_view call,
                                              std::span<const std::string_view> bands) const;

 private:
  // What makes a QSO a repeat (kRepeatKey); a part the rule leaves out is 0.
  struct TourKey {
    uint32_t call, band, mode;
    int32_t tour;
    bool operator==(const TourKey&) const = default;
  };
  struct TourKeyHash {
    std::size_t operator()(const TourKey& key) const;
  };

  QsoKeys KeysOf(const CInfo& record) const;
  static TourKey RepeatKeyOf(uint32_t call, uint32_t band, uint32_t mode, int hour);
  void CountTour(const CInfo& record, uint32_t band, int delta) const;
  // Index the records appended since the keys, or the tours, were last
  // used. The tours are only wanted by the call check, the keys by the
  // result; the tours need the keys.
  void CatchUpKeys() const;
  void CatchUpTours() const;
  void CatchUpCalls() const;
  void DropFromCallIndex(std::size_t index);

  std::vector<CInfo> m_arrRecords;
  // The keys cover m_arrKeys.size() records from the first, the tour counts
  // m_nToursCounted records (never more than the keys).
  mutable std::vector<QsoKeys> m_arrKeys;
  mutable std::size_t m_nToursCounted = 0;
  mutable TextIds m_bandIds, m_districtIds, m_callIds, m_modeIds;
  // Number of records per repeat key (call, band, mode and tour); records
  // without an hour (null or invalid date-time) are not counted.
  mutable std::unordered_map<TourKey, int, TourKeyHash> m_mapRecordsPerTour;
  // Positions of every call's records, in log order, for the first
  // m_nCallsIndexed records. Only the display asks for it; a removal
  // shifts the later positions in place rather than have the display
  // rebuild the whole index while it holds the state lock.
  mutable std::unordered_map<uint32_t, std::vector<uint32_t>> m_mapPositionsPerCall;
  mutable std::size_t m_nCallsIndexed = 0;
};

}  // namespace stats
