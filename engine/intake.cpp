#include "engine/intake.h"

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>

#include "engine/contest_state.h"
#include "engine/exchange.h"
#include "engine/journal.h"
#include "engine/moscow_table.h"
#include "platform/platform.h"

namespace stats {
namespace {

// Bands outside the contest; any other text, the empty one included, passes.
constexpr std::array<std::string_view, 7> kRefusedBands = {"30m", "17m", "12m", "160m",
                                                           "20m", "15m", "10m"};
constexpr std::string_view kContestMode = "RTTY";

bool IsRefusedBand(std::string_view band) {
  for (std::string_view refused : kRefusedBands) {
    if (band == refused) return true;
  }
  return false;
}

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

// A Russian station's district: two bytes as passed name a Moscow district,
// anything else an RDA district.
void CheckDistrict(const QsoArguments& qso, CInfo& record, JournalWriter& journal) {
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

// The texts of the band list, hashed, so that noting a band does not scan
// the list: a corrupted or hostile log can bring thousands of band texts.
// Only the intake appends to the list; the reset and the load state empty
// it and the result only reorders it. So the index describes the list as
// long as their sizes agree and the list's last text is indexed, and is
// rebuilt from the list otherwise. Used only under the state lock.
struct TextHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view text) const {
    return std::hash<std::string_view>{}(text);
  }
};
std::unordered_set<std::string, TextHash, std::equal_to<>> g_setNotedBands;

void NoteBand(const ContestStateLock& state, std::string_view band) {
  TextList& bands = state.Bands();
  if (g_setNotedBands.size() != bands.size() ||
      (!bands.empty() && !g_setNotedBands.contains(std::string_view(bands.back())))) {
    g_setNotedBands.clear();
    g_setNotedBands.insert(bands.begin(), bands.end());
    if (g_setNotedBands.size() != bands.size()) {
      // Repeated texts (never from here): fall back to the list itself.
      for (const std::string& known : bands) {
        if (known == band) return;
      }
      bands.emplace_back(band);
      return;
    }
  }
  if (g_setNotedBands.contains(band)) return;
  g_setNotedBands.emplace(band);
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
  if (IsRussianPrefix(qso.countryPrefix)) CheckDistrict(qso, record, journal);

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
