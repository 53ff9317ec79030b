#pragma once
// The module's link to the host's running automation object
// ("Orvo2.Application"), reached by dispatch id. Lives on the display
// thread, which initialises COM for it; the host is never started, only
// found.
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
  // Lets go of the host's interface (on the thread that attached).
  void Release() { m_pDispatch.Reset(); }
  // Forgets the interface without calling the host: at unload the host's
  // thread is inside the loader and cannot answer.
  void Abandon() { m_pDispatch.Detach(); }

  bool ReadEntryField(std::string& call) override;
  bool ReadFrequency(double& hz) override;
  bool RunMacro(const std::string& macro) override;

 private:
  bool Invoke(DISPID id, WORD flags, VARIANT* args, UINT argCount, VARIANT* result);

  ComPtr<IDispatch> m_pDispatch;
};

}  // namespace stats
