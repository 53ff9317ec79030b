#pragma once
// The module's link to the host's running automation object
// ("Orvo2.Application"), reached by dispatch id. Made by the courier on the
// host's own thread for one request and let go of with it; the host is
// never started, only found.
#include <oaidl.h>

#include <string>

#include "ui/com_owners_win.h"
#include "ui/host_link.h"

namespace stats {

class HostAutomation : public HostLink {
 public:
  // Finds the running host; false (and empty) when it is not running or
  // offers no dispatch interface. COM must be initialised on this thread.
  bool Attach();
  bool IsAttached() const { return static_cast<bool>(m_pDispatch); }

  bool ReadEntryField(std::string& call) override;
  bool ReadFrequency(double& hz) override;
  bool RunMacro(const std::string& macro) override;

 private:
  bool Invoke(DISPID id, WORD flags, VARIANT* args, UINT argCount, VARIANT* result);

  ComPtr<IDispatch> m_pDispatch;
};

}  // namespace stats
