#pragma once
// Full paths in the form that the wide file functions accept at any length.
// Without it a path stops at 259 characters (MAX_PATH with its terminator):
// a host folder of 240 characters already puts "Plugins\KESTREL-RTTY.ini"
// out of reach. The "\\?\" prefix lifts the limit but also switches off the
// system's own parsing of the rest, so it goes only onto a path that the
// system has already made full and normal (GetFullPathNameW): a drive path
// "C:\dir\file" becomes "\\?\C:\dir\file", a share "\\server\share\file"
// becomes "\\?\UNC\server\share\file", and anything else (a device such as
// "\\.\CON", a path already prefixed, a relative one) stays as it is.
// Pure text work, so that the native tests see every case; the Windows
// platform calls it.
#include <string>

namespace stats {

inline std::wstring ExtendedLengthPath(const std::wstring& full) {
  const auto isLetter = [](wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
  };
  if (full.size() >= 3 && isLetter(full[0]) && full[1] == L':' && full[2] == L'\\') {
    return L"\\\\?\\" + full;
  }
  const bool share = full.size() >= 3 && full[0] == L'\\' && full[1] == L'\\' && full[2] != L'\\' &&
                     full[2] != L'?' && full[2] != L'.';
  if (share) return L"\\\\?\\UNC\\" + full.substr(2);
  return full;
}

}  // namespace stats
