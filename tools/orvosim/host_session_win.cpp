#include "host_session_win.h"

#include <cstring>

namespace orvosim {
namespace {

constexpr std::size_t kHostBufferSize = 100;

std::string TextOrEmpty(const char* text) { return text == nullptr ? std::string() : text; }

}  // namespace

host::DateTime HostDate(const CalendarTime& t) {
  return host::DateTime{stats::CalendarToOleDate(t), host::DateTime::kValid};
}

int HostSession::Reset(const ResetCall& call) {
  host::ResetArgs args;
  args.outputMode = call.outputMode ? 1 : 0;
  args.ownCall = call.ownCall;
  args.ownCountryPrefix = call.ownPrefix;
  args.end = call.end;
  return m_calls.ResetStats(args);
}

CheckAnswer HostSession::Check(const std::string& call, const std::string& band,
                               const std::string& mode) {
  // Both buffers are the host's, 100 bytes each; the last byte stays a
  // terminator whatever the module writes before it.
  char unusedBuffer[kHostBufferSize] = {};
  char warning[kHostBufferSize + 1] = {};
  CheckAnswer answer;
  answer.result = m_calls.CheckCall(call, mode, band, warning, unusedBuffer);
  answer.warning.assign(warning, strnlen(warning, kHostBufferSize));
  return answer;
}

std::string HostSession::Result(int& flag) {
  const host::ExportCall inExport;
  return TextOrEmpty(m_calls.Entry().getResult(&flag));
}

std::string HostSession::Command(const std::string& command) {
  return TextOrEmpty(m_calls.RunCommand(command.c_str()));
}

}  // namespace orvosim
