#pragma once
// The host's side of one contest in the simulator: the calls it makes into
// the plug-in, with every argument position filled as the host fills it
// (host_calls_win.h).
#include <string>

#include "calendar_time.h"
#include "host_calls_win.h"

namespace orvosim {

struct CheckAnswer {
  int result = 0;       // 1 nothing to object to, 4 not allowed now
  std::string warning;  // the plug-in's buffer at position 27
};

// What the host passes at every reset of the contest.
struct ResetCall {
  bool outputMode = false;
  std::string ownCall;  // ANSI
  host::DateTime end{};
  std::string ownPrefix;
};

// A valid host date-time at that calendar time.
host::DateTime HostDate(const CalendarTime& t);

class HostSession {
 public:
  explicit HostSession(const host::EntryPoints& entry) : m_calls(entry) {}

  int Reset(const ResetCall& call);
  int Add(const host::Qso& qso) { return m_calls.AddData(qso); }
  int Remove(const host::Qso& qso) { return m_calls.RemoveData(qso); }
  CheckAnswer Check(const std::string& call, const std::string& band, const std::string& mode);
  // The result text and what the plug-in left in the host's integer.
  std::string Result(int& flag);
  // A display command ("SHOWINFO", "HIDEINFO"); the plug-in's answer.
  std::string Command(const std::string& command);

 private:
  host::HostCalls m_calls;
};

}  // namespace orvosim
