#pragma once
// The host's side of one contest: the calls it makes into the plug-in and
// the argument positions it fills. Positions the contest module does not
// read get "" or 0, never a null pointer.
#include <string>

#include "plugin_library.h"

namespace orvosim {

// One QSO in the host's form; texts are ANSI.
struct HostQso {
  std::string ownCall, call, mode, rstSent, rstRcvd, sent, rcvd, countryPrefix, extra, band;
  HostDateTime time;
  unsigned int freqHz = 0;
};

struct CheckAnswer {
  int result = 0;       // 1 nothing to object to, 4 not allowed now
  std::string warning;  // the plug-in's buffer at position 27
};

class HostSession {
 public:
  explicit HostSession(PluginLibrary& plugin) : m_plugin(plugin) {}

  int Reset(bool outputMode, const std::string& ownCall, HostDateTime end,
            const std::string& ownPrefix);
  int Add(const HostQso& qso);
  int Remove(const HostQso& qso);
  CheckAnswer Check(const std::string& call, const std::string& band, const std::string& mode);
  // The result text and what the plug-in left in the host's integer.
  std::string Result(int& flag);
  // A display command ("SHOWINFO", "HIDEINFO"); the plug-in's answer.
  std::string Command(const std::string& command);

 private:
  int PassQso(AddDataFn fn, const HostQso& qso);

  PluginLibrary& m_plugin;
};

}  // namespace orvosim
