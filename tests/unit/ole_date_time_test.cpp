// The host's date-time record: calendar conversion, formatting, hour of the
// day and equality.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "platform/ole_date_time.h"

namespace {

using ATL::COleDateTime;

// Day numbers counted by hand from 30 December 1899 (day 0).
constexpr double kDay15Mar2024 = 45366.0;
constexpr double kDay29Feb2024 = 45351.0;
constexpr double kDay1Mar1900 = 61.0;  // 1900 has no 29 February
constexpr double kDay31Dec9999 = 2958465.0;
constexpr double kDay1Jan100 = -657434.0;
constexpr double kDay31Dec100 = -657070.0;
constexpr double kDay31Dec999 = -328717.0;
constexpr double kDay1Jan1000 = -328716.0;

double At(double day, int hour, int minute, double second = 0.0) {
  return day + (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
}

const double kNaN = std::numeric_limits<double>::quiet_NaN();

struct FormatCase {
  const char* name;
  COleDateTime value;
  const char* pattern;
  const char* expected;
};

const FormatCase kFormatCases[] = {
    {"afternoon, journal form", {At(kDay15Mar2024, 14, 5), COleDateTime::valid},
     "%Y-%m-%d %H%M", "2024-03-15 1405"},
    {"afternoon, result form", {At(kDay15Mar2024, 14, 5), COleDateTime::valid}, "%d.%m.%Y",
     "15.03.2024"},
    {"afternoon, year", {At(kDay15Mar2024, 14, 5), COleDateTime::valid}, "%Y", "2024"},
    {"afternoon, clock", {At(kDay15Mar2024, 14, 5), COleDateTime::valid}, "%H:%M", "14:05"},
    {"epoch", {0.0, COleDateTime::valid}, "%Y-%m-%d %H%M", "1899-12-30 0000"},
    {"day after the epoch", {1.0, COleDateTime::valid}, "%d.%m.%Y", "31.12.1899"},
    {"first of 1900", {2.0, COleDateTime::valid}, "%d.%m.%Y", "01.01.1900"},
    {"1900 is no leap year", {kDay1Mar1900, COleDateTime::valid}, "%d.%m.%Y", "01.03.1900"},
    {"leap day 2024", {kDay29Feb2024, COleDateTime::valid}, "%d.%m.%Y", "29.02.2024"},
    // Before the epoch the whole part counts days back and the fraction
    // still counts forward from that day's midnight.
    {"-1.25 is 29 Dec 06:00", {-1.25, COleDateTime::valid}, "%Y-%m-%d %H%M", "1899-12-29 0600"},
    {"-1.0 is 29 Dec midnight", {-1.0, COleDateTime::valid}, "%Y-%m-%d %H%M", "1899-12-29 0000"},
    {"-0.5 is 30 Dec noon", {-0.5, COleDateTime::valid}, "%Y-%m-%d %H%M", "1899-12-30 1200"},
    {"-2.75 is 28 Dec 18:00", {-2.75, COleDateTime::valid}, "%d.%m.%Y %H:%M", "28.12.1899 18:00"},
    {"-1.9999999 is 29 Dec 23:59:59.99, rounds to 30 Dec", {-1.9999999, COleDateTime::valid},
     "%Y-%m-%d %H%M", "1899-12-30 0000"},
    {"-1.0000001 is 29 Dec 00:00:00.01", {-1.0000001, COleDateTime::valid}, "%Y-%m-%d %H%M",
     "1899-12-29 0000"},
    // Rounding to the nearest second.
    {"23:59:59.6 rounds into the next day", {At(kDay15Mar2024, 23, 59, 59.6), COleDateTime::valid},
     "%Y-%m-%d %H%M", "2024-03-16 0000"},
    {"23:59:59.4 stays", {At(kDay15Mar2024, 23, 59, 59.4), COleDateTime::valid}, "%H:%M",
     "23:59"},
    {"14:59:59.6 rounds to 15:00", {At(kDay15Mar2024, 14, 59, 59.6), COleDateTime::valid},
     "%H:%M", "15:00"},
    {"new year by rounding", {At(45657.0, 23, 59, 59.7), COleDateTime::valid}, "%d.%m.%Y",
     "01.01.2025"},
    {"last day of the range", {kDay31Dec9999, COleDateTime::valid}, "%d.%m.%Y", "31.12.9999"},
    {"last day of the range, noon", {kDay31Dec9999 + 0.5, COleDateTime::valid}, "%H:%M", "12:00"},
    {"first day of the range", {kDay1Jan100, COleDateTime::valid}, "%d.%m %H:%M", "01.01 00:00"},
    // Null is empty whatever the date; invalid is the fixed text.
    {"null", {At(kDay15Mar2024, 14, 5), COleDateTime::null}, "%Y-%m-%d %H%M", ""},
    {"null, zero date", {0.0, COleDateTime::null}, "%d.%m.%Y", ""},
    {"null, NaN date", {kNaN, COleDateTime::null}, "%Y", ""},
    {"invalid status, good date", {At(kDay15Mar2024, 14, 5), COleDateTime::invalid},
     "%Y-%m-%d %H%M", "Invalid DateTime"},
    {"invalid status, year", {0.0, COleDateTime::invalid}, "%Y", "Invalid DateTime"},
    {"before year 100", {kDay1Jan100 - 1.0, COleDateTime::valid}, "%Y", "Invalid DateTime"},
    {"year 10000", {kDay31Dec9999 + 1.0, COleDateTime::valid}, "%d.%m.%Y", "Invalid DateTime"},
    {"rounded into year 10000", {At(kDay31Dec9999, 23, 59, 59.9), COleDateTime::valid}, "%Y",
     "Invalid DateTime"},
    {"NaN", {kNaN, COleDateTime::valid}, "%H:%M", "Invalid DateTime"},
    {"+infinity", {std::numeric_limits<double>::infinity(), COleDateTime::valid}, "%Y",
     "Invalid DateTime"},
    {"-infinity", {-std::numeric_limits<double>::infinity(), COleDateTime::valid}, "%Y",
     "Invalid DateTime"},
};

TEST(OleDateTimeFormat, FollowsTheCalendarAndTheStatus) {
  for (const FormatCase& c : kFormatCases) {
    EXPECT_EQ(c.value.Format(c.pattern), c.expected)
        << c.name << ": date " << c.value.m_dt << ", status " << c.value.m_status << ", pattern "
        << c.pattern;
  }
}

// 1 January 100 at noon is -657434.5: the day part is the first day of the
// range and the fraction counts forward, so the value lies inside the range
// although it is numerically below -657434.0.
struct YearCase {
  double day;
  const char* journal;  // "%Y-%m-%d"
  const char* result;   // "%d.%m.%Y"
  const char* year;     // "%Y", as the Cabrillo line and the display use it
};

// The year is always written with four digits, zero-padded below 1000, so
// that every date keeps one width and sorts as text.
TEST(OleDateTimeFormat, YearsBelowOneThousandAreZeroPaddedToFourDigits) {
  const YearCase cases[] = {
      {kDay1Jan100, "0100-01-01", "01.01.0100", "0100"},
      {kDay31Dec100, "0100-12-31", "31.12.0100", "0100"},
      {kDay31Dec999, "0999-12-31", "31.12.0999", "0999"},
      {kDay1Jan1000, "1000-01-01", "01.01.1000", "1000"},
      {kDay31Dec9999, "9999-12-31", "31.12.9999", "9999"},
  };
  for (const YearCase& c : cases) {
    const COleDateTime value(c.day, COleDateTime::valid);
    EXPECT_EQ(value.Format("%Y-%m-%d"), c.journal) << "date " << value.m_dt;
    EXPECT_EQ(value.Format("%d.%m.%Y"), c.result) << "date " << value.m_dt;
    EXPECT_EQ(value.Format("%Y"), c.year) << "date " << value.m_dt;
  }
}

TEST(OleDateTimeFormat, NoonOfTheFirstDayOfTheRangeIsValid) {
  const COleDateTime noon(kDay1Jan100 - 0.5, COleDateTime::valid);
  EXPECT_EQ(noon.Format("%d.%m %H:%M"), "01.01 12:00") << "date -657434.5";
  EXPECT_EQ(noon.GetHour(), 12) << "date -657434.5";
}

struct HourCase {
  const char* name;
  COleDateTime value;
  int expected;
};

const HourCase kHourCases[] = {
    {"14:05", {At(kDay15Mar2024, 14, 5), COleDateTime::valid}, 14},
    {"midnight", {kDay15Mar2024, COleDateTime::valid}, 0},
    {"14:59:59.4", {At(kDay15Mar2024, 14, 59, 59.4), COleDateTime::valid}, 14},
    {"14:59:59.6 rounds up", {At(kDay15Mar2024, 14, 59, 59.6), COleDateTime::valid}, 15},
    {"23:59:59.6 rounds to 00", {At(kDay15Mar2024, 23, 59, 59.6), COleDateTime::valid}, 0},
    {"23:30", {At(kDay15Mar2024, 23, 30), COleDateTime::valid}, 23},
    {"-1.25", {-1.25, COleDateTime::valid}, 6},
    {"-1.75", {-1.75, COleDateTime::valid}, 18},
    {"null", {At(kDay15Mar2024, 14, 5), COleDateTime::null}, -1},
    {"null at the epoch", {0.0, COleDateTime::null}, -1},
    {"invalid", {At(kDay15Mar2024, 14, 5), COleDateTime::invalid}, -1},
    {"NaN", {kNaN, COleDateTime::valid}, -1},
    {"year 10000", {kDay31Dec9999 + 1.25, COleDateTime::valid}, -1},
    {"before year 100", {kDay1Jan100 - 1.25, COleDateTime::valid}, -1},
};

TEST(OleDateTimeHour, IsTheRoundedHourOrMinusOne) {
  for (const HourCase& c : kHourCases) {
    EXPECT_EQ(c.value.GetHour(), c.expected)
        << c.name << ": date " << c.value.m_dt << ", status " << c.value.m_status;
  }
}

struct EqualityCase {
  const char* name;
  COleDateTime a;
  COleDateTime b;
  bool equal;
};

const EqualityCase kEqualityCases[] = {
    {"same valid date", {45366.5, COleDateTime::valid}, {45366.5, COleDateTime::valid}, true},
    {"valid dates one bit apart", {45366.5, COleDateTime::valid},
     {std::nextafter(45366.5, 1e9), COleDateTime::valid}, false},
    {"valid dates a second apart", {At(kDay15Mar2024, 14, 5), COleDateTime::valid},
     {At(kDay15Mar2024, 14, 5, 1.0), COleDateTime::valid}, false},
    // Bit-identical, not numerically equal.
    {"+0 and -0", {0.0, COleDateTime::valid}, {-0.0, COleDateTime::valid}, false},
    {"two valid NaNs of the same bits", {kNaN, COleDateTime::valid}, {kNaN, COleDateTime::valid},
     true},
    {"two nulls, different dates", {0.0, COleDateTime::null}, {45366.5, COleDateTime::null}, true},
    {"two invalid, same date", {45366.5, COleDateTime::invalid},
     {45366.5, COleDateTime::invalid}, false},
    {"valid and null, same date", {45366.5, COleDateTime::valid}, {45366.5, COleDateTime::null},
     false},
    {"valid and invalid, same date", {45366.5, COleDateTime::valid},
     {45366.5, COleDateTime::invalid}, false},
    {"null and invalid", {45366.5, COleDateTime::null}, {45366.5, COleDateTime::invalid}, false},
};

TEST(OleDateTimeEquality, SameStatusAndBitIdenticalDate) {
  for (const EqualityCase& c : kEqualityCases) {
    EXPECT_EQ(c.a == c.b, c.equal) << c.name << " (a == b)";
    EXPECT_EQ(c.b == c.a, c.equal) << c.name << " (b == a)";
    EXPECT_EQ(c.a != c.b, !c.equal) << c.name << " (a != b)";
  }
}

TEST(OleDateTimeEquality, AnInvalidValueDoesNotEqualItself) {
  const COleDateTime invalid(45366.5, COleDateTime::invalid);
  EXPECT_FALSE(invalid == invalid) << "invalid 45366.5 compared with itself";
}

struct CalendarCase {
  const char* name;
  stats::CalendarTime time;
  double expected;
};

const CalendarCase kCalendarCases[] = {
    {"epoch", {1899, 12, 30, 0, 0, 0}, 0.0},
    {"first of 1900", {1900, 1, 1, 0, 0, 0}, 2.0},
    {"1 March 1900", {1900, 3, 1, 0, 0, 0}, kDay1Mar1900},
    {"29 Dec 1899 06:00", {1899, 12, 29, 6, 0, 0}, -1.25},
    {"15 Mar 2024 12:00", {2024, 3, 15, 12, 0, 0}, 45366.5},
    {"31 Dec 9999", {9999, 12, 31, 0, 0, 0}, kDay31Dec9999},
};

TEST(OleDateTimeCalendar, CalendarToOleDateCountsFromTheEpoch) {
  for (const CalendarCase& c : kCalendarCases) {
    EXPECT_DOUBLE_EQ(stats::CalendarToOleDate(c.time), c.expected) << c.name;
  }
}

TEST(OleDateTimeCalendar, OleDateToCalendarGivesEveryField) {
  stats::CalendarTime t{};
  ASSERT_TRUE(stats::OleDateToCalendar(At(kDay15Mar2024, 14, 5, 7.0), t)) << "15 Mar 2024 14:05:07";
  EXPECT_EQ(t.year, 2024);
  EXPECT_EQ(t.month, 3);
  EXPECT_EQ(t.day, 15);
  EXPECT_EQ(t.hour, 14);
  EXPECT_EQ(t.minute, 5);
  EXPECT_EQ(t.second, 7);

  const double outside[] = {kDay1Jan100 - 1.0, kDay31Dec9999 + 1.0, kNaN};
  for (double date : outside) {
    EXPECT_FALSE(stats::OleDateToCalendar(date, t)) << "date " << date;
  }
}

TEST(OleDateTimeHostCopy, CopiesDateBitsAndStatus) {
  const COleDateTime cases[] = {
      {-0.0, COleDateTime::valid},
      {45366.5, COleDateTime::invalid},
      {12.0, COleDateTime::null},
      {kNaN, COleDateTime::valid},
  };
  for (const COleDateTime& host : cases) {
    const COleDateTime copy = stats::CopyHostDateTime(&host);
    EXPECT_EQ(std::memcmp(&copy.m_dt, &host.m_dt, sizeof host.m_dt), 0)
        << "date " << host.m_dt << ", status " << host.m_status;
    EXPECT_EQ(copy.m_status, host.m_status) << "date " << host.m_dt;
  }
}

TEST(OleDateTimeHostCopy, NullPointerReadsAsNull) {
  const COleDateTime copy = stats::CopyHostDateTime(nullptr);
  EXPECT_EQ(copy.GetStatus(), COleDateTime::null) << "null record pointer";
  EXPECT_EQ(copy.Format("%Y-%m-%d %H%M"), "") << "null record pointer";
}

}  // namespace
