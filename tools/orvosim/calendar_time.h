#pragma once
// Calendar date and time of day (UTC) and its OLE automation form, the date
// the host passes to plug-ins: days since 30 December 1899, the fraction
// being the time of day.
#include <string_view>

namespace orvosim {

struct CalendarTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

bool IsValidCalendarTime(const CalendarTime& t);

double ToOleDate(const CalendarTime& t);

// "YYYYMMDD" (ADIF QSO_DATE) into the date fields.
bool ParseAdifDate(std::string_view text, CalendarTime& t);

// "HHMM" or "HHMMSS" (ADIF TIME_ON) into the time fields.
bool ParseAdifTime(std::string_view text, CalendarTime& t);

// "YYYY-MM-DD", "YYYY-MM-DDTHH:MM" or "YYYY-MM-DDTHH:MM:SS" (a blank may
// stand for the T), as written on the command line.
bool ParseIsoDateTime(std::string_view text, CalendarTime& t);

}  // namespace orvosim
