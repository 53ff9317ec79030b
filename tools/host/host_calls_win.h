#pragma once
// The host's side of each call: fills every argument position the way the
// host does (positions the module ignores get texts and numbers of their
// own, never nulls, so that a shifted argument shows) and calls through the
// bound entry points.
//
// Each call is also watched for re-entry: a host calls one export at a time
// on its thread, so an export entered while another is still on the same
// thread's stack (from a message some wait inside the first one dispatched)
// is counted.
#include <string>

#include "stats_module_win.h"

namespace host {

// One QSO as the host hands it to AddData0 and RemoveData0.
struct Qso {
  std::string ownCall = "RA9XYZ";
  std::string call = "DL1AA";
  DateTime time{};
  unsigned int freqHz = 3585123;
  std::string mode = "RTTY";
  std::string rstSent = "599";
  std::string rstRcvd = "599";
  std::string sent = "001";
  std::string rcvd = "0017";
  std::string countryPrefix = "DL";
  std::string extra = "extra text";
  std::string band = "80m";
};

// What the host passes to ResetStats0. Output mode 1 shows the modal
// station dialog, which then has to be answered from another thread.
struct ResetArgs {
  int outputMode = 0;
  std::string ownCall = "RA9XYZ";
  std::string ownCountryPrefix = "DL";
  DateTime end{};
};

// One export call on this thread's stack, from construction to
// destruction. Entered while another is open on the same thread, it is
// counted as a re-entry. Whatever else the host must never do inside an
// export (unloading the module) can be watched with it too.
class ExportCall {
 public:
  ExportCall();
  ~ExportCall();
  ExportCall(const ExportCall&) = delete;
  ExportCall& operator=(const ExportCall&) = delete;
};

// Calls entered while another export was on the same thread's stack, in
// this process so far.
int ReentryCount();
// Exports on the calling thread's stack now.
int ExportDepth();

class HostCalls {
 public:
  explicit HostCalls(const EntryPoints& entry) : m_entry(entry) {}

  int AddData(const Qso& qso) const;
  int RemoveData(const Qso& qso) const;
  int ResetStats(const ResetArgs& args) const;
  // Position 27 gets `warning`, position 26 gets `unused`.
  int CheckCall(const std::string& call, const std::string& mode, const std::string& band,
                char* warning, char* unused = nullptr) const;
  int IsValidExchg(const std::string& exchange, const std::string& countryPrefix) const;
  // The result text, copied; the integer at `status` as the host passed it
  // unless the module changes it.
  std::string GetResult(int* status) const;
  // The module's answer to a display command ("SHOWINFO", "HIDEINFO"), as
  // the module returns it (null stays null).
  const char* RunCommand(const char* command) const;

  const EntryPoints& Entry() const { return m_entry; }

 private:
  EntryPoints m_entry;
};

// A valid date-time at that calendar time.
DateTime MakeDateTime(int year, int month, int day, int hour, int minute);
// A valid date-time holding the current UTC time.
DateTime CurrentUtc();
// The current UTC hour of the day, 0 to 23.
int CurrentUtcHour();

}  // namespace host
