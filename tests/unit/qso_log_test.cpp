// The contest log: records kept by value in order, and the tour index that
// answers whether a QSO repeats one logged in the tour of an hour.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "engine/contest_rules.h"
#include "engine/qso_log.h"

namespace {

using ATL::COleDateTime;
using stats::CInfo;
using stats::QsoLog;

constexpr double kDay15Mar2024 = 45366.0;  // counted by hand from 30 Dec 1899
constexpr double kDay10Mar2024 = 45361.0;

COleDateTime At(double day, int hour, int minute, double second = 0.0,
                COleDateTime::DateTimeStatus status = COleDateTime::valid) {
  return COleDateTime(day + (hour * 3600.0 + minute * 60.0 + second) / 86400.0, status);
}

CInfo Record(const char* call, const char* band, const char* mode, COleDateTime time,
             const char* extra = "") {
  CInfo record;
  record.m_strCall = call;
  record.m_strBand = band;
  record.m_strMode = mode;
  record.m_strExtra = extra;
  record.m_dtTime = time;
  return record;
}

TEST(QsoLog, KeepsRecordsInOrderAndRemovesByIndex) {
  QsoLog log;
  EXPECT_TRUE(log.empty()) << "fresh log";
  log.Append(Record("A1", "80m", "RTTY", At(kDay15Mar2024, 1, 0), "first"));
  log.Append(Record("A1", "80m", "RTTY", At(kDay15Mar2024, 1, 0), "second"));
  log.Append(Record("B2", "40m", "RTTY", At(kDay15Mar2024, 2, 0), "third"));
  ASSERT_EQ(log.size(), 3u) << "identical records are both kept";

  log.RemoveAt(1);
  ASSERT_EQ(log.size(), 2u) << "after removing index 1";
  EXPECT_EQ(log[0].m_strExtra, "first") << "record before the removed one";
  EXPECT_EQ(log[1].m_strExtra, "third") << "record after the removed one moved up";

  std::string seen;
  for (const CInfo& record : log) seen += record.m_strExtra + ";";
  EXPECT_EQ(seen, "first;third;") << "iteration order";

  log.Clear();
  EXPECT_TRUE(log.empty()) << "after Clear";
  EXPECT_FALSE(log.IsWorkedInTourOf("A1", "80m", "RTTY", 1)) << "after Clear";
}

struct HourCase {
  const char* name;
  const char* call;
  const char* band;
  const char* mode;
  int hour;
  bool expected;
};

TEST(QsoLog, WorkedInHourMatchesCallBandModeAndHourExactly) {
  QsoLog log;
  log.Append(Record("DL1ABC", "80m", "RTTY", At(kDay15Mar2024, 14, 5)));
  log.Append(Record("DL1ABC", "80m", "RTTY", At(kDay15Mar2024, 23, 50)));
  const HourCase cases[] = {
      {"the logged hour", "DL1ABC", "80m", "RTTY", 14, true},
      {"the day's last hour", "DL1ABC", "80m", "RTTY", 23, true},
      {"the hour before the last", "DL1ABC", "80m", "RTTY", 22, false},
      {"next hour", "DL1ABC", "80m", "RTTY", 15, false},
      {"hour before", "DL1ABC", "80m", "RTTY", 13, false},
      {"other band", "DL1ABC", "40m", "RTTY", 14, false},
      {"other mode", "DL1ABC", "80m", "CW", 14, false},
      {"lower-case call", "dl1abc", "80m", "RTTY", 14, false},
      {"lower-case mode", "DL1ABC", "80m", "rtty", 14, false},
      {"band in capitals", "DL1ABC", "80M", "RTTY", 14, false},
      {"shorter call", "DL1AB", "80m", "RTTY", 14, false},
      {"longer call", "DL1ABCD", "80m", "RTTY", 14, false},
      {"hour -1", "DL1ABC", "80m", "RTTY", -1, false},
      {"hour 24", "DL1ABC", "80m", "RTTY", 24, false},
      {"hour 38 (14 + 24)", "DL1ABC", "80m", "RTTY", 38, false},
  };
  for (const HourCase& c : cases) {
    EXPECT_EQ(log.IsWorkedInTourOf(c.call, c.band, c.mode, c.hour), c.expected)
        << c.name << ": " << c.call << " " << c.band << " " << c.mode << " hour " << c.hour;
  }
}

TEST(QsoLog, TextsAreNotRunTogether) {
  // Call "AB" on band "C80m" must not answer for call "ABC" on band "80m".
  QsoLog log;
  log.Append(Record("AB", "C80m", "RTTY", At(kDay15Mar2024, 9, 0)));
  log.Append(Record("X", "80m", "RTTYR", At(kDay15Mar2024, 9, 0)));
  EXPECT_FALSE(log.IsWorkedInTourOf("ABC", "80m", "RTTY", 9)) << "ABC/80m against AB/C80m";
  EXPECT_FALSE(log.IsWorkedInTourOf("X", "80mR", "TTYR", 9)) << "X/80mR/TTYR against X/80m/RTTYR";
  EXPECT_TRUE(log.IsWorkedInTourOf("AB", "C80m", "RTTY", 9)) << "AB/C80m itself";
}

struct TimeCase {
  const char* name;
  COleDateTime time;
  int hour;
  bool expected;
};

TEST(QsoLog, HourComesFromTheRoundedTimeOfAValidRecord) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  // The last hour of the day's first tour: its last tenths of a second
  // round into the next tour.
  const int last = stats::kTourHours - 1;
  const COleDateTime endOfFirstTour = At(kDay15Mar2024, last, 59, 59.6);
  const TimeCase cases[] = {
      {"another day, same hour", At(kDay10Mar2024, 14, 55), 14, true},
      {"the first tour's last second counts in the next", endOfFirstTour, last + 1, true},
      {"the first tour's last second is not in it", endOfFirstTour, last, false},
      {"before the epoch, -1.25 is 06:00", COleDateTime(-1.25, COleDateTime::valid), 6, true},
      {"null at the epoch has no hour", COleDateTime(0.0, COleDateTime::null), 0, false},
      {"invalid 12:00 has no hour", At(kDay15Mar2024, 12, 0, 0, COleDateTime::invalid), 12, false},
      {"NaN has no hour", COleDateTime(nan, COleDateTime::valid), 0, false},
  };
  for (const TimeCase& c : cases) {
    QsoLog log;
    log.Append(Record("UA3ABC", "40m", "RTTY", c.time));
    EXPECT_EQ(log.IsWorkedInTourOf("UA3ABC", "40m", "RTTY", c.hour), c.expected)
        << c.name << ", asked for hour " << c.hour;
  }
}

