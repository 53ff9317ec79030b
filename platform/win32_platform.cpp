// The platform of the DLL: the real Win32 calls. Every file is reached by
// the wide functions through its full path in the long form, so that a host
// folder of any length and any name works: the module's paths are relative
// to the current directory, which the wide functions take as it is, however
// long and whatever the ANSI code page can spell. The settings file is read
// and written with the module's own INI text handling over those functions,
// since the private-profile functions stop at 260 characters.
#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <mutex>
#include <string>
#include <vector>

#include "platform/lock.h"
#include "platform/long_path.h"
#include "platform/pe_version.h"
#include "platform/platform.h"
#include "platform/profile_text.h"
#include "platform/win32_handles.h"

namespace stats {
namespace {

// The code page in which the ANSI file functions would take the module's
// 8-bit paths.
UINT FileCodePage() { return AreFileApisANSI() ? CP_ACP : CP_OEMCP; }

std::wstring WideFromFileText(const std::string& text) {
  if (text.empty()) return std::wstring();
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(FileCodePage(), 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(std::max(length, 0)), L'\0');
  if (length > 0) MultiByteToWideChar(FileCodePage(), 0, text.data(), size, wide.data(), length);
  return wide;
}

// A file name in the module's 8-bit text; false when the code page cannot
// spell it (it would come back as another name).
bool FileTextFromWide(const std::wstring& wide, std::string& text) {
  const int size = static_cast<int>(wide.size());
  const int length =
      WideCharToMultiByte(FileCodePage(), 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  text.assign(static_cast<std::size_t>(std::max(length, 0)), '\0');
  if (length > 0) {
    WideCharToMultiByte(FileCodePage(), 0, wide.data(), size, text.data(), length, nullptr,
                        nullptr);
  }
  return WideFromFileText(text) == wide;
}

// The module's relative path resolved against the current directory, in
// the long form. When it cannot be resolved the path goes on as it is, and
// the file function that gets it says why it fails.
std::wstring LongPath(const std::string& path) {
  const std::wstring wide = WideFromFileText(path);
  const DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return wide;
  std::wstring full(needed, L'\0');
  const DWORD length = GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) return wide;
  full.resize(length);
  return ExtendedLengthPath(full);
}

// Reads may overlap a replace of the same file: they share it for deleting.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

std::string LastErrorText() {
  const DWORD error = GetLastError();
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string reason =
      length != 0 && text != nullptr ? std::string(text, length) : "error " + std::to_string(error);
  if (text != nullptr) LocalFree(text);
  while (!reason.empty() &&
         (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' '))
    reason.pop_back();
  return reason;
}

// Creates `path` holding exactly `bytes`, flushed and closed. Returns ""
// on success, otherwise why not. A full disk may let WriteFile succeed with
// fewer bytes than asked and no error code: that is reported as the short
// write it is.
std::string WriteWhole(const std::wstring& path, const std::string& bytes) {
  UniqueFile file(OrNull(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr)));
  if (!file) return LastErrorText();
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
    DWORD written = 0;
    if (!::WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr)) {
      return LastErrorText();
    }
    done += written;
    if (written < chunk) {
      return "the disk is full: only " + std::to_string(done) + " of " +
             std::to_string(bytes.size()) + " bytes were written";
    }
  }
  if (!FlushFileBuffers(file.get())) return LastErrorText();
  if (!CloseHandle(file.release())) return LastErrorText();
  return std::string();
}

// The whole file; false when it cannot be read, with the system's error
// code in `error`.
bool ReadWhole(const std::wstring& path, std::string& bytes, DWORD& error) {
  UniqueFile file(OrNull(CreateFileW(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr)));
  if (!file) {
    error = GetLastError();
    return false;
  }
  bytes.clear();
  char chunk[65536];
  for (;;) {
    DWORD got = 0;
    if (!::ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr)) {
      error = GetLastError();
      return false;
    }
    if (got == 0) return true;
    bytes.append(chunk, got);
  }
}

// The text goes to a temporary file beside the target, which replaces the
// target only once the whole text was written, flushed and closed: a failed
// write leaves an earlier file byte for byte. Returns "" on success,
// otherwise the reason of the call that failed.
// A target held open for a moment by another program (a virus scanner, an
// editor that just saved) refuses to be replaced; it is tried a few times.
constexpr int kReplaceTries = 10;
constexpr DWORD kReplaceRetryMs = 10;

bool MoveOver(const std::wstring& from, const std::wstring& to) {
  for (int attempt = 1;; ++attempt) {
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
    const DWORD error = GetLastError();
    const bool held = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION;
    if (!held || attempt == kReplaceTries) return false;
    Sleep(kReplaceRetryMs);
    SetLastError(error);
  }
}

