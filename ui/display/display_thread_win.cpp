#include "ui/display/display_thread_win.h"

#include <array>
#include <memory>

#include "platform/fault_boundary.h"
#include "ui/display/display_objects_win.h"
#include "ui/display/thread_exit_win.h"
#include "ui/display/thread_waits_win.h"
#include "ui/info_window_win.h"
#include "ui/moscow_window_win.h"
#include "ui/rda_window_win.h"

namespace stats {
namespace {

// The display's windows that the thread's exit destroys, after its signal.
struct LeftForExit {
  std::array<HWND, 3> windows{};
  size_t count = 0;

  void Take(CDialog* dialog) {
    if (dialog == nullptr || dialog->GetSafeHwnd() == nullptr) return;
    windows[count++] = dialog->GetSafeHwnd();
    dialog->LetGoOfWindow();
  }
};
static_assert(std::tuple_size_v<decltype(LeftForExit::windows)> <= kMaxWindowsDestroyedAtExit);

// The information window's own loop: it serves the three windows until the
// window's run ends (closed or stopped) or the thread is told to quit.
void ServeUntilTheRunEnds(const baud& window) {
  MSG message;
  while (window.Ended() == baud::RunEnd::None && GetMessageW(&message, nullptr, 0, 0) > 0) {
    DispatchDisplayMessage(message);
  }
}

// Stopped for the unload, the objects let go of their windows, which the
// thread's exit destroys once the module may be gone: the host's unload
// waits for none of it (a window manager may make a hide wait).
void RunInformationWindow(LeftForExit& left) {
  auto window = std::make_unique<baud>();
  g_pBaud.store(window.get());
  if (window->Create(nullptr)) ServeUntilTheRunEnds(*window);
  if (window->Ended() == baud::RunEnd::Unload) {
    left.Take(g_pDxcc.get());
    left.Take(g_pOblast.get());
    left.Take(window.get());
    g_hBaudWindow.store(nullptr);
  }
  // The district windows belong to this thread and go with it, destroyed
  // here unless left for the exit above.
  CloseDistrictWindows();
  window->DestroyWindow();
  g_pBaud.store(nullptr);
  window.reset();
}

}  // namespace

DWORD WINAPI DisplayThreadProc(void* done) {
  DWORD exitCode = kDisplayEndedExitCode;
  LeftForExit left;
  if (g_pBaud.load() != nullptr) {
    exitCode = kSecondWindowExitCode;
  } else {
    try {
      RunInformationWindow(left);
    } catch (...) {
      TraceCaughtFault("display thread");
      g_pBaud.store(nullptr);
    }
  }
  SignalAndExitThread(static_cast<HANDLE>(done), exitCode,
                      std::span<const HWND>(left.windows.data(), left.count));
}

}  // namespace stats
