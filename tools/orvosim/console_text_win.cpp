#include "console_text_win.h"

#include <windows.h>

#include <cstdio>

namespace orvosim {
namespace {

std::wstring ToWide(const std::string& text, UINT codePage, DWORD flags) {
  if (text.empty()) return {};
  const int n = MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()),
                                    nullptr, 0);
  if (n <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return wide;
}

std::string FromWide(const std::wstring& wide, UINT codePage) {
  if (wide.empty()) return {};
  const int n = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()),
                                    nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string text(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), text.data(), n,
                      nullptr, nullptr);
  return text;
}

bool IsAscii(const std::string& text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

}  // namespace

std::string AnsiFromUtf8(const std::string& text) {
  if (IsAscii(text)) return text;
  const std::wstring wide = ToWide(text, CP_UTF8, MB_ERR_INVALID_CHARS);
  return wide.empty() ? text : FromWide(wide, CP_ACP);
}

std::string Utf8FromAnsi(const std::string& text) {
  return IsAscii(text) ? text : FromWide(ToWide(text, CP_ACP, 0), CP_UTF8);
}

std::wstring WideFromFileText(const std::string& text) {
  const std::wstring wide = ToWide(text, CP_UTF8, MB_ERR_INVALID_CHARS);
  return wide.empty() ? ToWide(text, CP_ACP, 0) : wide;
}

std::string Utf8FromWide(const std::wstring& text) { return FromWide(text, CP_UTF8); }

void PrintPluginText(const std::string& ansi, bool raw) {
  const std::string out = raw ? ansi : Utf8FromAnsi(ansi);
  std::fwrite(out.data(), 1, out.size(), stdout);
  std::fflush(stdout);
}

}  // namespace orvosim
