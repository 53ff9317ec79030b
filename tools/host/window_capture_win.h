#pragma once
// Saves what a window shows, caption and frame included, as a 24-bit BMP.
#include <windows.h>

#include <string>

namespace host {

bool SaveWindowBitmap(HWND window, const std::string& path);

// Waits, at most about a second, until a window of another thread has
// painted what it was asked to repaint, children included, so that a
// picture taken next shows it.
void WaitUntilPainted(HWND window);

}  // namespace host
