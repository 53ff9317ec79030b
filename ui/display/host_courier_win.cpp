#include "ui/display/host_courier_win.h"

#include <mutex>

#include "engine/contest_rules.h"
#include "framework/dialog.h"
#include "platform/fault_boundary.h"
#include "ui/display/courier_proc_win.h"
#include "ui/display/thread_waits_win.h"
#include "ui/host_automation_win.h"

namespace stats {
namespace {

// Posted to the courier: serve what the display has put up.
constexpr UINT kServeMessage = WM_APP + 10;

// How long the display thread waits for the host's thread to answer.
constexpr DWORD kRequestLimitMs = 1000;

// COM on the host's thread for the time of one request. A host that
// initialised it already keeps its apartment; one that did not gets it only
// while the request runs, so nothing of ours stays in its thread.
class ComForRequest {
 public:
  ComForRequest() : m_hr(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComForRequest() {
    if (SUCCEEDED(m_hr)) CoUninitialize();
  }
  ComForRequest(const ComForRequest&) = delete;
  ComForRequest& operator=(const ComForRequest&) = delete;

 private:
  HRESULT m_hr;  // RPC_E_CHANGED_MODE: the thread is in the free apartment, also usable
};

bool RunOnHost(HostCourier::Request request, std::string& text, double& number) {
  const ComForRequest com;
  HostAutomation host;
  if (!host.Attach()) return false;
  switch (request) {
    case HostCourier::Request::AttachAndSetMode:
      // The contest's mode; a host that refuses is left as it is.
      if (host.RunMacro(kHostModeMacro)) host.RunMacro(kHostBaudRateMacro);
      return true;
    case HostCourier::Request::ReadEntryField: return host.ReadEntryField(text);
    case HostCourier::Request::ReadFrequency: return host.ReadFrequency(number);
    case HostCourier::Request::RunMacro: return host.RunMacro(text);
  }
  return false;
}

}  // namespace

namespace {
// Made at load, so that no first use has to be guarded between threads.
HostCourier g_courier;
}  // namespace

HostCourier& TheHostCourier() { return g_courier; }

namespace {

// The courier's serve message, from its procedure (courier_proc_win.h),
// which holds a reference to the module for the call.
LRESULT CALLBACK ServeCourier(HWND, UINT, WPARAM, LPARAM) {
  try {
    TheHostCourier().Serve();
  } catch (...) {
    TraceCaughtFault("host courier");
  }
  return 0;
}

}  // namespace

bool HostCourier::Open() {
  if (!m_hAnswered) m_hAnswered.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!m_hCancelled) m_hCancelled.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!m_hAnswered || !m_hCancelled) return false;
  // The host may have destroyed its thread's windows since, ours among them.
  HWND current = m_hWindow.load();
  if (current != nullptr && m_threadId == GetCurrentThreadId() && IsWindow(current)) return true;
  Close();
  CourierProc* proc = CourierProc::Make(kServeMessage, &ServeCourier);
  if (proc == nullptr) return false;
  // A system class, so that the module registers no class of its own that
  // would outlive it.
  HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                ModuleInstance(), nullptr);
  if (window == nullptr ||
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc->Procedure())) == 0) {
    if (window != nullptr) DestroyWindow(window);
    proc->LetGo(nullptr);
    return false;
  }
  m_pProc = proc;
  m_threadId = GetCurrentThreadId();
  {
    const std::lock_guard<Lock> hold(m_lock);
    m_bServePosted = false;  // nothing is queued for the new window
  }
  m_hWindow.store(window);
  return true;
}

void HostCourier::Close() {
  HWND window = m_hWindow.exchange(nullptr);
  CourierProc* proc = m_pProc;
  m_pProc = nullptr;
  if (proc != nullptr) proc->LetGo(window);
}

void HostCourier::LetGoOfModule() {
  if (m_pProc != nullptr) m_pProc->LetGoOfModule();
}

void HostCourier::Cancel() {
  if (m_hCancelled) SetEvent(m_hCancelled.get());
  const std::lock_guard<Lock> hold(m_lock);
  if (m_exchange.stage == Stage::PutUp) m_exchange = Exchange{};
}

void HostCourier::Resume() {
  if (m_hCancelled) ResetEvent(m_hCancelled.get());
  // A new display starts with no answer of an earlier one's; a request the
  // host still runs keeps its place until it returns.
  const std::lock_guard<Lock> hold(m_lock);
  if (m_exchange.stage != Stage::TakenUp) m_exchange = Exchange{};
}

bool HostCourier::TakeUnanswered() {
  const bool unanswered = m_bUnanswered;
  m_bUnanswered = false;
  return unanswered;
}

