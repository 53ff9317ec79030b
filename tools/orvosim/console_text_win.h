#pragma once
// Text between the simulator's world (UTF-8 files, a UTF-8 terminal) and
// the plug-in's (8-bit text in the ANSI code page, Windows-1251 for
// Cyrillic).
#include <string>

namespace orvosim {

// UTF-8 text with non-ASCII characters becomes ANSI; anything else (plain
// ASCII, or bytes that are no valid UTF-8 and so already 8-bit) stays.
std::string AnsiFromUtf8(const std::string& text);

// For the terminal.
std::string Utf8FromAnsi(const std::string& text);

// UTF-16 for the window texts: UTF-8 when valid, else ANSI.
std::wstring WideFromFileText(const std::string& text);
std::string Utf8FromWide(const std::wstring& text);

// Writes the plug-in's text to stdout, as UTF-8 unless `raw`.
void PrintPluginText(const std::string& ansi, bool raw);

}  // namespace orvosim
