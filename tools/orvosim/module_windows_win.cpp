#include "module_windows_win.h"

#include <cstring>

namespace orvosim {
namespace {

struct WindowSign {
  ModuleWindow window;
  int controlId;  // a control only this window has
  const char* name;
};
constexpr WindowSign kSigns[] = {
    {ModuleWindow::Information, kMoscowBoxId, "info"},
    {ModuleWindow::Moscow, 1054, "moscow"},  // the box of district AF
    {ModuleWindow::Rda, 1003, "rda"},        // the information button
};

const WindowSign& SignOf(ModuleWindow which) {
  for (const WindowSign& s : kSigns) {
    if (s.window == which) return s;
  }
  return kSigns[0];
}

struct Search {
  int controlId;
  HWND found = nullptr;
};

BOOL CALLBACK Visit(HWND window, LPARAM param) {
  Search& search = *reinterpret_cast<Search*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char className[16] = {};
  GetClassNameA(window, className, sizeof className);
  if (process != GetCurrentProcessId() || std::strcmp(className, "#32770") != 0 ||
      !IsWindowVisible(window) || GetDlgItem(window, search.controlId) == nullptr) {
    return TRUE;
  }
  search.found = window;
  return FALSE;
}

}  // namespace

HWND FindModuleWindow(ModuleWindow which) {
  Search search{SignOf(which).controlId};
  EnumWindows(&Visit, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

const char* ModuleWindowName(ModuleWindow which) { return SignOf(which).name; }

}  // namespace orvosim
