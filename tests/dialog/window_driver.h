#pragma once
// Drives the module's modal windows from a helper thread while the test's
// main thread is blocked inside an export. Every wait has a time limit and
// every cross-thread message a timeout, so a missing window never hangs.
#include <windows.h>

#include <functional>
#include <string>

namespace dialog_test {

// Polls for a top-level window of this process with the class and caption;
// null when none appears within the limit.
HWND WaitForWindow(const char* className, const char* caption, DWORD timeoutMs);

std::string TextOf(HWND window);
void SetText(HWND window, const std::string& text);
// Presses a button the way a click does: its BN_CLICKED reaches the dialog.
void Press(HWND dialog, int id);

// The message text of a message box (its longest static text).
std::string MessageBoxText(HWND box);

// Runs `blocking` on the calling thread and `helper` on another one. Once
// the helper is done, any window the calling thread still shows is closed
// after a grace period, so `blocking` always returns.
void RunWithHelper(const std::function<void()>& blocking, const std::function<void()>& helper);

}  // namespace dialog_test
