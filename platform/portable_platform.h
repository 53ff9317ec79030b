#pragma once
// The platform of the native build: real files in the current directory,
// INI files handled by our own reader, and everything a test wants to
// watch or break (clock, message boxes, failures).
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace stats {

// The file operations a test can count and make fail, one by one.
enum class FileOperationKind { Open, Read, Write, Close, Replace };

struct FileOperation {
  FileOperationKind kind;
  std::string path;
};

// "write err.txt": what a fault plan's operation was, for a test's message.
std::string DescribeFileOperation(const FileOperation& operation);

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
  void TraceFault(const char* where, const char* what) override;

  // What tests set and read.
  std::optional<UtcTime> fixedNow;  // the system clock when unset
  bool failWrites = false;          // every file and profile write fails
  std::vector<Message> messages;
  struct Fault {
    std::string where, what;
  };
  std::vector<Fault> faults;  // every TraceFault, in order
  // The fault plan: every file open, read, write, close and replace is
  // listed here in order, and the failAt-th of them (counted from 1; 0 is
  // none) fails as a full or broken disk would make it fail. A failing write
  // writes half of its bytes first.
  int failAt = 0;
  std::vector<FileOperation> fileOperations;

  // Lists the next file operation; true when the plan makes it fail, with
  // errno set to the reason. Used by the platform's own open files.
  bool NextFileOperationFails(FileOperationKind kind, const std::string& path);

 private:
  // ReadFile with the errno of the failing call (0 on success).
  bool ReadWholeFile(const std::string& path, std::string& bytes, int& error);
};

// Windows paths ("Plugins\\x.ini", ".\\Plugins\\rda_rus.dat") as POSIX paths.
std::string PosixPath(const std::string& windowsPath);

}  // namespace stats
