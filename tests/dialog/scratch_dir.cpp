#include "scratch_dir.h"

#include <windows.h>

#include <fstream>
#include <iterator>

#include "platform/win32_handles.h"

namespace dialog_test {
namespace {

std::string CurrentDir() {
  char buffer[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, buffer);
  return buffer;
}

void RemoveTree(const std::string& path);

// Removes what a folder the tests made holds: plain files and folders only.
void RemoveChildren(const std::string& path) {
  WIN32_FIND_DATAA found;
  stats::UniqueFind search(stats::OrNull(FindFirstFileA((path + "\\*").c_str(), &found)));
  if (!search) return;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    const std::string child = path + "\\" + name;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      RemoveTree(child);
    } else {
      DeleteFileA(child.c_str());
    }
  } while (FindNextFileA(search.get(), &found));
}

void RemoveTree(const std::string& path) {
  RemoveChildren(path);
  RemoveDirectoryA(path.c_str());
}

}  // namespace

ScratchDir::ScratchDir() : m_previous(CurrentDir()) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  for (unsigned attempt = 0; attempt < 100 && !m_ready; ++attempt) {
    m_path = std::string(temp) + "stats-dialog-" + std::to_string(GetCurrentProcessId()) + "-" +
             std::to_string(attempt);
    m_ready = CreateDirectoryA(m_path.c_str(), nullptr) != FALSE;
  }
  m_ready = m_ready && CreateDirectoryA((m_path + "\\Plugins").c_str(), nullptr) &&
            SetCurrentDirectoryA(m_path.c_str());
}

ScratchDir::~ScratchDir() {
  SetCurrentDirectoryA(m_previous.c_str());
  if (!m_path.empty()) RemoveTree(m_path);
}

std::string ReadBytes(const std::string& path, bool* exists) {
  std::ifstream in(path, std::ios::binary);
  if (exists != nullptr) *exists = static_cast<bool>(in);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  return static_cast<bool>(out.flush());
}

}  // namespace dialog_test
