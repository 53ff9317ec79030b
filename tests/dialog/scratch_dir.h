#pragma once
// A fresh, empty working directory with a Plugins folder, made current for
// the lifetime of the object and removed afterwards.
#include <string>

namespace dialog_test {

class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  bool Ready() const { return m_ready; }

 private:
  std::string m_previous;
  std::string m_path;
  bool m_ready = false;
};

// Whole file, byte for byte; nullopt-like: `exists` false when it cannot be read.
std::string ReadBytes(const std::string& path, bool* exists = nullptr);
bool WriteBytes(const std::string& path, const std::string& bytes);

}  // namespace dialog_test
