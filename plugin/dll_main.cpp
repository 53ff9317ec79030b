// Module load and unload: the one place where the module's parts are wired
// together.
#include <windows.h>

#include "reports/station_dialog_runner.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    DisableThreadLibraryCalls(instance);
    stats::SetCurrentStationDialog(&stats::CabrilloStationDialog());
  }
  return TRUE;
}
