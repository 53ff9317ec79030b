#pragma once
// The module's texts are Windows-1251 bytes (the Russian captions among
// them). Shown through the UTF-16 calls they read right whatever ANSI code
// page the system runs with.
#include <windows.h>

#include <string>

namespace stats {

std::wstring WideFrom1251(const std::string& text);

// SetWindowTextW of the converted text.
void SetWindowText1251(HWND window, const std::string& text);

}  // namespace stats
