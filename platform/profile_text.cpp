#include "platform/profile_text.h"

#include <cctype>
#include <vector>

#include "platform/trim_blanks.h"

namespace stats {
namespace {

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

// "[name]" gives the section's name.
std::optional<std::string> SectionName(const std::string& line) {
  const std::string_view t = TrimBlanks(line);
  if (t.size() < 2 || t.front() != '[') return std::nullopt;
  const std::size_t close = t.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return std::string(TrimBlanks(t.substr(1, close - 1)));
}

bool KeyOfLine(const std::string& line, std::string& key, std::string& value) {
  const std::size_t eq = line.find('=');
  if (eq == std::string::npos) return false;
  key = TrimBlanks(std::string_view(line).substr(0, eq));
  value = TrimBlanks(std::string_view(line).substr(eq + 1));
  return true;
}

}  // namespace

std::optional<std::string> FindProfileValue(const std::string& text, const std::string& section,
                                            const std::string& key) {
  bool inSection = false;
  std::string k, v;
  for (const std::string& line : Lines(text)) {
    if (auto name = SectionName(line)) {
      inSection = SameName(*name, section);
    } else if (inSection && KeyOfLine(line, k, v) && SameName(k, key)) {
      return v;
    }
  }
  return std::nullopt;
}

std::optional<std::string> ReadProfileValue(const std::string& text, const std::string& section,
                                            const std::string& key) {
  std::optional<std::string> value = FindProfileValue(text, section, key);
  if (value && value->size() >= 2 && (value->front() == '"' || value->front() == '\'') &&
      value->back() == value->front()) {
    *value = value->substr(1, value->size() - 2);
  }
  return value;
}

std::string SetProfileValue(const std::string& text, const std::string& section,
                            const std::string& key, const std::string& value) {
  std::vector<std::string> lines = Lines(text);
  const std::string entry = key + "=" + value;
  bool inSection = false;
  std::size_t insertAt = std::string::npos;  // behind the section's last entry
  bool replaced = false;
  std::string k, v;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (auto name = SectionName(lines[i])) {
      inSection = SameName(*name, section);
      if (inSection) insertAt = i + 1;
    } else if (inSection) {
      if (KeyOfLine(lines[i], k, v) && SameName(k, key)) {
        lines[i] = entry;
        replaced = true;
        break;
      }
      if (!TrimBlanks(lines[i]).empty()) insertAt = i + 1;
    }
  }
  if (!replaced && insertAt == std::string::npos) {
    lines.push_back("[" + section + "]");
    lines.push_back(entry);
  } else if (!replaced) {
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), entry);
  }
  std::string out;
  for (const std::string& line : lines) out += line + "\r\n";
  return out;
}

}  // namespace stats
