#pragma once
// Calendar date and time of day (UTC) and its OLE automation form, the date
// the host passes to plug-ins: days since 30 December 1899, the fraction
// being the time of day.
#include <string_view>

#include "platform/ole_date_time.h"

namespace orvosim {

// The plug-in's own calendar type; stats::CalendarToOleDate gives the date
// the host passes.
using CalendarTime = stats::CalendarTime;

// A real date of the years 100 to 9999 and a time of day.
bool IsValidCalendarTime(const CalendarTime& t);

// "YYYYMMDD" (ADIF QSO_DATE) into the date fields.
bool ParseAdifDate(std::string_view text, CalendarTime& t);

// "HHMM" or "HHMMSS" (ADIF TIME_ON) into the time fields.
bool ParseAdifTime(std::string_view text, CalendarTime& t);

// "YYYY-MM-DD", "YYYY-MM-DDTHH:MM" or "YYYY-MM-DDTHH:MM:SS" (a blank may
// stand for the T), as written on the command line.
bool ParseIsoDateTime(std::string_view text, CalendarTime& t);

}  // namespace orvosim
