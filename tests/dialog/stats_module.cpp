#include "stats_module.h"

#include <cstdlib>

namespace dialog_test {
namespace {

std::string DllPath() {
  const char* configured = std::getenv("STATS_DLL");
  std::string path = configured != nullptr ? configured : "Stats.dll";
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

template <typename Function>
Function Export(HMODULE module, const char* name) {
  return module != nullptr ? reinterpret_cast<Function>(GetProcAddress(module, name)) : nullptr;
}

// 1 January 2024, the contest's end date for every reset.
ATL::COleDateTime ContestEnd() { return ATL::COleDateTime(45292.0, ATL::COleDateTime::valid); }

}  // namespace

StatsModule::StatsModule() : m_path(DllPath()) {
  m_module = LoadLibraryA(m_path.c_str());
  m_reset = Export<decltype(&ResetStats0)>(m_module, "ResetStats0");
  m_add = Export<decltype(&AddData0)>(m_module, "AddData0");
  m_result = Export<decltype(&GetResult0)>(m_module, "GetResult0");
}

StatsModule::~StatsModule() {
  if (m_module != nullptr) FreeLibrary(m_module);
}

int StatsModule::ResetStats(int outputMode, const std::string& ownCall,
                            const std::string& ownPrefix) {
  ATL::COleDateTime start = ContestEnd();
  ATL::COleDateTime end = ContestEnd();
  return m_reset("", outputMode, ownCall.c_str(), &start, &end, "", "", "", "", "", "", "", "",
                 "", ownPrefix.c_str(), 0, 0, 0, 0.0, 0.0, "", "", "");
}

int StatsModule::AddData(const std::string& ownCall, const Qso& qso) {
  ATL::COleDateTime time(qso.oleTime, ATL::COleDateTime::valid);
  ATL::COleDateTime none(0.0, ATL::COleDateTime::null);
  return m_add(ownCall.c_str(), qso.call.c_str(), &time, &none, &none, &none, 0, qso.freqHz,
               qso.mode.c_str(), qso.rstSent.c_str(), qso.rstRcvd.c_str(), qso.sent.c_str(),
               qso.rcvd.c_str(), "", "", "", "", "", "", "", "", "", qso.countryPrefix.c_str(), 0,
               0, 0, 0.0, 0.0, "", "", "", qso.band.c_str(), "");
}

std::string StatsModule::GetResult(int& result) {
  const char* text = m_result(&result);
  return text != nullptr ? text : "";
}

}  // namespace dialog_test
