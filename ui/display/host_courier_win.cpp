#include "ui/display/host_courier_win.h"

#include <mutex>

#include "engine/contest_rules.h"
#include "framework/dialog.h"
#include "platform/fault_boundary.h"
#include "ui/display/pinned_window_proc_win.h"
#include "ui/display/thread_waits_win.h"
#include "ui/host_automation_win.h"

namespace stats {
namespace {

// Posted to the courier; wParam: the request's serial number.
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
    case HostCourier::Request::Attach:
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

bool HostCourier::Open() {
  if (!m_hAnswered) m_hAnswered.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!m_hCancelled) m_hCancelled.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!m_hAnswered || !m_hCancelled) return false;
  // The host may have destroyed its thread's windows since, ours among them.
  HWND current = m_hWindow.load();
  if (current != nullptr && m_threadId == GetCurrentThreadId() && IsWindow(current)) return true;
  Close();
  // A system class, so that the module registers no class of its own that
  // would outlive it.
  HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                ModuleInstance(), nullptr);
  if (window == nullptr) return false;
  SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&stats_PinnedCourierProc));
  m_threadId = GetCurrentThreadId();
  m_hWindow.store(window);
  return true;
}

void HostCourier::Close() {
  HWND window = m_hWindow.exchange(nullptr);
  if (window == nullptr) return;
  if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
    DestroyWindow(window);
    return;
  }
  // Only its own thread may destroy it: the system's procedure takes over
  // what is queued, and closes the window when its thread gets to it.
  SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DefWindowProcW));
  PostMessageW(window, WM_CLOSE, 0, 0);
}

void HostCourier::Cancel() {
  if (m_hCancelled) SetEvent(m_hCancelled.get());
}

void HostCourier::Resume() {
  if (m_hCancelled) ResetEvent(m_hCancelled.get());
}

HostCourier::Reply HostCourier::Ask(Request request, std::string& text, double& number) {
  HWND window = m_hWindow.load();
  if (window == nullptr || !m_hAnswered || !m_hCancelled) return Reply::Failed;
  if (WaitForSingleObject(m_hCancelled.get(), 0) == WAIT_OBJECT_0) return Reply::Unanswered;
  // Never 0, and never that of a request still queued from before.
  if (++m_nLastSerial == 0) ++m_nLastSerial;
  const unsigned serial = m_nLastSerial;
  {
    const std::lock_guard<Lock> hold(m_lock);
    m_exchange = Exchange{serial, request, text, 0.0, false, false};
    ResetEvent(m_hAnswered.get());
  }
  if (!PostMessageW(window, kServeMessage, serial, 0)) return Reply::Failed;
  const HANDLE handles[] = {m_hAnswered.get(), m_hCancelled.get()};
  const DWORD start = GetTickCount();
  for (;;) {
    const DWORD waited = TicksSince(start);
    const int woke =
        WaitWithWindowsLive(handles, 2, waited < kRequestLimitMs ? kRequestLimitMs - waited : 0);
    const std::lock_guard<Lock> hold(m_lock);
    if (woke == 0 && m_exchange.done) {
      text = m_exchange.text;
      number = m_exchange.number;
      return m_exchange.ok ? Reply::Done : Reply::Failed;
    }
    if (woke != 0) {
      m_exchange.serial = 0;  // given up: a late answer is dropped
      return Reply::Unanswered;
    }
  }
}

void HostCourier::Serve(unsigned serial) {
  Request request;
  std::string text;
  double number = 0.0;
  {
    const std::lock_guard<Lock> hold(m_lock);
    if (m_exchange.serial != serial || m_exchange.done) return;
    request = m_exchange.request;
    text = m_exchange.text;
  }
  // A request reached from inside a host member that runs a loop of its own
  // fails at once rather than call the host inside itself.
  if (m_bServing) {
    Answer(serial, false, std::string(), 0.0);
    return;
  }
  m_bServing = true;
  bool ok = false;
  try {
    ok = RunOnHost(request, text, number);
  } catch (...) {
    m_bServing = false;
    Answer(serial, false, std::string(), 0.0);
    throw;
  }
  m_bServing = false;
  Answer(serial, ok, text, number);
}

void HostCourier::Answer(unsigned serial, bool ok, const std::string& text, double number) {
  const std::lock_guard<Lock> hold(m_lock);
  if (m_exchange.serial != serial) return;
  m_exchange.ok = ok;
  m_exchange.text = text;
  m_exchange.number = number;
  m_exchange.done = true;
  SetEvent(m_hAnswered.get());
}

HostCourier::Reply HostCourier::Attach() {
  std::string none;
  double unused = 0.0;
  return Ask(Request::Attach, none, unused);
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

// The courier's window procedure body (pinned_window_proc_win.h): returns
// the module reference it took for a request, which the procedure drops
// after its last instruction of the module.
extern "C" HMODULE __stdcall stats_CourierBody(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam, LRESULT* result) {
  *result = 0;
  if (message != stats::kServeMessage) {
    *result = DefWindowProcW(window, message, wParam, lParam);
    return nullptr;
  }
  // The host may unload the module from inside its own member (a loop of
  // its own that runs its timers): the reference keeps this code mapped
  // until the member has returned here.
  HMODULE pinned = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                     reinterpret_cast<LPCWSTR>(&stats::TheHostCourier()), &pinned);
  try {
    stats::TheHostCourier().Serve(static_cast<unsigned>(wParam));
  } catch (...) {
    stats::TraceCaughtFault("host courier");
  }
  return pinned;
}
