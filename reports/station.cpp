#include "reports/station.h"

#include <array>
#include <cctype>
#include <span>
#include <string_view>
#include <utility>

#include "engine/contest_state.h"
#include "platform/platform.h"
#include "platform/trim_blanks.h"
#include "reports/station_dialog_port.h"

namespace stats {

CCabrilloLog g_cabrilloLog;

namespace {

// Names the file system keeps for devices, whatever extension follows.
constexpr std::array<std::string_view, 28> kDeviceNames = {
    "CON",  "PRN",  "AUX",  "NUL",  "CONIN$", "CONOUT$", "COM0",   "COM1",   "COM2", "COM3",
    "COM4", "COM5", "COM6", "COM7", "COM8",   "COM9",    "LPT0",   "LPT1",   "LPT2", "LPT3",
    "LPT4", "LPT5", "LPT6", "LPT7", "LPT8",   "LPT9",    "CLOCK$", "CONFIG$"};

// A device name is recognised in the part before the first dot, blanks and
// dots at its end ignored: "NUL.X" and "COM1 .P" name devices too.
bool IsDeviceName(const std::string& base) {
  std::string stem = base.substr(0, base.find('.'));
  while (!stem.empty() && (stem.back() == ' ' || stem.back() == '.')) stem.pop_back();
  std::string upper;
  for (char c : stem) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  for (std::string_view device : kDeviceNames) {
    if (upper == device) return true;
  }
  return false;
}

bool IsForbiddenInFileName(unsigned char c) {
  return c < 32 || c == 127 ||
         std::string_view(":*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos;
}

// One station key of the settings file, the field it holds, and whether it
// is read when the dialog opens, written on OK, or both.
struct StationKey {
  const char* key;
  std::string StationFields::*field;
  bool read, written;
};

// Written in this order; the reads have no order of their own to keep, as
// reading a settings file changes nothing. "Operators" is read separately:
// it defaults to the own call. "Claimed" is the result's to write.
constexpr std::array<StationKey, 15> kStationKeys = {{
    {"Band", &StationFields::m_strCategoryBand, false, true},
    {"Power", &StationFields::m_strPower, true, true},
    {"Operators", &StationFields::m_strOperators, false, true},
    {"Name", &StationFields::m_strName, true, true},
    {"Address", &StationFields::m_strAddress, true, true},
    {"Address-City", &StationFields::m_strCity, true, true},
    {"Address-PostalCode", &StationFields::m_strPostalCode, true, true},
    {"Address-Country", &StationFields::m_strCountry, true, true},
    {"Category", &StationFields::m_strCategoryOperator, false, true},
    {"Contest", &StationFields::m_strContest, false, true},
    {"Email", &StationFields::m_strEmail, true, true},
    {"Club", &StationFields::m_strClub, true, true},
    {"SoapBox", &StationFields::m_strSoapbox, true, true},
    {"Loc", &StationFields::m_strLocation, true, true},
    {"Claimed", &StationFields::m_strClaimed, true, false},
}};

// The soapbox's conversions between its forms: replacements made in turn,
// each over the whole text.
struct Replacement {
  std::string_view from, to;
};
constexpr Replacement kStoredToText[] = {{"<CR>", "\r"}, {"<LF>", "\n"}};
constexpr Replacement kTextToStored[] = {{"\r", "<CR>"}, {"\n", "<LF>"}};
constexpr Replacement kStoredToFile[] = {{"<CR>", "\r\nSOAPBOX: "}, {"<LF>", ""}};

std::string Replaced(std::string text, std::span<const Replacement> replacements) {
  for (const Replacement& replacement : replacements) {
    ReplaceAll(text, replacement.from, replacement.to);
  }
  return text;
}

}  // namespace

// Builds the result in one pass: replacing in place would move the rest of
// the text at every match, quadratic in a soapbox of many line breaks.
void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  if (from.empty() || from == to) return;
  std::size_t at = text.find(from);
  if (at == std::string::npos) return;
  std::string result;
  result.reserve(text.size());
  std::size_t copied = 0;
  for (; at != std::string::npos; at = text.find(from, copied)) {
    result.append(text, copied, at - copied);
    result.append(to);
    copied = at + from.size();
  }
  result.append(text, copied, std::string::npos);
  text.swap(result);
}

std::string CabrilloFileBase(const std::string& ownCall) {
  std::string base = ownCall;
  ReplaceAll(base, "/", "_");
  ReplaceAll(base, "\\", "_");
  base = std::string(TrimBlanks(base));
  for (char& c : base) {
    if (IsForbiddenInFileName(static_cast<unsigned char>(c))) c = '_';
  }
  // Bounded before ".cbr" is added: a name the file system shortens could
  // name another file in the folder.
  if (base.size() > kMaxFileBase) base.resize(kMaxFileBase);
  if (base.empty()) return "NOVL";
  if (IsDeviceName(base)) base = std::string(1, '_').append(base, 0, kMaxFileBase - 1);
  return base;
}

std::string SoapboxStoredToText(std::string stored) {
  return Replaced(std::move(stored), kStoredToText);
}

std::string SoapboxTextToStored(std::string text) {
  return Replaced(std::move(text), kTextToStored);
}

std::string SoapboxStoredToFile(std::string stored) {
  return Replaced(std::move(stored), kStoredToFile);
}

std::string BoundStoredValue(std::string stored) {
  if (stored.size() <= kMaxStationValue) return stored;
  std::size_t end = kMaxStationValue;
  // A marker begins at most three characters before the cut.
  const std::size_t from = end >= 3 ? end - 3 : 0;
  for (std::size_t at = from; at < end; ++at) {
    if (stored.compare(at, 4, "<CR>") == 0 || stored.compare(at, 4, "<LF>") == 0) {
      end = at;
      break;
    }
  }
  stored.resize(end);
  return stored;
}

void CCabrilloLog::SetupStation(const std::string& ownCall, Platform& platform) {
  m_strCallsign = ownCall;
  m_strFileBase = CabrilloFileBase(ownCall);

  // Values come back whole up to the bound a value is written with; a
  // longer one, put there by hand, is shortened like a typed one.
  auto read = [&](const char* key, const std::string& fallback) {
    return BoundStoredValue(
        platform.ReadProfileString(g_strIniFile, g_strIniSection, key, fallback));
  };
  m_strOperators = read("Operators", ownCall);
  for (const StationKey& entry : kStationKeys) {
    if (entry.read) this->*entry.field = read(entry.key, "");
  }
  m_strContest = kContestName;
  m_strCategoryOperator = "SINGLE-OP";
  m_strCategoryBand = "ALL";
  m_strSoapbox = SoapboxStoredToText(m_strSoapbox);
  m_bSoapboxFileForm = false;

  StationFields dialog = *this;
  dialog.m_strCallsign = ownCall;
  if (!CurrentStationDialog().Run(dialog)) return;

  const std::string claimed = m_strClaimed;
  static_cast<StationFields&>(*this) = dialog;
  m_strClaimed = claimed;

  // Each key is shortened to what the settings file keeps whole and written
  // on its own: a key that cannot be written costs no other key.
  m_strSoapbox = SoapboxTextToStored(m_strSoapbox);
  for (const StationKey& entry : kStationKeys) {
    if (!entry.written) continue;
    std::string& value = this->*entry.field;
    value = BoundStoredValue(std::move(value));
    platform.WriteProfileString(g_strIniFile, g_strIniSection, entry.key, value);
  }
  m_strSoapbox = SoapboxStoredToFile(m_strSoapbox);
  m_bSoapboxFileForm = true;
  m_arrQsoLines.clear();
}

}  // namespace stats