std::string ReplaceWhole(const std::wstring& path, const std::string& bytes) {
  const std::wstring temporary = path + L".tmp-" + std::to_wstring(GetCurrentProcessId());
  std::string failure = WriteWhole(temporary, bytes);
  if (failure.empty() && !MoveOver(temporary, path)) failure = LastErrorText();
  if (!failure.empty()) DeleteFileW(temporary.c_str());
  return failure;
}

class Win32AppendFile : public AppendFile {
 public:
  explicit Win32AppendFile(UniqueFile file) : m_hFile(std::move(file)) {}
  bool Write(const std::string& bytes) override {
    DWORD written = 0;
    return WriteFile(m_hFile.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) &&
           written == bytes.size();
  }

 private:
  UniqueFile m_hFile;
};

class Win32Platform : public Platform {
 public:
  // A missing or unreadable file reads as no value at all.
  std::string ReadProfileString(const std::string& file, const std::string& section,
                                const std::string& key, const std::string& fallback) override {
    const std::lock_guard<Lock> hold(m_profileLock);
    std::string text;
    DWORD ignored = 0;
    if (!ReadWhole(LongPath(file), text, ignored)) return fallback;
    return ReadProfileValue(text, section, key).value_or(fallback);
  }

  // One key changed in the file's text, the rest kept line for line. The
  // lock makes each read-change-replace whole against the module's other
  // thread. A file that exists but cannot be read is left alone: the one
  // key written into an empty text would drop all the others.
  bool WriteProfileString(const std::string& file, const std::string& section,
                          const std::string& key, const std::string& value) override {
    const std::lock_guard<Lock> hold(m_profileLock);
    const std::wstring path = LongPath(file);
    std::string text;
    DWORD error = 0;
    if (!ReadWhole(path, text, error) && error != ERROR_FILE_NOT_FOUND) {
      TraceFault("settings", (key + " not saved: " + file + " cannot be read").c_str());
      return false;
    }
    const std::string changed = SetProfileValue(text, section, key, value);
    if (changed == text) return true;
    const std::string failure = ReplaceWhole(path, changed);
    if (failure.empty()) return true;
    // The settings have no report of their own: a lost value is traced.
    TraceFault("settings", (key + " not saved in " + file + ": " + failure).c_str());
    return false;
  }

  bool ReadFile(const std::string& path, std::string& bytes) override {
    DWORD ignored = 0;
    return ReadWhole(LongPath(path), bytes, ignored);
  }

  bool WriteFile(const std::string& path, const std::string& bytes, std::string* reason) override {
    const std::string failure = ReplaceWhole(LongPath(path), bytes);
    if (failure.empty()) return true;
    if (reason != nullptr) *reason = failure;
    return false;
  }

  std::unique_ptr<AppendFile> OpenForAppend(const std::string& path) override {
    UniqueFile file(OrNull(CreateFileW(LongPath(path).c_str(), FILE_APPEND_DATA,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr)));
    if (!file) return nullptr;
    return std::make_unique<Win32AppendFile>(std::move(file));
  }

  UtcTime NowUtc() override {
    SYSTEMTIME now;
    GetSystemTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
  }

  void ShowMessage(const std::string& text, const char* caption, MessageIcon icon) override {
    UINT style = MB_OK;
    if (icon == MessageIcon::Information) style |= MB_ICONINFORMATION;
    if (icon == MessageIcon::Error) style |= MB_ICONERROR;
    // A caption-less box is owned by no window; the export's confirmation
    // belongs to the window the operator is working in.
    HWND owner = caption != nullptr ? GetActiveWindow() : nullptr;
    MessageBoxA(owner, text.c_str(), caption, style);
  }

  // A name the ANSI code page cannot spell is left out: the module could not
  // name that file again.
  std::vector<std::string> ListDirectory(const std::string& pattern) override {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    UniqueFind search(OrNull(FindFirstFileW(LongPath(pattern).c_str(), &found)));
    if (!search) return names;
    std::string name;
    do {
      if (FileTextFromWide(found.cFileName, name)) names.push_back(name);
    } while (FindNextFileW(search.get(), &found));
    return names;
  }

  // Read from the file's own bytes: the version functions load the file as
  // a module, which a path beyond 260 characters does not reach.
  std::optional<FileVersion> ReadFileVersion(const std::string& path) override {
    std::string bytes;
    if (!ReadFile(path, bytes)) return std::nullopt;
    return ReadPeFileVersion(bytes);
  }

  // For a debugger or a debug-output viewer: the host has no log of ours.
  void TraceFault(const char* where, const char* what) override {
    const std::string line = std::string("Stats.dll: ") + where + ": " + what + "\n";
    OutputDebugStringA(line.c_str());
  }

 private:
  Lock m_profileLock;
};

}  // namespace

Platform& DefaultPlatform() {
  static Win32Platform platform;
  return platform;
}

}  // namespace stats
