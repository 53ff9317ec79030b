#include "platform/portable_platform.h"

#include <dirent.h>
#include <fnmatch.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <utility>

#include "platform/pe_version.h"
#include "platform/profile_text.h"

namespace stats {
namespace {

class StdioAppendFile : public AppendFile {
 public:
  StdioAppendFile(std::FILE* file, PortablePlatform& platform, std::string path)
      : m_pFile(file), m_platform(platform), m_strPath(std::move(path)) {}
  ~StdioAppendFile() override {
    m_platform.NextFileOperationFails(FileOperationKind::Close, m_strPath);
    std::fclose(m_pFile);  // nothing is left to report a failure to
  }
  bool Write(const std::string& bytes) override {
    if (m_platform.NextFileOperationFails(FileOperationKind::Write, m_strPath)) {
      std::fwrite(bytes.data(), 1, bytes.size() / 2, m_pFile);
      std::fflush(m_pFile);
      return false;
    }
    return std::fwrite(bytes.data(), 1, bytes.size(), m_pFile) == bytes.size() &&
           std::fflush(m_pFile) == 0;
  }

 private:
  std::FILE* m_pFile;
  PortablePlatform& m_platform;
  std::string m_strPath;
};

// The reason of a failed call: the system's text for its errno, or, when a
// write came back short without one, what happened.
std::string FailureReason(int error, std::size_t written, std::size_t wanted) {
  if (error != 0) return std::strerror(error);
  return "only " + std::to_string(written) + " of " + std::to_string(wanted) +
         " bytes were written";
}

}  // namespace

std::string DescribeFileOperation(const FileOperation& operation) {
  static constexpr const char* kNames[] = {"open", "read", "write", "close", "replace"};
  return kNames[static_cast<int>(operation.kind)] + (" " + operation.path);
}

bool PortablePlatform::NextFileOperationFails(FileOperationKind kind, const std::string& path) {
  fileOperations.push_back({kind, path});
  if (failAt <= 0 || fileOperations.size() != static_cast<std::size_t>(failAt)) return false;
  errno = kind == FileOperationKind::Write ? ENOSPC : EIO;
  return true;
}

std::string PosixPath(const std::string& windowsPath) {
  std::string path = windowsPath;
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

std::string PortablePlatform::ReadProfileString(const std::string& file, const std::string& section,
                                                const std::string& key,
                                                const std::string& fallback) {
  std::string text;
  if (!ReadFile(file, text)) return fallback;
  return FindProfileValue(text, section, key).value_or(fallback);
}

// A settings file that exists but cannot be read is left alone: writing the
// one key into an empty text would drop every other key of the file.
bool PortablePlatform::WriteProfileString(const std::string& file, const std::string& section,
                                          const std::string& key, const std::string& value) {
  std::string text;
  int error = 0;
  if (!ReadWholeFile(file, text, error) && error != ENOENT) return false;
  return WriteFile(file, SetProfileValue(text, section, key, value));
}

bool PortablePlatform::ReadFile(const std::string& path, std::string& bytes) {
  int ignored = 0;
  return ReadWholeFile(path, bytes, ignored);
}

bool PortablePlatform::ReadWholeFile(const std::string& path, std::string& bytes, int& error) {
  if (NextFileOperationFails(FileOperationKind::Open, path)) {
    error = errno;
    return false;
  }
  std::FILE* file = std::fopen(PosixPath(path).c_str(), "rb");
  if (file == nullptr) {
    error = errno;
    return false;
  }
  bool ok = !NextFileOperationFails(FileOperationKind::Read, path);
  error = errno;
  if (ok) {
    bytes.clear();
    char chunk[65536];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.append(chunk, got);
    ok = std::ferror(file) == 0;
    error = errno;
  }
  // The bytes are whole once read; a failing close of a read takes nothing.
  NextFileOperationFails(FileOperationKind::Close, path);
  std::fclose(file);
  if (ok) error = 0;
  return ok;
}

// The text goes to a file beside the target, which replaces the target only
// once all of it is written and closed: a failing write leaves the old file
// as it was, byte for byte.
bool PortablePlatform::WriteFile(const std::string& path, const std::string& bytes,
                                 std::string* reason) {
  if (failWrites) {
    if (reason != nullptr) *reason = "writing was made to fail";
    return false;
  }
  const std::string target = PosixPath(path);
  const std::string temporary = target + ".tmp";
  std::FILE* file = nullptr;
  auto fail = [&](const std::string& why) {
    if (file != nullptr) std::fclose(file);
    std::remove(temporary.c_str());
    if (reason != nullptr) *reason = why;
    return false;
  };
  if (NextFileOperationFails(FileOperationKind::Open, path)) return fail(std::strerror(errno));
  file = std::fopen(temporary.c_str(), "wb");
  if (file == nullptr) return fail(std::strerror(errno));

  const bool injected = NextFileOperationFails(FileOperationKind::Write, path);
  const std::size_t wanted = injected ? bytes.size() / 2 : bytes.size();
  errno = 0;
  const std::size_t written = std::fwrite(bytes.data(), 1, wanted, file);
  if (injected) errno = ENOSPC;
  if (injected || written != bytes.size()) {
    return fail(FailureReason(errno, written, bytes.size()));
  }

  if (NextFileOperationFails(FileOperationKind::Close, path)) return fail(std::strerror(errno));
  const int closed = std::fclose(file);
  file = nullptr;
  if (closed != 0) return fail(std::strerror(errno));

  if (NextFileOperationFails(FileOperationKind::Replace, path)) return fail(std::strerror(errno));
  if (std::rename(temporary.c_str(), target.c_str()) != 0) return fail(std::strerror(errno));
  return true;
}

std::unique_ptr<AppendFile> PortablePlatform::OpenForAppend(const std::string& path) {
  if (failWrites) return nullptr;
  if (NextFileOperationFails(FileOperationKind::Open, path)) return nullptr;
  std::FILE* file = std::fopen(PosixPath(path).c_str(), "ab");
  if (file == nullptr) return nullptr;
  return std::make_unique<StdioAppendFile>(file, *this, path);
}

UtcTime PortablePlatform::NowUtc() {
  if (fixedNow) return *fixedNow;
  using namespace std::chrono;
  const auto now = system_clock::now();
  const auto day = floor<days>(now);
  const year_month_day ymd{day};
  const hh_mm_ss<seconds> time{floor<seconds>(now - day)};
  return {int(ymd.year()),
          static_cast<int>(unsigned(ymd.month())),
          static_cast<int>(unsigned(ymd.day())),
          static_cast<int>(time.hours().count()),
          static_cast<int>(time.minutes().count()),
          static_cast<int>(time.seconds().count())};
}

void PortablePlatform::ShowMessage(const std::string& text, const char* caption, MessageIcon icon) {
  messages.push_back({text, caption ? std::optional<std::string>(caption) : std::nullopt, icon});
}

std::vector<std::string> PortablePlatform::ListDirectory(const std::string& pattern) {
  std::vector<std::string> names;
  DIR* dir = opendir(".");
  if (dir == nullptr) return names;
  while (const dirent* entry = readdir(dir)) {
    if (fnmatch(pattern.c_str(), entry->d_name, 0) == 0) names.emplace_back(entry->d_name);
  }
  closedir(dir);
  return names;
}

std::optional<FileVersion> PortablePlatform::ReadFileVersion(const std::string& path) {
  std::string bytes;
  if (!ReadFile(path, bytes)) return std::nullopt;
  return ReadPeFileVersion(bytes);
}

void PortablePlatform::TraceFault(const char* where, const char* what) {
  faults.push_back({where, what});
}

Platform& DefaultPlatform() {
  static PortablePlatform platform;
  return platform;
}

}  // namespace stats
