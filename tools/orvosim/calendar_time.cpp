#include "calendar_time.h"

#include <cctype>

namespace orvosim {
namespace {

bool ReadNumber(std::string_view text, std::size_t at, std::size_t width, int& value) {
  if (at + width > text.size()) return false;
  value = 0;
  for (std::size_t i = at; i < at + width; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
    value = value * 10 + (text[i] - '0');
  }
  return true;
}

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeapYear(y) ? 29 : kDays[m - 1];
}

// Days from 1970-01-01 to a civil date (proleptic Gregorian calendar).
long long DaysFromCivil(int y, int m, int d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const long long yoe = y - era * 400;
  const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

}  // namespace

bool IsValidCalendarTime(const CalendarTime& t) {
  return t.year >= 100 && t.year <= 9999 && t.month >= 1 && t.month <= 12 && t.day >= 1 &&
         t.day <= DaysInMonth(t.year, t.month) && t.hour >= 0 && t.hour <= 23 &&
         t.minute >= 0 && t.minute <= 59 && t.second >= 0 && t.second <= 59;
}

double ToOleDate(const CalendarTime& t) {
  const long long days = DaysFromCivil(t.year, t.month, t.day) - DaysFromCivil(1899, 12, 30);
  return static_cast<double>(days) + (t.hour * 3600.0 + t.minute * 60.0 + t.second) / 86400.0;
}

bool ParseAdifDate(std::string_view text, CalendarTime& t) {
  CalendarTime d = t;
  d.hour = d.minute = d.second = 0;
  if (text.size() != 8 || !ReadNumber(text, 0, 4, d.year) || !ReadNumber(text, 4, 2, d.month) ||
      !ReadNumber(text, 6, 2, d.day) || !IsValidCalendarTime(d)) {
    return false;
  }
  t.year = d.year;
  t.month = d.month;
  t.day = d.day;
  return true;
}

bool ParseAdifTime(std::string_view text, CalendarTime& t) {
  int h = 0, m = 0, s = 0;
  if (text.size() != 4 && text.size() != 6) return false;
  if (!ReadNumber(text, 0, 2, h) || !ReadNumber(text, 2, 2, m)) return false;
  if (text.size() == 6 && !ReadNumber(text, 4, 2, s)) return false;
  if (h > 23 || m > 59 || s > 59) return false;
  t.hour = h;
  t.minute = m;
  t.second = s;
  return true;
}

bool ParseIsoDateTime(std::string_view text, CalendarTime& t) {
  CalendarTime r{};
  if (text.size() < 10 || !ReadNumber(text, 0, 4, r.year) || text[4] != '-' ||
      !ReadNumber(text, 5, 2, r.month) || text[7] != '-' || !ReadNumber(text, 8, 2, r.day)) {
    return false;
  }
  if (text.size() > 10) {
    if ((text[10] != 'T' && text[10] != ' ') || !ReadNumber(text, 11, 2, r.hour) ||
        text.size() < 16 || text[13] != ':' || !ReadNumber(text, 14, 2, r.minute)) {
      return false;
    }
    if (text.size() > 16 &&
        (text.size() != 19 || text[16] != ':' || !ReadNumber(text, 17, 2, r.second))) {
      return false;
    }
  }
  if (!IsValidCalendarTime(r)) return false;
  t = r;
  return true;
}

}  // namespace orvosim
