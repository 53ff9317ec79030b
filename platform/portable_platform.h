#pragma once
// The platform of the native build: real files in the current directory,
// INI files handled by our own reader, and everything a test wants to
// watch or break (clock, message boxes, failures).
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace stats {

class PortablePlatform : public Platform {
 public:
  struct Message {
    std::string text;
    std::optional<std::string> caption;
    MessageIcon icon;
  };

  std::string ReadProfileString(const std::string& file, const std::string& section,
                                const std::string& key, const std::string& fallback) override;
  bool WriteProfileString(const std::string& file, const std::string& section,
                          const std::string& key, const std::string& value) override;
  bool ReadFile(const std::string& path, std::string& bytes) override;
  bool WriteFile(const std::string& path, const std::string& bytes,
                 std::string* reason = nullptr) override;
  std::unique_ptr<AppendFile> OpenForAppend(const std::string& path) override;
  UtcTime NowUtc() override;
  void ShowMessage(const std::string& text, const char* caption, MessageIcon icon) override;
  std::vector<std::string> ListDirectory(const std::string& pattern) override;
  std::optional<FileVersion> ReadFileVersion(const std::string& path) override;

  // What tests set and read.
  std::optional<UtcTime> fixedNow;  // the system clock when unset
  bool failWrites = false;          // every file and profile write fails
  std::vector<Message> messages;
};

// Windows paths ("Plugins\\x.ini", ".\\Plugins\\rda_rus.dat") as POSIX paths.
std::string PosixPath(const std::string& windowsPath);

}  // namespace stats
