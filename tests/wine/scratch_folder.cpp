#include "scratch_folder.h"

#include <windows.h>

#include <fstream>
#include <iterator>
#include <system_error>

namespace host {
namespace {

std::filesystem::path UniqueTempFolder() {
  static unsigned int counter = 0;
  char temp[MAX_PATH];
  const DWORD length = GetTempPathA(MAX_PATH, temp);
  const std::filesystem::path base = length > 0 ? std::filesystem::path(temp)
                                                : std::filesystem::temp_directory_path();
  return base / ("stats-host-" + std::to_string(GetCurrentProcessId()) + "-" +
                 std::to_string(GetTickCount()) + "-" + std::to_string(++counter));
}

}  // namespace

ScratchFolder::ScratchFolder() {
  std::error_code error;
  m_previous = std::filesystem::current_path(error);
  m_path = UniqueTempFolder();
  std::filesystem::create_directories(m_path / "Plugins", error);
  if (error) return;
  std::filesystem::current_path(m_path, error);
  m_ready = !error;
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  if (!m_previous.empty()) std::filesystem::current_path(m_previous, ignored);
  std::filesystem::remove_all(m_path, ignored);
}

std::string ScratchFolder::Read(const std::string& relative) const {
  std::ifstream in(m_path / relative, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void ScratchFolder::Write(const std::string& relative, const std::string& bytes) const {
  std::ofstream out(m_path / relative, std::ios::binary | std::ios::trunc);
  out << bytes;
}

bool ScratchFolder::Exists(const std::string& relative) const {
  std::error_code ignored;
  return std::filesystem::exists(m_path / relative, ignored);
}

}  // namespace host
