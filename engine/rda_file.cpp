#include "engine/rda_file.h"

#include <cstring>

namespace stats {

bool RdaCodeOfLine(const std::string& line, std::string& code) {
  const std::size_t hyphen = line.find('-');
  if (hyphen == std::string::npos || hyphen == 0) return false;
  const std::string cut = line.substr(0, 5);  // at least two characters here
  code = cut.substr(0, 2) + cut.substr(cut.size() - 2);
  return true;
}

std::vector<std::string> ParseRdaFile(const std::string& bytes, std::size_t maxCodes) {
  std::vector<std::string> codes;
  std::string code;
  std::size_t start = 0;
  while (start < bytes.size() && codes.size() < maxCodes) {
    std::size_t end = bytes.find('\n', start);
    const bool lineFeed = end != std::string::npos;
    if (!lineFeed) end = bytes.size();
    std::size_t length = end - start;
    // Read as text: a CR belongs to the line end only in front of its LF.
    if (lineFeed && length > 0 && bytes[start + length - 1] == '\r') --length;
    const char* text = bytes.data() + start;
    const void* nul = std::memchr(text, '\0', length);
    if (nul != nullptr) length = static_cast<const char*>(nul) - text;
    if (RdaCodeOfLine(std::string(text, length), code)) codes.push_back(code);
    start = end + 1;
  }
  return codes;
}

}  // namespace stats
