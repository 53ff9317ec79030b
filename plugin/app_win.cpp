// The application object and the module's entry: load and unload, and the
// one place where the module's parts are wired together.
#include <windows.h>

#include "engine/display_port.h"
#include "reports/station_dialog_runner_win.h"
#include "ui/display/display_life_win.h"
#include "ui/display/thread_exit_win.h"

namespace stats {
namespace {

class CTestApp {
 public:
  // Nothing is shown at load: the display starts on a command or a reset.
  BOOL InitInstance() {
    SetCurrentStationDialog(&CabrilloStationDialog());
    SetCurrentDisplay(&TheDisplay());
    PrepareThreadExit();
    return TRUE;
  }

  // Runs inside the loader. From FreeLibrary the shown windows are closed,
  // the display thread has ended and the courier on the host's thread is
  // gone before the module is unmapped; at process exit the system has
  // already ended the thread and nothing is waited for.
  int ExitInstance(bool processExit) {
    TheDisplay().StopForUnload(processExit);
    SetCurrentDisplay(nullptr);
    SetCurrentStationDialog(nullptr);
    return 0;
  }
};

CTestApp theApp;

}  // namespace
}  // namespace stats

// platform/exception_runtime_win.cpp: the ending thread's exception record.
extern "C" void stats_HandBackThreadExceptionRecord() noexcept;

// The module is told of every thread's start and end: the runtime's TLS
// callbacks make the system refuse DisableThreadLibraryCalls.
BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      return stats::theApp.InitInstance();
    case DLL_THREAD_DETACH:
      stats_HandBackThreadExceptionRecord();
      break;
    case DLL_PROCESS_DETACH:
      stats::theApp.ExitInstance(reserved != nullptr);
      break;
  }
  return TRUE;
}
