#pragma once
// The module as the host sees it, for the benchmarks: a working directory of
// its own with Plugins/, a generated RDA list and the settings file, a
// portable platform set as current, and generated QSO streams fed through
// the export functions.
#include <cstddef>
#include <string>
#include <vector>

#include "platform/ole_date_time.h"
#include "platform/portable_platform.h"

namespace bench {

inline constexpr int kRdaCodeCount = 3000;
inline constexpr std::size_t kLogSize = 100000;
inline constexpr const char* kOwnCall = "DL1ABC";
inline constexpr const char* kOwnPrefix = "DL";

// One QSO as the host passes it; the texts stay alive for the call.
struct HostQso {
  std::string call, band, mode, sent, rcvd, prefix, extra;
  std::string rstSent = "599";
  std::string rstRcvd = "599";
  unsigned int freqHz = 0;
  ATL::COleDateTime time;
};

// How a generated stream is mixed.
struct QsoMix {
  int refusedPercent;  // refused by band, mode or missing exchange
  unsigned seed;
};

// The process-wide environment; created by main() before any benchmark.
class Environment {
 public:
  static Environment& Get();

  void Create();   // temp directory, RDA file, settings, current platform
  void Destroy();  // back to the previous directory, temp directory removed

  stats::PortablePlatform& platform() { return m_platform; }
  // The RDA codes written to the file, in file order.
  const std::vector<std::string>& rdaCodes() const { return m_rdaCodes; }

  // ResetStats0 in display mode (no station dialog, no display start).
  int Reset();
  // AddData0 with the QSO's arguments at their host positions.
  static int Add(HostQso& qso);

  // A deterministic stream of `count` QSOs with the given mix.
  std::vector<HostQso> MakeStream(std::size_t count, const QsoMix& mix) const;

  // Which stream the contest log holds now (0: none or unknown); lets the
  // read-only benchmarks skip refilling a log another run left in place.
  unsigned loadedStream = 0;

 private:
  std::string m_previousDir;
  std::string m_dir;
  stats::PortablePlatform m_platform;
  std::vector<std::string> m_rdaCodes;
};

// Resets the module and feeds the stream; returns the number accepted.
std::size_t LoadLog(std::vector<HostQso>& stream);

// The log of most-accepted QSOs that the result and call-check benchmarks
// read; built once and kept while no other benchmark replaces it.
void EnsureMostlyAcceptedLog();

}  // namespace bench
