#include "calendar_time.h"

#include <chrono>

#include "decimal_digits.h"

namespace orvosim {
namespace {

bool ReadNumber(std::string_view text, std::size_t at, std::size_t width, int& value) {
  return at + width <= text.size() && ParseDigits(text.substr(at, width), width, value);
}

}  // namespace

bool IsValidCalendarTime(const CalendarTime& t) {
  using namespace std::chrono;
  const year_month_day date{year{t.year}, month{static_cast<unsigned>(t.month)},
                            day{static_cast<unsigned>(t.day)}};
  return t.year >= 100 && t.year <= 9999 && date.ok() && t.hour >= 0 && t.hour <= 23 &&
         t.minute >= 0 && t.minute <= 59 && t.second >= 0 && t.second <= 59;
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
