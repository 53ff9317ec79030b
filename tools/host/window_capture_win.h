#pragma once
// Saves what a window shows, caption and frame included, as a 24-bit BMP.
#include <windows.h>

#include <string>

namespace host {

bool SaveWindowBitmap(HWND window, const std::string& path);

}  // namespace host
