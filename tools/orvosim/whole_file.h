#pragma once
// A whole file read into memory, as the simulator reads its log, its
// scripts and the plug-in's journal.
#include <fstream>
#include <iterator>
#include <string>

namespace orvosim {

inline bool ReadWholeFile(const std::string& path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

}  // namespace orvosim