// Puts the request up for the host's thread, posting the serve message
// unless one is still queued. A request the display gave up on keeps its
// place while the host runs it: the same request (a read, the start-up)
// waits for that run, or takes its late answer; anything else, and another
// macro, is unanswered for now (the host's thread is busy in the earlier
// one) and asked again at the next step.
HostCourier::PutUpAs HostCourier::PutUp(Request request, const std::string& text) {
  HWND window = m_hWindow.load();
  {
    const std::lock_guard<Lock> hold(m_lock);
    if (m_exchange.givenUp && m_exchange.stage != Stage::None) {
      // A read's text is its answer; only a macro's text is its request.
      const bool adoptable = request != Request::RunMacro && m_exchange.request == request;
      if (m_exchange.stage == Stage::TakenUp && !adoptable) return PutUpAs::Busy;
      if (adoptable) {
        m_exchange.givenUp = false;
        ResetEvent(m_hAnswered.get());
        return m_exchange.stage == Stage::Answered ? PutUpAs::AnsweredLate : PutUpAs::Waiting;
      }
    }
    m_exchange = Exchange{Stage::PutUp, false, request, text, 0.0, false};
    ResetEvent(m_hAnswered.get());
    // A serve message still queued dies with its window, should the host
    // have destroyed it.
    if (m_bServePosted && IsWindow(window)) return PutUpAs::Waiting;
    m_bServePosted = true;
  }
  if (PostMessageW(window, kServeMessage, 0, 0)) return PutUpAs::Waiting;
  const std::lock_guard<Lock> hold(m_lock);
  m_bServePosted = false;
  m_exchange = Exchange{};
  return PutUpAs::Failed;
}

// The answer, if one came; otherwise the bound or the stop came first. A
// request not yet taken up is withdrawn: it never ran, and the next step
// asks again. One taken up runs on; a macro the host has begun counts as
// run, so that it is never sent twice for one change.
HostCourier::Reply HostCourier::TakeAnswerOrGiveUp(Request request, std::string& text,
                                                   double& number) {
  const std::lock_guard<Lock> hold(m_lock);
  switch (m_exchange.stage) {
    case Stage::Answered:
      text = m_exchange.text;
      number = m_exchange.number;
      m_exchange.stage = Stage::None;
      return m_exchange.ok ? Reply::Done : Reply::Failed;
    case Stage::PutUp: m_exchange = Exchange{}; break;
    case Stage::TakenUp:
      m_exchange.givenUp = true;
      if (request == Request::RunMacro) return Reply::Done;
      break;
    case Stage::None: break;
  }
  return Reply::Unanswered;
}

HostCourier::Reply HostCourier::Ask(Request request, std::string& text, double& number) {
  if (m_hWindow.load() == nullptr || !m_hAnswered || !m_hCancelled) return Reply::Failed;
  if (WaitForSingleObject(m_hCancelled.get(), 0) == WAIT_OBJECT_0) return Reply::Unanswered;
  Reply reply = Reply::Unanswered;
  switch (PutUp(request, text)) {
    case PutUpAs::Failed: return Reply::Failed;
    case PutUpAs::Busy: break;
    case PutUpAs::Waiting: {
      const HANDLE handles[] = {m_hAnswered.get(), m_hCancelled.get()};
      WaitWithWindowsLive(handles, 2, kRequestLimitMs);
      [[fallthrough]];
    }
    case PutUpAs::AnsweredLate: reply = TakeAnswerOrGiveUp(request, text, number); break;
  }
  const bool cancelled = WaitForSingleObject(m_hCancelled.get(), 0) == WAIT_OBJECT_0;
  if (reply == Reply::Unanswered && !cancelled) m_bUnanswered = true;
  return reply;
}

bool HostCourier::TakeUp(Exchange& taken) {
  const std::lock_guard<Lock> hold(m_lock);
  if (m_exchange.stage != Stage::PutUp) return false;
  m_exchange.stage = Stage::TakenUp;
  taken = m_exchange;
  return true;
}

// A late answer (the display gave up meanwhile) is kept for the display's
// next request of the same kind.
void HostCourier::Answer(const Exchange& answered) {
  const std::lock_guard<Lock> hold(m_lock);
  if (m_exchange.stage != Stage::TakenUp) return;  // withdrawn by the stop
  const bool givenUp = m_exchange.givenUp;
  m_exchange = answered;
  m_exchange.stage = Stage::Answered;
  m_exchange.givenUp = givenUp;
  if (!givenUp) SetEvent(m_hAnswered.get());
}

void HostCourier::Serve() {
  {
    const std::lock_guard<Lock> hold(m_lock);
    m_bServePosted = false;
  }
  // Reached from inside a host member that runs a loop of its own: the
  // request waits until that member has returned, below, rather than call
  // the host inside itself.
  if (m_bServing) return;
  Exchange exchange;
  while (TakeUp(exchange)) {
    m_bServing = true;
    try {
      exchange.ok = RunOnHost(exchange.request, exchange.text, exchange.number);
    } catch (...) {
      m_bServing = false;
      exchange.ok = false;
      Answer(exchange);
      throw;
    }
    m_bServing = false;
    Answer(exchange);
  }
}

HostCourier::Reply HostCourier::AttachAndSetMode() {
  std::string none;
  double unused = 0.0;
  return Ask(Request::AttachAndSetMode, none, unused);
}

bool HostCourier::ReadEntryField(std::string& call) {
  double unused = 0.0;
  return Ask(Request::ReadEntryField, call, unused) == Reply::Done;
}

bool HostCourier::ReadFrequency(double& hz) {
  std::string unused;
  return Ask(Request::ReadFrequency, unused, hz) == Reply::Done;
}

bool HostCourier::RunMacro(const std::string& macro) {
  std::string text = macro;
  double unused = 0.0;
  return Ask(Request::RunMacro, text, unused) == Reply::Done;
}

}  // namespace stats
