#pragma once
// The few operations of the operating system that the window-free code
// needs. The DLL uses the Win32 implementation; the native build and its
// tests use the portable one, which they can inspect and make fail.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace stats {

struct UtcTime {
  int year, month, day, hour, minute, second;
};

// The fixed file version of a version resource: a.b.c.d.
struct FileVersion {
  uint16_t major, minor, third, fourth;
};

// A file opened for appending; every Write reaches the file at once and the
// file is closed when the object goes.
class AppendFile {
 public:
  virtual ~AppendFile() = default;
  virtual bool Write(const std::string& bytes) = 0;
};

enum class MessageIcon { None, Information, Error };

// Paths are the module's own, relative to the current directory (the
// host's folder), in the ANSI code page; they work whatever that folder's
// name and length.
class Platform {
 public:
  virtual ~Platform() = default;

  // Private profile (INI) access, in the text format of the system's profile
  // functions. The value comes back whole; callers that must read through a
  // fixed buffer cut it themselves. A write that fails leaves the file as it
  // was.
  virtual std::string ReadProfileString(const std::string& file, const std::string& section,
                                        const std::string& key, const std::string& fallback) = 0;
  virtual bool WriteProfileString(const std::string& file, const std::string& section,
                                  const std::string& key, const std::string& value) = 0;

  // Whole-file read; false when the file cannot be read.
  virtual bool ReadFile(const std::string& path, std::string& bytes) = 0;
  // Writes the bytes to a temporary file beside the target and, once they
  // are all written and the file is closed, replaces the target with it;
  // false on any failure, which leaves an earlier target as it was, with the
  // system's reason in `reason` when it is given.
  virtual bool WriteFile(const std::string& path, const std::string& bytes,
                         std::string* reason = nullptr) = 0;
  // Opens for appending (created when missing, shared with readers); null on
  // failure.
  virtual std::unique_ptr<AppendFile> OpenForAppend(const std::string& path) = 0;

  virtual UtcTime NowUtc() = 0;

  // A modal message box owned by no window (or the active one). A null
  // caption gives the system's default caption.
  virtual void ShowMessage(const std::string& text, const char* caption, MessageIcon icon) = 0;

  // Names of the entries of the current directory that match a pattern such
  // as "*.exe", in the order the listing yields them.
  virtual std::vector<std::string> ListDirectory(const std::string& pattern) = 0;
  virtual std::optional<FileVersion> ReadFileVersion(const std::string& path) = 0;

  // Records a fault that an entry point caught and swallowed: `where` names
  // the entry point, `what` says what was thrown. The host only sees the
  // entry point's neutral answer, so this is the one trace the fault leaves.
  virtual void TraceFault(const char* where, const char* what) = 0;
};

// The platform the module runs on: the build's own (the Win32 one in the
// module, the portable one natively) unless another was set.
Platform& CurrentPlatform();
// Test hook (tests, fuzzers and benchmarks; the module never calls it): runs
// the module on `platform`; null gives back the build's own.
void SetCurrentPlatform(Platform* platform);

}  // namespace stats
