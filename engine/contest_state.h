#pragma once
// The contest's statistics: one instance per loaded module, empty at load,
// filled by the host through the entry points and read by the reports and
// the display thread.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "engine/code_list.h"
#include "engine/contest_rules.h"
#include "engine/qso_log.h"
#include "engine/text_hash.h"

namespace stats {

using TextList = std::vector<std::string>;

// The texts of the band list, hashed, so that noting a band does not scan
// the list: a corrupted or hostile log can bring thousands of band texts.
using TextIndex = std::unordered_set<std::string, TextHash, std::equal_to<>>;
using PerBand = std::array<TextList, kBandCount>;

extern const std::string g_strIniSection;
extern const std::string g_strIniFile;

// The host's settings buffer: the platform returns a value whole, and the
// readers that keep the design's buffer ("Start", the window places, the
// "RusObl" and "DXCC" flags) cut it to 99 characters themselves.
inline constexpr std::size_t kIniBufferSize = 100;

// The only way to the shared contest state. Constructing one takes the state
// lock (g_stateLock), destroying it releases it; every accessor returns the
// object it is named after, valid for as long as this lock lives. The entry
// points hold one while they change the state, the display thread while it
// reads it. The lock is not recursive: a thread that holds one must not make
// a second one, nor call anything that does, so helpers that run inside a
// locked scope take the caller's lock as a parameter. Nothing slow (file
// writes, dialogs, starting or stopping the display) belongs in a locked
// scope: the display thread waits on it to draw.
class ContestStateLock {
 public:
  ContestStateLock();
  ~ContestStateLock();
  ContestStateLock(const ContestStateLock&) = delete;
  ContestStateLock& operator=(const ContestStateLock&) = delete;

  QsoLog& Log() const;            // g_arrLog: accepted QSOs in order of intake
  TextList& Bands() const;        // g_arrBands: band texts seen, each once
  TextIndex& BandIndex() const;   // g_setNotedBands: the texts of Bands(), for the intake
  PerBand& BandRows() const;      // g_arrBandRows: per band, the band and "-" three times
  PerBand& RdaByBand() const;     // g_arrRdaByBand: per band, distinct RDA districts worked
  PerBand& MoscowByBand() const;  // g_arrMoscowByBand: per band, distinct Moscow districts
  CodeList& RdaCodes() const;     // g_arrRdaCodes: valid RDA codes, in the order of the file
  int& Russian() const;           // g_bRussian: 1: Russian wording; no reset clears it
  int& Output() const;            // g_bOutput: output mode of the last reset
  int& Start() const;             // g_nStart: "Start" as read by the last reset
  std::string& OwnCall() const;   // g_strOwnCall
  std::string& EndDate() const;   // g_strEndDate: contest end, "%d.%m.%Y"
  std::string& EndYear() const;   // g_strEndYear: contest end, "%Y"
};

// Test hook (tests, fuzzers and benchmarks; the module never calls it): puts
// every value back to what it is when the module has just been loaded.
// Takes the state lock itself.
void RestoreLoadState();

}  // namespace stats
