#include "host_calls_win.h"

#include <oleauto.h>

#include <atomic>

namespace host {
namespace {

thread_local int t_exportDepth = 0;
std::atomic<int> g_reentries{0};

DateTime OleDateOf(const SYSTEMTIME& time) {
  SYSTEMTIME whole = time;
  whole.wMilliseconds = 0;
  DateTime result = kNullDateTime;
  if (SystemTimeToVariantTime(&whole, &result.date)) result.status = DateTime::kValid;
  return result;
}

// Values for the positions the module ignores.
constexpr const char* kIgnoredText = "ignored";
constexpr int kIgnoredInt = 7;
constexpr double kIgnoredDouble = 1.5;

int CallQsoEntry(AddDataFn entry, const Qso& qso) {
  DateTime time = qso.time;
  DateTime other = MakeDateTime(2001, 2, 3, 4, 5);
  const char* x = kIgnoredText;
  return entry(qso.ownCall.c_str(), qso.call.c_str(), &time, &other, &other, &other, 12345u,
               qso.freqHz, qso.mode.c_str(), qso.rstSent.c_str(), qso.rstRcvd.c_str(),
               qso.sent.c_str(), qso.rcvd.c_str(), x, x, x, x, x, x, x, x, x,
               qso.countryPrefix.c_str(), kIgnoredInt, kIgnoredInt, kIgnoredInt, kIgnoredDouble,
               kIgnoredDouble, x, qso.extra.c_str(), x, qso.band.c_str(), x);
}

}  // namespace

ExportCall::ExportCall() {
  if (t_exportDepth++ > 0) ++g_reentries;
}

ExportCall::~ExportCall() { --t_exportDepth; }

int ReentryCount() { return g_reentries; }

int ExportDepth() { return t_exportDepth; }

int HostCalls::AddData(const Qso& qso) const {
  const ExportCall inExport;
  return CallQsoEntry(m_entry.addData, qso);
}

int HostCalls::RemoveData(const Qso& qso) const {
  const ExportCall inExport;
  return CallQsoEntry(m_entry.removeData, qso);
}

int HostCalls::ResetStats(const ResetArgs& args) const {
  const ExportCall inExport;
  DateTime start = MakeDateTime(2001, 2, 3, 4, 5);
  DateTime end = args.end;
  const char* x = kIgnoredText;
  return m_entry.resetStats(x, args.outputMode, args.ownCall.c_str(), &start, &end, x, x, x, x, x,
                            x, x, x, x, args.ownCountryPrefix.c_str(), kIgnoredInt, kIgnoredInt,
                            kIgnoredInt, kIgnoredDouble, kIgnoredDouble, x, x, x);
}

int HostCalls::CheckCall(const std::string& call, const std::string& mode,
                         const std::string& band, char* warning, char* unused) const {
  const ExportCall inExport;
  const char* x = kIgnoredText;
  return m_entry.checkCall(call.c_str(), 1u, 2u, mode.c_str(), x, x, x, x, x, x, x, x, x, x,
                           kIgnoredInt, kIgnoredInt, kIgnoredInt, kIgnoredDouble, kIgnoredDouble,
                           x, x, x, x, x, band.c_str(), x, unused, warning);
}

int HostCalls::IsValidExchg(const std::string& exchange, const std::string& countryPrefix) const {
  const ExportCall inExport;
  return m_entry.isValidExchg(exchange.c_str(), kIgnoredText, countryPrefix.c_str(), kIgnoredText,
                              kIgnoredInt, kIgnoredInt, kIgnoredInt);
}

std::string HostCalls::GetResult(int* status) const {
  const ExportCall inExport;
  const char* text = m_entry.getResult(status);
  return text != nullptr ? std::string(text) : std::string("<null>");
}

const char* HostCalls::RunCommand(const char* command) const {
  const ExportCall inExport;
  return m_entry.runCommand(0, command);
}

DateTime MakeDateTime(int year, int month, int day, int hour, int minute) {
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(year);
  time.wMonth = static_cast<WORD>(month);
  time.wDay = static_cast<WORD>(day);
  time.wHour = static_cast<WORD>(hour);
  time.wMinute = static_cast<WORD>(minute);
  return OleDateOf(time);
}

DateTime CurrentUtc() {
  SYSTEMTIME now;
  GetSystemTime(&now);
  return OleDateOf(now);
}

int CurrentUtcHour() {
  SYSTEMTIME now;
  GetSystemTime(&now);
  return now.wHour;
}

}  // namespace host
