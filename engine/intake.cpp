#include "engine/intake.h"

#include <memory>
#include <string>
#include <string_view>

#include "engine/contest_state.h"
#include "engine/exchange.h"
#include "engine/journal.h"
#include "engine/moscow_table.h"
#include "platform/platform.h"

namespace stats {
namespace {

// The journal stays open for one intake call; a journal that cannot be
// opened or written changes nothing about the QSO.
class JournalWriter {
 public:
  explicit JournalWriter(Platform& platform) : m_pFile(platform.OpenForAppend(kJournalPath)) {}
  void Write(const QsoArguments& qso, Refusal reason, std::string_view candidate = {}) {
    if (m_pFile) m_pFile->Write(FormatJournalLine(qso, reason, candidate));
  }

 private:
  std::unique_ptr<AppendFile> m_pFile;
};

CInfo RecordOf(const QsoArguments& qso) {
  CInfo record;
  record.m_strCall = qso.call;
  record.m_strBand = qso.band;
  record.m_strMode = qso.mode;
  record.m_strExtra = qso.extra;
  record.m_strRstRcvd = qso.rstRcvd;
  record.m_strRstSent = qso.rstSent;
  record.m_strRcvd = qso.rcvd;
  record.m_strSent = qso.sent;
  record.m_nFreqKHz = static_cast<int32_t>(qso.freqHz / 1000);
  record.m_nSkip = 0;
  record.m_dtTime = qso.time;
  return record;
}

// A district sender's district: two bytes as passed name a Moscow district,
// anything else an RDA district. A known district goes into the record (an
// RDA district also replaces the exchange received with its code); any
// other is journaled and the record keeps no district.
void CheckAndRecordDistrict(const QsoArguments& qso, CInfo& record, JournalWriter& journal) {
  if (qso.rcvd.size() == 2) {
    std::string candidate = MoscowCandidate(qso.rcvd);
    if (IsMoscowDistrict(candidate)) {
      record.m_strMoscow = std::move(candidate);
    } else {
      journal.Write(qso, Refusal::MoscowDistrict, candidate);
    }
    return;
  }
  std::string candidate = RdaCandidate(qso.rcvd);
  bool known;
  {
    const ContestStateLock state;
    known = state.RdaCodes().Contains(candidate);
  }
  // The journal is written with the lock released.
  if (known) {
    record.m_strRda = candidate;
    record.m_strRcvd = std::move(candidate);
  } else {
    journal.Write(qso, Refusal::RdaDistrict, candidate);
  }
}

// Only the intake appends to the band list; the reset and the load state
// empty it and the result only reorders it. So the index describes the list
// as long as their sizes agree and the list's last text is indexed, and is
// rebuilt from the list otherwise.
void NoteBand(const ContestStateLock& state, std::string_view band) {
  TextList& bands = state.Bands();
  TextIndex& index = state.BandIndex();
  if (index.size() != bands.size() ||
      (!bands.empty() && !index.contains(std::string_view(bands.back())))) {
    index.clear();
    index.insert(bands.begin(), bands.end());
    if (index.size() != bands.size()) {
      // Repeated texts (never from here): fall back to the list itself.
      for (const std::string& known : bands) {
        if (known == band) return;
      }
      bands.emplace_back(band);
      return;
    }
  }
  if (index.contains(band)) return;
  index.emplace(band);
  bands.emplace_back(band);
}

}  // namespace

int AddQso(const QsoArguments& qso, Platform& platform) {
  JournalWriter journal(platform);
  if (IsRefusedBand(qso.band)) {
    journal.Write(qso, Refusal::NoContestBand);
    return 0;
  }
  if (qso.mode != kContestMode) {
    journal.Write(qso, Refusal::NoTestMode);
    return 0;
  }
  if (qso.rcvd.empty() || qso.sent.empty()) {
    journal.Write(qso, Refusal::NoRxNumber);
    return 0;
  }
  CInfo record = RecordOf(qso);
  if (IsDistrictSenderPrefix(qso.countryPrefix)) CheckAndRecordDistrict(qso, record, journal);

  const ContestStateLock state;
  NoteBand(state, qso.band);
  state.Log().Append(std::move(record));
  return 1;
}

int RemoveQso(const QsoArguments& qso) {
  if (qso.rcvd.empty() || qso.sent.empty()) return 0;
  const ContestStateLock state;
  QsoLog& log = state.Log();
  for (std::size_t i = 0; i < log.size(); ++i) {
    const CInfo& record = log[i];
    if (record.m_strCall == qso.call && record.m_strMode == qso.mode &&
        record.m_strBand == qso.band && record.m_dtTime == qso.time) {
      log.RemoveAt(i);
      break;
    }
  }
  return 1;
}

}  // namespace stats
