// The district-file reader against a plain line split: lines end with LF
// (a CR in front of it belongs to the line end), a NUL ends a line's text,
// and each line gives what RdaCodeOfLine makes of it.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/rda_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> expected;
  std::string line, code;
  for (std::size_t i = 0; i <= bytes.size(); ++i) {
    const bool end = i == bytes.size();
    if (!end && bytes[i] != '\n') {
      line += bytes[i];
      continue;
    }
    if (end && line.empty() && (bytes.empty() || bytes.back() == '\n')) break;
    if (!end && !line.empty() && line.back() == '\r') line.pop_back();
    line = line.substr(0, line.find('\0'));
    if (stats::RdaCodeOfLine(line, code)) expected.push_back(code);
    line.clear();
  }
  const std::vector<std::string> codes = stats::ParseRdaFile(bytes);
  if (codes != expected) {
    std::fprintf(stderr, "model mismatch: %zu codes, model %zu\n", codes.size(), expected.size());
    std::abort();
  }
  for (const std::string& c : codes) {
    if (c.size() > 4) {
      std::fprintf(stderr, "code of %zu bytes\n", c.size());
      std::abort();
    }
  }
  return 0;
}
