#pragma once
// The plug-in as the host sees it: the DLL loaded by path, its exports
// called with the host's argument lists.
#include <windows.h>

#include <string>

#include "plugin/exports.h"

namespace dialog_test {

// One QSO as the tests pass it; the other arguments stay empty.
struct Qso {
  std::string call;
  double oleTime;
  unsigned int freqHz;
  std::string mode, rstSent, rstRcvd, sent, rcvd, countryPrefix, band;
};

class StatsModule {
 public:
  // Loads the DLL named by the STATS_DLL environment variable (a POSIX path
  // under wine is reached through drive Z:).
  StatsModule();
  ~StatsModule();
  StatsModule(const StatsModule&) = delete;
  StatsModule& operator=(const StatsModule&) = delete;

  bool Loaded() const { return m_module != nullptr && m_reset && m_add && m_result; }
  const std::string& Path() const { return m_path; }

  int ResetStats(int outputMode, const std::string& ownCall, const std::string& ownPrefix);
  int AddData(const std::string& ownCall, const Qso& qso);
  std::string GetResult(int& result);

 private:
  std::string m_path;
  HMODULE m_module = nullptr;
  decltype(&ResetStats0) m_reset = nullptr;
  decltype(&AddData0) m_add = nullptr;
  decltype(&GetResult0) m_result = nullptr;
};

}  // namespace dialog_test
