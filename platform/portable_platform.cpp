#include "platform/portable_platform.h"

#include <dirent.h>
#include <fnmatch.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>

#include "platform/pe_version.h"
#include "platform/profile_text.h"

namespace stats {
namespace {

class StdioAppendFile : public AppendFile {
 public:
  explicit StdioAppendFile(std::FILE* file) : m_pFile(file) {}
  ~StdioAppendFile() override { std::fclose(m_pFile); }
  bool Write(const std::string& bytes) override {
    return std::fwrite(bytes.data(), 1, bytes.size(), m_pFile) == bytes.size() &&
           std::fflush(m_pFile) == 0;
  }

 private:
  std::FILE* m_pFile;
};

}  // namespace

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

bool PortablePlatform::WriteProfileString(const std::string& file, const std::string& section,
                                          const std::string& key, const std::string& value) {
  std::string text;
  ReadFile(file, text);
  return WriteFile(file, SetProfileValue(text, section, key, value));
}

bool PortablePlatform::ReadFile(const std::string& path, std::string& bytes) {
  std::FILE* file = std::fopen(PosixPath(path).c_str(), "rb");
  if (file == nullptr) return false;
  bytes.clear();
  char chunk[65536];
  std::size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.append(chunk, got);
  const bool ok = std::ferror(file) == 0;
  std::fclose(file);
  return ok;
}

bool PortablePlatform::WriteFile(const std::string& path, const std::string& bytes,
                                 std::string* reason) {
  auto fail = [reason](const char* why) {
    if (reason != nullptr) *reason = why;
    return false;
  };
  if (failWrites) return fail("writing was made to fail");
  std::FILE* file = std::fopen(PosixPath(path).c_str(), "wb");
  if (file == nullptr) return fail(std::strerror(errno));
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const int savedErrno = errno;
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) return fail(std::strerror(written ? errno : savedErrno));
  return true;
}

std::unique_ptr<AppendFile> PortablePlatform::OpenForAppend(const std::string& path) {
  if (failWrites) return nullptr;
  std::FILE* file = std::fopen(PosixPath(path).c_str(), "ab");
  if (file == nullptr) return nullptr;
  return std::make_unique<StdioAppendFile>(file);
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

Platform& DefaultPlatform() {
  static PortablePlatform platform;
  return platform;
}

}  // namespace stats
