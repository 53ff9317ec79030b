#pragma once
// The host's date-time record as it crosses the plug-in boundary: an OLE
// automation date (days since 30 December 1899, fraction = time of day)
// followed by a status word. Only what the plug-in needs of the framework's
// date-time class is here: comparison, calendar fields and formatting.
#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>

namespace ATL {

class COleDateTime {
 public:
  enum DateTimeStatus : int32_t { valid = 0, invalid = 1, null = 2 };

  COleDateTime() = default;
  COleDateTime(double date, DateTimeStatus status) : m_dt(date), m_status(status) {}

  // Equal when the statuses are equal and, for valid values, the dates are
  // equal to the last bit; two null values are equal; invalid equals nothing.
  bool operator==(const COleDateTime& other) const;
  bool operator!=(const COleDateTime& other) const { return !(*this == other); }

  DateTimeStatus GetStatus() const { return m_status; }

  // Hour of the day 0..23 after rounding to the nearest second; -1 when the
  // value has no calendar form (status not valid, or out of range).
  int GetHour() const;

  // strftime-like formatting of %Y %m %d %H %M %S and %%. A null value gives
  // the empty text, an invalid or out-of-range value "Invalid DateTime".
  std::string Format(const char* pattern) const;

  double m_dt = 0.0;
  DateTimeStatus m_status = valid;
};

#if defined(_WIN32) && !defined(_WIN64)
// The host hands over a pointer to its record: the date in bytes 0 to 7, the
// status in bytes 8 to 11. The plug-in reads the two fields one by one, so
// their places must be the host's; the padding the compiler adds after the
// status (the type is 16 bytes here) is never read.
static_assert(std::is_standard_layout_v<COleDateTime>, "offsetof needs a standard layout");
static_assert(offsetof(COleDateTime, m_dt) == 0, "the date opens the host's record");
static_assert(offsetof(COleDateTime, m_status) == 8, "the status follows the date");
static_assert(offsetof(COleDateTime, m_status) + sizeof(COleDateTime::DateTimeStatus) == 12,
              "the host's record ends with the status after 12 bytes");
#endif

}  // namespace ATL

namespace stats {

// Calendar fields of a date-time after rounding to the nearest second.
struct CalendarTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// Converts an OLE date to calendar fields; false when the date lies outside
// the years 100 to 9999 or is not a number.
bool OleDateToCalendar(double oleDate, CalendarTime& out);

// The OLE date of a calendar time (used by the host simulator and tests).
double CalendarToOleDate(const CalendarTime& t);

// Reads the 12 bytes the host passes (date, then status); a null pointer
// reads as a null date-time.
ATL::COleDateTime CopyHostDateTime(const ATL::COleDateTime* host);

}  // namespace stats
