#include "stats_module.h"

namespace dialog_test {
namespace {

// 1 January 2024, the contest's end date for every reset.
constexpr host::DateTime kContestEnd{45292.0, host::DateTime::kValid};

}  // namespace

StatsModule::StatsModule()
    : m_module(host::StatsDllPath("Stats.dll")), m_calls(m_module.Bind(host::Binding::Plain)) {}

bool StatsModule::Loaded() const {
  const host::EntryPoints& entry = m_calls.Entry();
  return m_module.IsLoaded() && entry.resetStats && entry.addData && entry.getResult;
}

int StatsModule::ResetStats(int outputMode, const std::string& ownCall,
                            const std::string& ownPrefix) {
  host::ResetArgs args;
  args.outputMode = outputMode;
  args.ownCall = ownCall;
  args.ownCountryPrefix = ownPrefix;
  args.end = kContestEnd;
  return m_calls.ResetStats(args);
}

int StatsModule::AddData(const std::string& ownCall, Qso qso) {
  qso.ownCall = ownCall;
  return m_calls.AddData(qso);
}

std::string StatsModule::GetResult(int& result) {
  const char* text = m_calls.Entry().getResult(&result);
  return text != nullptr ? text : "";
}

}  // namespace dialog_test
