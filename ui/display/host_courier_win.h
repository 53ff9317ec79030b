#pragma once
// The display's way to the host's automation object. The object lives on
// the host's window thread, which also calls every export and unloads the
// module; a call into it from the display thread would wait until that
// thread serves its messages, and could not be broken off. So the display
// thread never calls it: it posts its request to the courier, a
// message-only window on the host's thread, and waits for the answer or for
// the display's stop, whichever comes first. The host's own loop reaches the
// courier between its other messages, and the courier calls the object
// there, in its own apartment, as a direct call.
#include <windows.h>

#include <atomic>
#include <string>

#include "platform/lock.h"
#include "platform/win32_handles.h"
#include "ui/host_link.h"

namespace stats {

class HostCourier : public HostLink {
 public:
  enum class Request { Attach, ReadEntryField, ReadFrequency, RunMacro };
  // How a request ended: run (successfully), failed or refused, or not
  // answered within its bound or before the display's stop.
  enum class Reply { Done, Failed, Unanswered };

  // Host's thread: makes the window on the calling thread (anew when an
  // earlier one belongs to another thread). False when it cannot be made;
  // the display then finds no host.
  bool Open();
  // Takes the window away; from another thread than its own, its procedure
  // is first replaced, so that nothing queued for it reaches the module.
  void Close();
  // Every wait of the display thread ends at once, and its requests fail,
  // until Resume.
  void Cancel();
  void Resume();

  // Display thread. Each request waits at most about a second for the
  // host's thread, with the display's windows live meanwhile; a host that
  // does not answer leaves them showing what they showed.
  //
  // Finds the host and puts it into the contest's mode.
  Reply Attach();
  bool ReadEntryField(std::string& call) override;
  bool ReadFrequency(double& hz) override;
  bool RunMacro(const std::string& macro) override;

  // Host's thread, from the courier's window: runs the request numbered
  // `serial` unless the display has given up on it.
  void Serve(unsigned serial);

 private:
  struct Exchange {
    unsigned serial = 0;  // the request the display waits for; 0 none
    Request request = Request::Attach;
    std::string text;     // the macro in, the call out
    double number = 0.0;  // the frequency out
    bool done = false;
    bool ok = false;
  };

  Reply Ask(Request request, std::string& text, double& number);
  void Answer(unsigned serial, bool ok, const std::string& text, double number);

  Lock m_lock;
  Exchange m_exchange;              // under m_lock
  UniqueKernelObject m_hAnswered;   // set when an answer is stored
  UniqueKernelObject m_hCancelled;  // set by Cancel, reset by Resume
  std::atomic<HWND> m_hWindow{nullptr};  // the courier, on m_threadId
  DWORD m_threadId = 0;                  // host's thread only
  unsigned m_nLastSerial = 0;            // display thread only
  bool m_bServing = false;               // host's thread: a request is running
};

// The module's one courier.
HostCourier& TheHostCourier();

}  // namespace stats
