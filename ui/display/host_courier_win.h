#pragma once
// The display's way to the host's automation object. The object lives on
// the host's window thread, which also calls every export and unloads the
// module; a call into it from the display thread would wait until that
// thread serves its messages, and could not be broken off. So the display
// thread never calls it: it posts its request to the courier, a
// message-only window on the host's thread, and waits for the answer or for
// the display's stop, whichever comes first. The host's own loop reaches the
// courier between its other messages, and the courier calls the object
// there, in its own apartment, as a direct call. One request at a time: a
// request the host runs late is never run twice, and none is lost.
#include <windows.h>

#include <atomic>
#include <string>

#include "platform/lock.h"
#include "platform/win32_handles.h"
#include "ui/host_link.h"

namespace stats {

class CourierProc;

class HostCourier : public HostLink {
 public:
  enum class Request { AttachAndSetMode, ReadEntryField, ReadFrequency, RunMacro };
  // How a request ended: run (successfully), failed or refused, or not
  // answered within its bound or before the display's stop.
  enum class Reply { Done, Failed, Unanswered };

  // Host's thread: makes the window on the calling thread (anew when an
  // earlier one belongs to another thread or is gone). False when it cannot
  // be made; the display then finds no host.
  bool Open();
  // The thread the window is on (0 before the first Open); host's thread.
  DWORD ThreadId() const { return m_threadId; }
  // Takes the window away, on any thread: its procedure lets go of the
  // module at once, so nothing queued for it reaches the module.
  void Close();
  // The module is being unloaded (inside the loader, any thread): from now
  // on the courier's procedure calls none of its code, before the display
  // is stopped and the courier closed.
  void LetGoOfModule();
  // Every wait of the display thread ends at once, its requests fail, and
  // one not yet taken up by the host is withdrawn, until Resume.
  void Cancel();
  void Resume();

  // Display thread. Each request waits at most about a second for the
  // host's thread, with the display's windows live meanwhile; a host that
  // does not answer leaves them showing what they showed, and the request
  // is asked again at the next step (TakeUnanswered).
  //
  // Finds the host and puts it into the contest's mode.
  Reply AttachAndSetMode();
  bool ReadEntryField(std::string& call) override;
  bool ReadFrequency(double& hz) override;
  // A macro that the host has begun to run when the bound is reached counts
  // as run: it is never sent twice for one change.
  bool RunMacro(const std::string& macro) override;
  // Whether a request since the last call went unanswered (its bound
  // reached, or the host busy in an earlier one); clears it.
  bool TakeUnanswered();

  // Host's thread, from the courier's window: runs the request the display
  // has put up, and any put up meanwhile.
  void Serve();

 private:
  // Where the one request stands: put up by the display, taken up by the
  // host's thread, answered. A request given up while put up is withdrawn
  // (it never ran); one given up while taken up runs to its end, and its
  // late answer is taken by the display's next request if that is the same
  // read or start-up.
  enum class Stage { None, PutUp, TakenUp, Answered };
  struct Exchange {
    Stage stage = Stage::None;
    bool givenUp = false;  // the display no longer waits for it
    Request request = Request::AttachAndSetMode;
    std::string text;     // the macro in, the call out
    double number = 0.0;  // the frequency out
    bool ok = false;
  };

  enum class PutUpAs { Waiting, AnsweredLate, Busy, Failed };

  Reply Ask(Request request, std::string& text, double& number);
  PutUpAs PutUp(Request request, const std::string& text);
  Reply TakeAnswerOrGiveUp(Request request, std::string& text, double& number);
  bool TakeUp(Exchange& taken);
  void Answer(const Exchange& answered);

  Lock m_lock;
  Exchange m_exchange;              // under m_lock
  bool m_bServePosted = false;      // under m_lock: a serve message is in the courier's queue
  UniqueKernelObject m_hAnswered;   // set when an answer is stored
  UniqueKernelObject m_hCancelled;  // set by Cancel, reset by Resume
  std::atomic<HWND> m_hWindow{nullptr};  // the courier, on m_threadId
  CourierProc* m_pProc = nullptr;        // its procedure; host's thread (Close: any)
  DWORD m_threadId = 0;                  // host's thread only
  bool m_bUnanswered = false;            // display thread only
  bool m_bServing = false;               // host's thread: a request is running
};

// The module's one courier.
HostCourier& TheHostCourier();

}  // namespace stats