TEST(QsoLog, RemovingOneOfTwoRecordsOfAnHourKeepsTheHourWorked) {
  QsoLog log;
  log.Append(Record("DL1ABC", "80m", "RTTY", At(kDay15Mar2024, 14, 5)));
  log.Append(Record("DL1ABC", "80m", "RTTY", At(kDay15Mar2024, 14, 50)));
  log.Append(Record("DL1ABC", "80m", "RTTY", At(kDay15Mar2024, 16, 0)));

  log.RemoveAt(0);
  EXPECT_TRUE(log.IsWorkedInTourOf("DL1ABC", "80m", "RTTY", 14)) << "one 14h record left";
  log.RemoveAt(0);
  EXPECT_FALSE(log.IsWorkedInTourOf("DL1ABC", "80m", "RTTY", 14)) << "both 14h records removed";
  EXPECT_TRUE(log.IsWorkedInTourOf("DL1ABC", "80m", "RTTY", 16)) << "16h record untouched";
}

TEST(QsoLog, RemovingARecordWithoutHourLeavesOthersAlone) {
  QsoLog log;
  log.Append(Record("DL1ABC", "80m", "RTTY", COleDateTime(0.0, COleDateTime::null)));
  log.Append(Record("DL1ABC", "80m", "RTTY", At(kDay15Mar2024, 0, 10)));
  log.RemoveAt(0);
  EXPECT_TRUE(log.IsWorkedInTourOf("DL1ABC", "80m", "RTTY", 0))
      << "removing the null-time record must not uncount the 00h record";
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].m_dtTime.GetStatus(), COleDateTime::valid);
}

// The index follows the log whatever the order of appends, removals and
// queries: records removed before and after they were indexed, and records
// appended after a query.
TEST(QsoLog, IndexFollowsAppendsAndRemovalsBetweenQueries) {
  QsoLog log;
  log.Append(Record("A1", "80m", "RTTY", At(kDay15Mar2024, 3, 0)));
  log.Append(Record("B2", "80m", "RTTY", At(kDay15Mar2024, 4, 0)));
  log.RemoveAt(0);  // before anything was indexed
  EXPECT_FALSE(log.IsWorkedInTourOf("A1", "80m", "RTTY", 3)) << "A1 removed before a query";
  EXPECT_TRUE(log.IsWorkedInTourOf("B2", "80m", "RTTY", 4)) << "B2 after the first query";

  log.Append(Record("C3", "40m", "RTTY", At(kDay15Mar2024, 5, 0)));
  log.Append(Record("D4", "40m", "RTTY", At(kDay15Mar2024, 6, 0)));
  log.RemoveAt(0);  // B2: indexed; C3 and D4 are not yet
  log.RemoveAt(1);  // D4: not indexed
  EXPECT_FALSE(log.IsWorkedInTourOf("B2", "80m", "RTTY", 4)) << "B2 removed after it was indexed";
  EXPECT_TRUE(log.IsWorkedInTourOf("C3", "40m", "RTTY", 5)) << "C3 appended after a query";
  EXPECT_FALSE(log.IsWorkedInTourOf("D4", "40m", "RTTY", 6)) << "D4 removed before it was indexed";

  const QsoLog::Index index = log.index();
  ASSERT_EQ(index.keys.size(), log.size()) << "one key per record";
  EXPECT_EQ(index.bandIds.Text(index.keys[0].band), "40m") << "C3's band";
}

// The result's keys and the call check's hour counts are brought up to date
// separately; a removal between the two must reach both.
TEST(QsoLog, RemovalBetweenResultAndCallCheckReachesBothIndexes) {
  QsoLog log;
  log.Append(Record("A1", "80m", "RTTY", At(kDay15Mar2024, 3, 0)));
  log.Append(Record("B2", "40m", "RTTY", At(kDay15Mar2024, 4, 0)));
  ASSERT_EQ(log.index().keys.size(), 2u) << "keys for both records";
  log.RemoveAt(0);
  EXPECT_FALSE(log.IsWorkedInTourOf("A1", "80m", "RTTY", 3)) << "A1 removed after its key was made";
  EXPECT_TRUE(log.IsWorkedInTourOf("B2", "40m", "RTTY", 4)) << "B2 kept";
  const QsoLog::Index index = log.index();
  ASSERT_EQ(index.keys.size(), 1u) << "A1's key dropped";
  EXPECT_EQ(index.bandIds.Text(index.keys[0].band), "40m") << "B2's key";
}

}  // namespace
