#include "host_session.h"

#include <cstring>

namespace orvosim {
namespace {

constexpr const char* kEmpty = "";
constexpr std::size_t kHostBufferSize = 100;

}  // namespace

int HostSession::Reset(bool outputMode, const std::string& ownCall, HostDateTime end,
                       const std::string& ownPrefix) {
  HostDateTime start;  // the contest start: null, the module ignores it
  const char* e = kEmpty;
  return m_plugin.resetStats(e, outputMode ? 1 : 0, ownCall.c_str(), &start, &end, e, e, e, e, e,
                             e, e, e, e, ownPrefix.c_str(), 0, 0, 0, 0.0, 0.0, e, e, e);
}

int HostSession::Add(const HostQso& qso) { return PassQso(m_plugin.addData, qso); }

int HostSession::Remove(const HostQso& qso) { return PassQso(m_plugin.removeData, qso); }

int HostSession::PassQso(AddDataFn fn, const HostQso& qso) {
  HostDateTime time = qso.time;
  HostDateTime unused3, unused4, unused5;
  const char* e = kEmpty;
  return fn(qso.ownCall.c_str(), qso.call.c_str(), &time, &unused3, &unused4, &unused5, 0,
            qso.freqHz, qso.mode.c_str(), qso.rstSent.c_str(), qso.rstRcvd.c_str(),
            qso.sent.c_str(), qso.rcvd.c_str(), e, e, e, e, e, e, e, e, e,
            qso.countryPrefix.c_str(), 0, 0, 0, 0.0, 0.0, e, qso.extra.c_str(), e, qso.band.c_str(),
            e);
}

CheckAnswer HostSession::Check(const std::string& call, const std::string& band,
                               const std::string& mode) {
  // Both buffers are the host's, 100 bytes each; the last byte stays a
  // terminator whatever the module writes before it.
  char unusedBuffer[kHostBufferSize] = {};
  char warning[kHostBufferSize + 1] = {};
  const char* e = kEmpty;
  CheckAnswer answer;
  answer.result = m_plugin.checkCall(call.c_str(), 0, 0, mode.c_str(), e, e, e, e, e, e, e, e, e,
                                     e, 0, 0, 0, 0.0, 0.0, e, e, e, e, e, band.c_str(), e,
                                     unusedBuffer, warning);
  answer.warning.assign(warning, strnlen(warning, kHostBufferSize));
  return answer;
}

std::string HostSession::Result(int& flag) {
  const char* text = m_plugin.getResult(&flag);
  return text == nullptr ? std::string() : std::string(text);
}

std::string HostSession::Command(const std::string& command) {
  const char* text = m_plugin.runCommand(0, command.c_str());
  return text == nullptr ? std::string() : std::string(text);
}

}  // namespace orvosim
