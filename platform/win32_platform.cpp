// The platform of the DLL: the real Win32 calls.
#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/win32_handles.h"

namespace stats {
namespace {

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
std::string WriteWhole(const std::string& path, const std::string& bytes) {
  UniqueFile file(OrNull(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
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
  std::string ReadProfileString(const std::string& file, const std::string& section,
                                const std::string& key, const std::string& fallback) override {
    // Grow the buffer until the whole value fits: the API reports a cut
    // value by filling all but the terminator.
    for (DWORD size = 256;; size *= 2) {
      std::vector<char> buffer(size);
      const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(),
                                                    buffer.data(), size, file.c_str());
      if (length < size - 1 || size >= (1u << 24)) return std::string(buffer.data(), length);
    }
  }

  bool WriteProfileString(const std::string& file, const std::string& section,
                          const std::string& key, const std::string& value) override {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) !=
           FALSE;
  }

  bool ReadFile(const std::string& path, std::string& bytes) override {
    UniqueFile file(
        OrNull(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
    if (!file) return false;
    bytes.clear();
    char chunk[65536];
    for (;;) {
      DWORD got = 0;
      if (!::ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr)) return false;
      if (got == 0) return true;
      bytes.append(chunk, got);
    }
  }

  // The text goes to a temporary file beside the target, which replaces the
  // target only once the whole text was written, flushed and closed: a
  // failed write leaves an earlier file byte for byte. Each failure is
  // reported with the reason of the call that failed.
  bool WriteFile(const std::string& path, const std::string& bytes, std::string* reason) override {
    const std::string temporary = path + ".tmp-" + std::to_string(GetCurrentProcessId());
    std::string failure = WriteWhole(temporary, bytes);
    if (failure.empty() &&
        !MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
      failure = LastErrorText();
    }
    if (failure.empty()) return true;
    DeleteFileA(temporary.c_str());
    if (reason != nullptr) *reason = failure;
    return false;
  }

  std::unique_ptr<AppendFile> OpenForAppend(const std::string& path) override {
    UniqueFile file(
        OrNull(CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)));
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

  std::vector<std::string> ListDirectory(const std::string& pattern) override {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    UniqueFind search(OrNull(FindFirstFileA(pattern.c_str(), &found)));
    if (!search) return names;
    do {
      names.emplace_back(found.cFileName);
    } while (FindNextFileA(search.get(), &found));
    return names;
  }

  std::optional<FileVersion> ReadFileVersion(const std::string& path) override {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) return std::nullopt;
    std::vector<char> data(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, data.data())) return std::nullopt;
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &length) ||
        info == nullptr || length < sizeof(VS_FIXEDFILEINFO)) {
      return std::nullopt;
    }
    return FileVersion{HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
                       HIWORD(info->dwFileVersionLS), LOWORD(info->dwFileVersionLS)};
  }

  // For a debugger or a debug-output viewer: the host has no log of ours.
  void TraceFault(const char* where, const char* what) override {
    const std::string line = std::string("Stats.dll: ") + where + ": " + what + "\n";
    OutputDebugStringA(line.c_str());
  }
};

}  // namespace

Platform& DefaultPlatform() {
  static Win32Platform platform;
  return platform;
}

}  // namespace stats
