#include "platform/ole_date_time.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstring>
#include <iterator>

namespace {

using namespace std::chrono;

// The OLE epoch and the range the platform's date type accepts.
constexpr sys_days kOleEpoch = sys_days{year{1899} / December / 30};
// Day numbers of 1 January 100 and 31 December 9999. Before the epoch the
// fraction counts forward from midnight, so all of 1 January 100 lies in
// (-657435, -657434].
constexpr double kFirstDay = -657434.0;
constexpr double kLastDay = 2958465.0;

// Decimal digits of a non-negative value, zero-padded to `width`, written
// at `out`; returns the end. No printf: the journal formats a date for every
// refused QSO.
char* PutNumber(char* out, int value, int width) {
  char digits[12];
  char* const end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
  for (auto pad = width - (end - digits); pad > 0; --pad) *out++ = '0';
  return std::copy(digits, end, out);
}

}  // namespace

namespace stats {

bool OleDateToCalendar(double oleDate, CalendarTime& out) {
  if (!(oleDate > kFirstDay - 1.0 && oleDate < kLastDay + 1.0)) return false;
  // The whole part counts days from the epoch; the fraction is the time of
  // day even for negative dates (-1.25 is 29 December 1899, 06:00).
  const double dayPart = std::trunc(oleDate);
  const double timePart = std::fabs(oleDate - dayPart);
  long long seconds = std::llround(timePart * 86400.0);
  sys_days day = kOleEpoch + days{static_cast<long long>(dayPart)};
  if (seconds >= 86400) {
    seconds -= 86400;
    day += days{1};
  }
  const year_month_day ymd{day};
  if (int(ymd.year()) > 9999) return false;
  out.year = int(ymd.year());
  out.month = static_cast<int>(unsigned(ymd.month()));
  out.day = static_cast<int>(unsigned(ymd.day()));
  out.hour = static_cast<int>(seconds / 3600);
  out.minute = static_cast<int>(seconds / 60 % 60);
  out.second = static_cast<int>(seconds % 60);
  return true;
}

double CalendarToOleDate(const CalendarTime& t) {
  const sys_days day{year{t.year} / month{static_cast<unsigned>(t.month)} /
                     std::chrono::day{static_cast<unsigned>(t.day)}};
  const double dayNumber = static_cast<double>((day - kOleEpoch).count());
  const double fraction = (t.hour * 3600.0 + t.minute * 60.0 + t.second) / 86400.0;
  // Before the epoch the fraction still counts forward from midnight.
  return dayNumber < 0 ? dayNumber - fraction : dayNumber + fraction;
}

ATL::COleDateTime CopyHostDateTime(const ATL::COleDateTime* host) {
  ATL::COleDateTime copy(0.0, ATL::COleDateTime::null);
  if (host != nullptr) {
    std::memcpy(&copy.m_dt, &host->m_dt, sizeof copy.m_dt);
    std::memcpy(&copy.m_status, &host->m_status, sizeof copy.m_status);
  }
  return copy;
}

}  // namespace stats

namespace ATL {

bool COleDateTime::operator==(const COleDateTime& other) const {
  if (m_status != other.m_status) return false;
  if (m_status == null) return true;
  if (m_status != valid) return false;
  return std::memcmp(&m_dt, &other.m_dt, sizeof m_dt) == 0;
}

int COleDateTime::GetHour() const {
  stats::CalendarTime t{};
  if (m_status != valid || !stats::OleDateToCalendar(m_dt, t)) return -1;
  return t.hour;
}

std::string COleDateTime::Format(const char* pattern) const {
  static const char kInvalid[] = "Invalid DateTime";
  if (m_status == null) return std::string();
  stats::CalendarTime t{};
  if (m_status != valid || !stats::OleDateToCalendar(m_dt, t)) return kInvalid;
  std::string out;
  out.reserve(32);
  char piece[16];
  for (const char* p = pattern ? pattern : ""; *p != '\0';) {
    const char* percent = std::strchr(p, '%');
    if (percent == nullptr || percent[1] == '\0') {
      out.append(p);
      break;
    }
    out.append(p, percent);
    char* end = piece;
    switch (percent[1]) {
      case 'Y': end = PutNumber(piece, t.year, 4); break;  // 0100 to 9999
      case 'm': end = PutNumber(piece, t.month, 2); break;
      case 'd': end = PutNumber(piece, t.day, 2); break;
      case 'H': end = PutNumber(piece, t.hour, 2); break;
      case 'M': end = PutNumber(piece, t.minute, 2); break;
      case 'S': end = PutNumber(piece, t.second, 2); break;
      case '%': *end++ = '%'; break;
      default:
        *end++ = '%';
        *end++ = percent[1];
        break;
    }
    out.append(piece, end);
    p = percent + 2;
  }
  return out;
}

}  // namespace ATL
