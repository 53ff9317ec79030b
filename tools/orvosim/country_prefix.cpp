#include "country_prefix.h"

#include <cctype>
#include <vector>

namespace orvosim {
namespace {

// ADIF entity numbers of neighbours and frequent contest partners. Any
// number missing here is still a foreign station.
struct EntityPrefix {
  int dxcc;
  const char* prefix;
};
constexpr EntityPrefix kEntities[] = {
    {54, "UA"},  {126, "UA2"}, {15, "UA9"},  {288, "UR"},  {27, "EU"},  {130, "UN"},
    {292, "UK"}, {135, "EX"},  {262, "EY"},  {280, "EZ"},  {14, "EK"},  {18, "4K"},
    {75, "4L"},  {179, "ER"},  {52, "ES"},   {145, "YL"},  {146, "LY"}, {230, "DL"},
    {269, "SP"}, {503, "OK"},  {504, "OM"},  {239, "HA"},  {275, "YO"}, {212, "LZ"},
    {227, "F"},  {223, "G"},   {248, "I"},   {281, "EA"},  {209, "ON"}, {263, "PA"},
    {221, "OZ"}, {266, "LA"},  {284, "SM"},  {224, "OH"},  {206, "OE"}, {287, "HB"},
    {497, "9A"}, {499, "S5"},  {296, "YU"},  {236, "SV"},  {390, "TA"}, {291, "K"},
    {1, "VE"},   {339, "JA"},  {318, "BY"},  {150, "VK"},
};

// Suffixes that only say how the station operates.
constexpr std::string_view kOperatingSuffixes[] = {"P", "M", "MM", "AM", "QRP", "A", "LH"};

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsRussianBlock(std::string_view call) {
  if (call.empty()) return false;
  if (call[0] == 'R') return true;
  return call.size() >= 2 && call[0] == 'U' && call[1] >= 'A' && call[1] <= 'I';
}

// The position of the call-area digit: the first digit after the first
// character (a leading digit belongs to prefixes such as 4L or 9A).
std::size_t AreaDigitAt(std::string_view call) {
  for (std::size_t i = 1; i < call.size(); ++i) {
    if (IsDigit(call[i])) return i;
  }
  return std::string_view::npos;
}

std::string RussianPrefix(std::string_view call) {
  const std::size_t at = AreaDigitAt(call);
  if (at == std::string_view::npos) return "UA";
  const char area = call[at];
  if (area == '0' || area == '8' || area == '9') return "UA9";
  const char next = at + 1 < call.size() ? call[at + 1] : '\0';
  if (area == '2' && (next == 'F' || next == 'K')) return "UA2";
  return "UA";
}

std::vector<std::string_view> SplitSlashes(std::string_view call) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (true) {
    const std::size_t slash = call.find('/', start);
    parts.push_back(call.substr(start, slash - start));
    if (slash == std::string_view::npos) break;
    start = slash + 1;
  }
  return parts;
}

bool IsOperatingSuffix(std::string_view part) {
  for (std::string_view s : kOperatingSuffixes) {
    if (part == s) return true;
  }
  return false;
}

}  // namespace

std::string PrefixOfForeignCall(std::string_view call) {
  const std::string upper = Upper(call);
  const std::size_t at = AreaDigitAt(upper);
  return at == std::string_view::npos ? upper : upper.substr(0, at);
}

std::string PrefixFromCall(std::string_view rawCall) {
  const std::string call = Upper(rawCall);
  const std::vector<std::string_view> parts = SplitSlashes(call);
  std::size_t home = 0;
  for (std::size_t i = 1; i < parts.size(); ++i) {
    if (parts[i].size() > parts[home].size()) home = i;
  }
  // A part written before the home call is the country the station works
  // from ("DL/R3ABC").
  for (std::size_t i = 0; i < home; ++i) {
    if (!parts[i].empty()) return PrefixFromCall(parts[i]);
  }
  std::string base(parts[home]);
  for (std::size_t i = home + 1; i < parts.size(); ++i) {
    const std::string_view suffix = parts[i];
    const std::size_t at = AreaDigitAt(base);
    if (suffix.size() == 1 && IsDigit(suffix[0]) && at != std::string_view::npos) {
      base[at] = suffix[0];
    } else if (!suffix.empty() && !IsOperatingSuffix(suffix)) {
      return PrefixFromCall(suffix);
    }
  }
  return IsRussianBlock(base) ? RussianPrefix(base) : PrefixOfForeignCall(base);
}

std::string PrefixFromDxcc(int dxcc, std::string_view call) {
  if (dxcc <= 0) return {};
  for (const EntityPrefix& entity : kEntities) {
    if (entity.dxcc == dxcc) return entity.prefix;
  }
  std::string_view home;
  for (std::string_view part : SplitSlashes(call)) {
    if (part.size() > home.size()) home = part;
  }
  return PrefixOfForeignCall(home);
}

bool CountryPrefixRule::AddOverride(std::string_view assignment) {
  const std::size_t eq = assignment.find('=');
  if (eq == std::string_view::npos || eq == 0) return false;
  AddOverride(assignment.substr(0, eq), assignment.substr(eq + 1));
  return true;
}

void CountryPrefixRule::AddOverride(std::string_view call, std::string_view prefix) {
  m_overrides[Upper(call)] = std::string(prefix);
}

std::string CountryPrefixRule::PrefixFor(std::string_view call, int dxcc) const {
  const auto it = m_overrides.find(Upper(call));
  if (it != m_overrides.end()) return it->second;
  std::string fromEntity = PrefixFromDxcc(dxcc, call);
  return fromEntity.empty() ? PrefixFromCall(call) : fromEntity;
}

}  // namespace orvosim
