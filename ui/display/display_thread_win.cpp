#include "ui/display/display_thread_win.h"

#include <memory>

#include "platform/fault_boundary.h"
#include "ui/display/display_objects_win.h"
#include "ui/display/thread_exit_win.h"
#include "ui/info_window_win.h"

namespace stats {
namespace {

void RunInformationWindow() {
  auto window = std::make_unique<baud>();
  g_pBaud.store(window.get());
  window->DoModal();
  // The district windows belong to this thread and go with it.
  CloseDistrictWindows();
  g_pBaud.store(nullptr);
  window.reset();
}

}  // namespace

DWORD WINAPI DisplayThreadProc(void* done) {
  DWORD exitCode = kDisplayEndedExitCode;
  if (g_pBaud.load() != nullptr) {
    exitCode = kSecondWindowExitCode;
  } else {
    try {
      RunInformationWindow();
    } catch (...) {
      TraceCaughtFault("display thread");
      g_pBaud.store(nullptr);
    }
  }
  SignalAndExitThread(static_cast<HANDLE>(done), exitCode);
}

}  // namespace stats
