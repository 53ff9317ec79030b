// The settings text: a value written under a section and key reads back as
// written (without its surrounding blanks), and every other key keeps the
// value it had.
#include <fuzzer/FuzzedDataProvider.h>

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "platform/profile_text.h"

namespace {

bool IsBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

std::string Trimmed(const std::string& s) {
  std::size_t first = 0, last = s.size();
  while (first < last && IsBlank(s[first])) ++first;
  while (last > first && IsBlank(s[last - 1])) --last;
  return s.substr(first, last - first);
}

// A name or value that can stand on one line: no line ends, none of
// `forbidden`, no blanks around it.
std::string OneLine(FuzzedDataProvider& in, const char* forbidden) {
  std::string text = in.ConsumeRandomLengthString(16);
  std::string out;
  for (char c : text) {
    if (c != '\n' && c != '\r' && std::string(forbidden).find(c) == std::string::npos) out += c;
  }
  return Trimmed(out);
}

// Names compare without regard to case.
std::string Lowered(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool SameName(const std::string& a, const std::string& b) { return Lowered(a) == Lowered(b); }

[[noreturn]] void Mismatch(const char* what, const std::string& text) {
  std::fprintf(stderr, "settings text: %s in\n%s\n", what, text.c_str());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const std::string section = OneLine(in, "]");
  std::string key = OneLine(in, "=");
  const std::string value = OneLine(in, "");
  const std::string otherSection = OneLine(in, "]");
  const std::string otherKey = OneLine(in, "=");
  const std::string text = in.ConsumeRemainingBytesAsString();
  // A key line may not look like a section line.
  if (key.empty() || key[0] == '[') key = "k" + key;

  const std::string written = stats::SetProfileValue(text, section, key, value);
  const std::optional<std::string> readBack = stats::FindProfileValue(written, section, key);
  if (readBack != value) Mismatch("written value does not read back", written);

  if (SameName(section, otherSection) && SameName(key, otherKey)) return 0;
  if (stats::FindProfileValue(text, otherSection, otherKey) !=
      stats::FindProfileValue(written, otherSection, otherKey)) {
    Mismatch("another key changed", written);
  }
  return 0;
}
