#include "ui/display/display_objects_win.h"

#include "ui/info_window_win.h"
#include "ui/moscow_window_win.h"
#include "ui/rda_window_win.h"

namespace stats {

std::atomic<baud*> g_pBaud{nullptr};
std::atomic<HWND> g_hBaudWindow{nullptr};
std::atomic<HANDLE> g_hDisplayStarted{nullptr};
std::unique_ptr<oblast> g_pOblast;
std::unique_ptr<DXCC> g_pDxcc;

void AnnounceStarted(HWND window) {
  g_hBaudWindow.store(window);
  if (HANDLE started = g_hDisplayStarted.load()) SetEvent(started);
}

void CloseDistrictWindows() {
  g_pDxcc.reset();
  g_pOblast.reset();
}

bool DroppedAfterTheStop(UINT message, INT_PTR& result) {
  if (message != WM_SYSCOMMAND && message != WM_CONTEXTMENU) return false;
  const baud* window = g_pBaud.load();
  if (window != nullptr && !window->Stopped()) return false;
  result = TRUE;
  return true;
}

void AbandonDisplayObjects() {
  (void)g_pDxcc.release();
  (void)g_pOblast.release();
  g_pBaud.store(nullptr);
  g_hBaudWindow.store(nullptr);
}

}  // namespace stats
