#pragma once
// The plug-in as the dialog tests drive it: the DLL named by STATS_DLL (a
// POSIX path under wine is reached through drive Z:), loaded and bound by
// the shared host loader, its exports called with the host's argument
// lists (tools/host/).
#include <string>

#include "host_calls_win.h"
#include "stats_module_win.h"

namespace dialog_test {

using host::Qso;

class StatsModule {
 public:
  StatsModule();

  bool Loaded() const;
  const std::string& Path() const { return m_module.Path(); }

  int ResetStats(int outputMode, const std::string& ownCall, const std::string& ownPrefix);
  // The QSO as logged by `ownCall`.
  int AddData(const std::string& ownCall, Qso qso);
  std::string GetResult(int& result);

 private:
  host::StatsModule m_module;
  host::HostCalls m_calls;
};

}  // namespace dialog_test
