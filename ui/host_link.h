#pragma once
// The three members of the host's automation object that the display uses.
// Each returns false when the call failed (host gone, member missing, a
// result of the wrong type); the update step then ends where it is.
#include <string>

namespace stats {

class HostLink {
 public:
  virtual ~HostLink() = default;
  // The call the operator is entering (member 8 with argument 5), as ANSI text.
  virtual bool ReadEntryField(std::string& call) = 0;
  // The current frequency in Hz (member 2).
  virtual bool ReadFrequency(double& hz) = 0;
  // Runs one of the host's macros (member 16).
  virtual bool RunMacro(const std::string& macro) = 0;
};

}  // namespace stats
