#pragma once
// Plays the operator at the plug-in's windows, for the simulator and the
// Windows tests: finds the station dialog, the message boxes and the
// display's windows, reads and sets control texts, presses buttons. The
// plug-in's windows run on threads of their own (modal loops inside an
// export, or the display thread), so every cross-thread message has a
// timeout and every wait a limit: a missing window never hangs the caller.
#include <windows.h>

#include <functional>
#include <string>

namespace host {

// What tells a dialog of the plug-in apart: its caption (null: any), a
// control it carries (0: none needed) and a control it does not carry (0:
// none). Other windows of the plug-in may carry the same caption, and the
// templates reuse control ids: the Moscow grid has boxes with the
// information window's ids, the station dialog a field with the RDA
// button's.
struct DialogSign {
  const wchar_t* caption = nullptr;
  int controlId = 0;
  int absentId = 0;
};

// A visible dialog (class "#32770") of this process with that sign; null
// when none is shown. A dialog becomes visible only after its
// initialisation has filled the controls, so nothing typed is overwritten.
HWND FindDialog(const DialogSign& sign);
// Polls for it; null when none appears within the limit.
HWND WaitForDialog(const DialogSign& sign, DWORD timeoutMs);

// The window's text, in the process's ANSI code page or as UTF-16.
template <typename Char = char>
std::basic_string<Char> TextOf(HWND window);
// Sets the window's text; for a drop-down combo box, its edit part's.
void SetText(HWND window, const std::string& text);
void SetText(HWND window, const std::wstring& text);
// Presses a button the way a click does: its BN_CLICKED reaches the dialog.
void Press(HWND dialog, int id);

// The message text of a message box (its longest static text; the icon is
// a static too).
template <typename Char = char>
std::basic_string<Char> MessageBoxText(HWND box);

// Runs `blocking` on the calling thread and `helper` on another one. Once
// the helper is done, any window the calling thread still shows is closed
// after a grace period, so `blocking` always returns.
void RunWithHelper(const std::function<void()>& blocking, const std::function<void()>& helper);

// The display's three windows.
enum class ModuleWindow { Information, Moscow, Rda };

// The shown display window of that kind; null when it is not shown.
HWND FindModuleWindow(ModuleWindow which);

// The picture file's suffix: "info", "moscow", "rda".
const char* ModuleWindowName(ModuleWindow which);

}  // namespace host
