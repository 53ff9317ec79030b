#include "adif_qso.h"

#include <algorithm>
#include <cctype>

#include "decimal_digits.h"
#include "platform/trim_blanks.h"

namespace orvosim {
namespace {

// Band edges in Hz (IARU Region 1 allocations, generously rounded), for
// records that give FREQ without BAND.
struct BandEdges {
  unsigned int lowHz;
  unsigned int highHz;
  const char* name;
};
constexpr BandEdges kBands[] = {
    {1800000, 2000000, "160m"},   {3500000, 4000000, "80m"},    {5250000, 5450000, "60m"},
    {7000000, 7300000, "40m"},    {10100000, 10150000, "30m"},  {14000000, 14350000, "20m"},
    {18068000, 18168000, "17m"},  {21000000, 21450000, "15m"},  {24890000, 24990000, "12m"},
    {28000000, 29700000, "10m"},  {50000000, 54000000, "6m"},   {144000000, 148000000, "2m"},
};

std::string Trimmed(std::string_view text) { return std::string(stats::TrimBlanks(text)); }

std::string WithCase(std::string text, bool upper) {
  for (char& c : text) {
    const auto u = static_cast<unsigned char>(c);
    c = static_cast<char>(upper ? std::toupper(u) : std::tolower(u));
  }
  return text;
}

std::string FieldOr(const AdifRecord& r, std::string_view name, std::string_view fallback = {}) {
  const std::string* value = r.Find(name);
  if (value != nullptr && !Trimmed(*value).empty()) return Trimmed(*value);
  if (fallback.empty()) return {};
  return FieldOr(r, fallback);
}

bool ParseEntity(std::string_view text, int& dxcc) { return ParseDigits(text, 4, dxcc); }

bool ReadWhen(const AdifRecord& record, AdifQso& qso, std::string& reason) {
  const std::string date = FieldOr(record, "QSO_DATE");
  const std::string time = FieldOr(record, "TIME_ON");
  if (!ParseAdifDate(date, qso.time)) {
    reason = date.empty() ? "no QSO_DATE" : "bad QSO_DATE \"" + date + "\"";
    return false;
  }
  if (!ParseAdifTime(time, qso.time)) {
    reason = time.empty() ? "no TIME_ON" : "bad TIME_ON \"" + time + "\"";
    return false;
  }
  return true;
}

bool ReadFrequency(const AdifRecord& record, AdifQso& qso, std::string& reason) {
  const std::string freq = FieldOr(record, "FREQ");
  if (!freq.empty() && !ParseMegahertz(freq, qso.freqHz)) {
    reason = "bad FREQ \"" + freq + "\"";
    return false;
  }
  qso.band = WithCase(FieldOr(record, "BAND"), false);
  if (qso.band.empty() && qso.freqHz != 0) qso.band = BandOfFrequency(qso.freqHz);
  return true;
}

}  // namespace

bool ParseMegahertz(std::string_view text, unsigned int& hz) {
  const std::size_t point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  const std::string_view fraction =
      point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
  if (whole.empty() && fraction.empty()) return false;
  if ((!whole.empty() && !IsDigitRun(whole)) || (!fraction.empty() && !IsDigitRun(fraction))) {
    return false;
  }
  unsigned long long megahertz = 0;
  if (!whole.empty() && !ParseDigits(whole, whole.size(), megahertz)) return false;
  // Digits beyond the hertz are below the host's resolution.
  std::string micro(fraction.substr(0, 6));
  micro.resize(6, '0');
  unsigned long long fractionHz = 0;
  ParseDigits(micro, 6, fractionHz);
  if (megahertz > 4294) return false;
  const unsigned long long total = megahertz * 1000000ULL + fractionHz;
  if (total > 0xFFFFFFFFULL) return false;
  hz = static_cast<unsigned int>(total);
  return true;
}

std::string BandOfFrequency(unsigned int hz) {
  for (const BandEdges& band : kBands) {
    if (hz >= band.lowHz && hz <= band.highHz) return band.name;
  }
  return {};
}

bool ToQso(const AdifRecord& record, AdifQso& qso, std::string& reason) {
  qso = AdifQso{};
  qso.record = record.number;
  qso.offset = record.offset;
  qso.call = WithCase(FieldOr(record, "CALL"), true);
  if (qso.call.empty()) {
    reason = "no CALL";
    return false;
  }
  if (!ReadWhen(record, qso, reason) || !ReadFrequency(record, qso, reason)) return false;
  const std::string dxcc = FieldOr(record, "DXCC");
  if (!dxcc.empty() && !ParseEntity(dxcc, qso.dxcc)) {
    reason = "bad DXCC \"" + dxcc + "\"";
    return false;
  }
  qso.ownCall = WithCase(FieldOr(record, "STATION_CALLSIGN", "OPERATOR"), true);
  qso.mode = WithCase(FieldOr(record, "MODE"), true);
  qso.rstSent = FieldOr(record, "RST_SENT");
  qso.rstRcvd = FieldOr(record, "RST_RCVD");
  // The string forms carry what was really sent; STX/SRX are bare numbers.
  qso.sent = FieldOr(record, "STX_STRING", "STX");
  qso.rcvd = FieldOr(record, "SRX_STRING", "SRX");
  const std::string* comment = record.Find("COMMENT");
  if (comment != nullptr) qso.comment = *comment;
  return true;
}

std::vector<AdifQso> ReadQsos(std::string_view text, std::vector<AdifProblem>& problems) {
  AdifFile file = ReadAdif(text);
  problems.insert(problems.end(), file.problems.begin(), file.problems.end());
  std::vector<AdifQso> qsos;
  for (const AdifRecord& record : file.records) {
    AdifQso qso;
    std::string reason;
    if (ToQso(record, qso, reason)) {
      qsos.push_back(std::move(qso));
    } else {
      problems.push_back({record.number, record.offset, reason});
    }
  }
  std::stable_sort(problems.begin(), problems.end(),
                   [](const AdifProblem& a, const AdifProblem& b) { return a.record < b.record; });
  return qsos;
}

}  // namespace orvosim
