#pragma once
// A fresh, empty working directory for one test, as the host's folder would
// be: the module finds its RDA list, settings and journal relative to it.
#include <filesystem>
#include <string>

namespace host {

class ScratchFolder {
 public:
  // Creates the folder with a Plugins subfolder and makes it current.
  ScratchFolder();
  // Puts the previous directory back and removes the folder.
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  bool IsReady() const { return m_ready; }
  const std::filesystem::path& Path() const { return m_path; }

  // Whole file relative to the folder, byte for byte ("" when missing).
  std::string Read(const std::string& relative) const;
  void Write(const std::string& relative, const std::string& bytes) const;
  bool Exists(const std::string& relative) const;

 private:
  std::filesystem::path m_path;
  std::filesystem::path m_previous;
  bool m_ready = false;
};

}  // namespace host
