// The host simulator's ADIF reading: tag level (records, header, lengths in
// bytes or characters, damaged input) and the QSO fields taken from it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "adif_qso.h"
#include "adif_reader.h"
#include "calendar_time.h"

namespace orvosim {
namespace {

std::string Field(const char* name, const std::string& value) {
  return "<" + std::string(name) + ":" + std::to_string(value.size()) + ">" + value;
}

std::string GoodRecord(const std::string& call) {
  return Field("CALL", call) + Field("QSO_DATE", "20261205") + Field("TIME_ON", "1405") + "<EOR>\n";
}

TEST(AdifReader, RecordsAfterAHeaderCommentAreRead) {
  const std::string text = "Log made by hand\n" + Field("ADIF_VER", "3.1.0") + "<EOH>\n" +
                           GoodRecord("R3ABC") + GoodRecord("DL1XX");
  const AdifFile file = ReadAdif(text);
  EXPECT_EQ(file.headerComment, "Log made by hand\n");
  ASSERT_EQ(file.header.size(), 1u);
  EXPECT_EQ(file.header[0].name, "ADIF_VER");
  ASSERT_EQ(file.records.size(), 2u);
  EXPECT_EQ(*file.records[0].Find("CALL"), "R3ABC");
  EXPECT_EQ(*file.records[1].Find("CALL"), "DL1XX");
  EXPECT_TRUE(file.problems.empty()) << DescribeProblem(file.problems[0]);
}

TEST(AdifReader, FileWithoutHeaderStartsWithTheFirstRecord) {
  const AdifFile file = ReadAdif(GoodRecord("UA9AAA"));
  ASSERT_EQ(file.records.size(), 1u);
  EXPECT_EQ(file.records[0].number, 1);
  EXPECT_EQ(file.records[0].offset, 0u);
  EXPECT_TRUE(file.header.empty());
}

TEST(AdifReader, LeadingTextWithoutHeaderEndIsNotAHeader) {
  const std::vector<std::pair<const char*, std::string>> cases = {
      {"blank line", "\r\n" + GoodRecord("R3ABC")},
      {"byte-order mark", "\xEF\xBB\xBF" + GoodRecord("R3ABC")},
      {"stray words", "exported log\n" + GoodRecord("R3ABC")},
  };
  for (const auto& [label, text] : cases) {
    const AdifFile file = ReadAdif(text);
    ASSERT_EQ(file.records.size(), 1u) << label;
    EXPECT_EQ(*file.records[0].Find("CALL"), "R3ABC") << label;
    EXPECT_TRUE(file.problems.empty()) << label;
  }
}

TEST(AdifReader, ReportedTagsAreShortAndPrintable) {
  const AdifFile file =
      ReadAdif(GoodRecord("R3A") + "<\x01\x02" + std::string(100, 'x') + "><EOR>");
  ASSERT_EQ(file.problems.size(), 1u);
  const std::string& message = file.problems[0].message;
  EXPECT_LT(message.size(), 60u) << message;
  for (char c : message) {
    EXPECT_TRUE(c >= 0x20 && c < 0x7F) << "unprintable byte " << int(c) << " in " << message;
  }
}

TEST(AdifReader, NamesAreCaseInsensitiveAndTypesAreIgnored) {
  const AdifFile file =
      ReadAdif("<call:5>R3ABC<Qso_Date:8:d>20261205<time_on:4:T>1405<srx_string:2>mo<eor>");
  ASSERT_EQ(file.records.size(), 1u);
  const AdifRecord& r = file.records[0];
  ASSERT_NE(r.Find("CALL"), nullptr);
  EXPECT_EQ(*r.Find("CALL"), "R3ABC");
  ASSERT_NE(r.Find("QSO_DATE"), nullptr);
  EXPECT_EQ(*r.Find("QSO_DATE"), "20261205");
  ASSERT_NE(r.Find("SRX_STRING"), nullptr);
  EXPECT_EQ(*r.Find("SRX_STRING"), "mo");
}

TEST(AdifReader, ValueMayContainAnOpeningBracket) {
  const AdifFile file = ReadAdif("<CALL:5>R3ABC<COMMENT:6>a <3 b<EOR>");
  ASSERT_EQ(file.records.size(), 1u);
  EXPECT_EQ(*file.records[0].Find("COMMENT"), "a <3 b");
}

struct LengthCase {
  const char* label;
  std::string text;
  std::string expectedComment;
};

TEST(AdifReader, LengthsInBytesOrInCharactersAreBothUnderstood) {
  // "Привет" (Hello): 6 characters, 12 bytes in UTF-8.
  const std::string hello = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82";
  const std::vector<LengthCase> cases = {
      {"bytes", "<COMMENT:12>" + hello + "<CALL:5>R3ABC<EOR>", hello},
      {"characters", "<COMMENT:6>" + hello + "<CALL:5>R3ABC<EOR>", hello},
      {"characters, blank after", "<COMMENT:6>" + hello + " \r\n<CALL:5>R3ABC<EOR>", hello},
      {"characters, last in file", "<CALL:5>R3ABC<COMMENT:6>" + hello, hello},
  };
  for (const LengthCase& c : cases) {
    const AdifFile file = ReadAdif(c.text);
    std::vector<AdifRecord> all = file.records;
    if (all.empty()) {
      // The last case has no <EOR>: its field is read, then the record is
      // reported as unterminated.
      ASSERT_EQ(file.problems.size(), 1u) << c.label;
      EXPECT_NE(file.problems[0].message.find("<EOR>"), std::string::npos) << c.label;
      continue;
    }
    ASSERT_EQ(all.size(), 1u) << c.label;
    ASSERT_NE(all[0].Find("COMMENT"), nullptr) << c.label;
    EXPECT_EQ(*all[0].Find("COMMENT"), c.expectedComment) << c.label;
    ASSERT_NE(all[0].Find("CALL"), nullptr) << c.label;
    EXPECT_EQ(*all[0].Find("CALL"), "R3ABC") << c.label;
  }
}

struct DamageCase {
  const char* label;
  std::string text;
  int goodRecords;
  int badRecord;          // record number of the one problem
  std::size_t badOffset;  // byte offset reported for it
  const char* messagePart;
};

TEST(AdifReader, DamagedRecordsAreReportedWithPositionAndSkipped) {
  const std::string one = GoodRecord("R3ABC");  // 48 bytes
  const std::vector<DamageCase> cases = {
      {"tag without length", one + "<CALL>R3ABC<EOR>" + one, 2, 2, one.size(), "no length"},
      {"length not a number", one + "<CALL:x>R3ABC<EOR>" + one, 2, 2, one.size(), "malformed"},
      {"tag never closed", one + "<CALL:5 R3ABC" + one, 1, 2, one.size(), "closing"},
      {"empty tag name", one + "<:5>R3ABC<EOR>", 1, 2, one.size(), "malformed"},
      {"length past the end", one + "<CALL:50>R3ABC", 1, 2, one.size(), "past the end"},
      {"truncated record", one + "<CALL:5>R3A", 1, 2, one.size(), "past the end"},
      {"no end of record", one + "<CALL:5>R3ABC", 1, 2, one.size(), "<EOR>"},
      {"bad tag in second field", one + "<CALL:5>R3ABC<Q:y>1<EOR>" + one, 2, 2, one.size() + 13,
       "malformed"},
  };
  for (const DamageCase& c : cases) {
    const AdifFile file = ReadAdif(c.text);
    EXPECT_EQ(static_cast<int>(file.records.size()), c.goodRecords) << c.label;
    ASSERT_EQ(file.problems.size(), 1u) << c.label;
    EXPECT_EQ(file.problems[0].record, c.badRecord) << c.label;
    EXPECT_EQ(file.problems[0].offset, c.badOffset) << c.label;
    EXPECT_NE(file.problems[0].message.find(c.messagePart), std::string::npos)
        << c.label << ": " << file.problems[0].message;
  }
}

TEST(AdifReader, ARunOfUnclosedTagsIsOneFaultAndTheRecordsAroundItStay) {
  const std::string one = GoodRecord("R3ABC");
  for (const std::size_t run : {std::size_t{1}, std::size_t{1} << 20}) {
    const std::string text = one + std::string(run, '<') + "<EOR>" + GoodRecord("UA9XYZ");
    const AdifFile file = ReadAdif(text);
    ASSERT_EQ(file.records.size(), 2u) << run << " open tags";
    EXPECT_EQ(*file.records[1].Find("CALL"), "UA9XYZ") << run << " open tags";
    ASSERT_EQ(file.problems.size(), 1u) << run << " open tags";
    EXPECT_EQ(file.problems[0].offset, one.size()) << run << " open tags";
    EXPECT_NE(file.problems[0].message.find("closing"), std::string::npos) << run << " open tags";
  }
}

TEST(AdifReader, RecordsAfterADamagedOneKeepTheirNumbers) {
  const std::string text = GoodRecord("R3ABC") + "<CALL>x<EOR>" + GoodRecord("R3ABD");
  const AdifFile file = ReadAdif(text);
  ASSERT_EQ(file.records.size(), 2u);
  EXPECT_EQ(file.records[0].number, 1);
  EXPECT_EQ(file.records[1].number, 3);
}

TEST(AdifReader, GarbageAndEveryTruncationNeverBreakTheReader) {
  const std::string text = "header\n<EOH>" + GoodRecord("R3ABC") + GoodRecord("UA9XYZ") +
                           Field("COMMENT", "\xD0\x9F\xD1\x80") + "<EOR>";
  for (std::size_t cut = 0; cut <= text.size(); ++cut) {
    const AdifFile file = ReadAdif(std::string_view(text).substr(0, cut));
    EXPECT_LE(file.records.size(), 3u) << "cut at " << cut;
    for (const AdifProblem& p : file.problems) {
      EXPECT_LE(p.offset, cut) << "cut at " << cut << ": " << p.message;
    }
  }
  std::string noise;
  for (int i = 0; i < 2000; ++i) noise += static_cast<char>("<>:9aE\xD0\n"[(i * 7919) % 8]);
  const AdifFile file = ReadAdif(noise);
  for (const AdifProblem& p : file.problems) EXPECT_LE(p.offset, noise.size()) << p.message;
}

struct FrequencyCase {
  const char* text;
  bool ok;
  unsigned int hz;
};

TEST(AdifQso, MegahertzBecomeHertz) {
  const FrequencyCase cases[] = {
      {"3.5805", true, 3580500},    {"7.035", true, 7035000}, {"14", true, 14000000},
      {"7.0351234", true, 7035123}, {".5", true, 500000},     {"4294.967295", true, 4294967295u},
      {"4294.967296", false, 0},    {"", false, 0},           {"3,580", false, 0},
      {"-3.5", false, 0},           {"3.5 MHz", false, 0},    {".", false, 0},
  };
  for (const FrequencyCase& c : cases) {
    unsigned int hz = 0;
    EXPECT_EQ(ParseMegahertz(c.text, hz), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(hz, c.hz) << c.text;
    }
  }
}

TEST(AdifQso, BandFollowsFrequencyWhenNotGiven) {
  const std::pair<unsigned int, const char*> cases[] = {
      {3580500, "80m"}, {7035000, "40m"}, {14080000, "20m"}, {1838000, "160m"}, {4500000, ""}};
  for (const auto& [hz, band] : cases) EXPECT_EQ(BandOfFrequency(hz), band) << hz;
}

TEST(AdifQso, FieldsOfAFullRecord) {
  const std::string text =
      Field("STATION_CALLSIGN", "r3xyz") + Field("OPERATOR", "R3OPS") + Field("call", "ua9abc") +
      Field("QSO_DATE", "20261205") + Field("TIME_ON", "140530") + Field("FREQ", "3.5805") +
      Field("BAND", "80M") + Field("MODE", "rtty") + Field("RST_SENT", "599") +
      Field("RST_RCVD", "579") + Field("STX", "12") + Field("STX_STRING", "MO") +
      Field("SRX", "7") + Field("SRX_STRING", "ab-12") + Field("DXCC", "15") +
      Field("COMMENT", "late") + "<EOR>";
  std::vector<AdifProblem> problems;
  const std::vector<AdifQso> qsos = ReadQsos(text, problems);
  ASSERT_EQ(qsos.size(), 1u);
  const AdifQso& q = qsos[0];
  EXPECT_EQ(q.call, "UA9ABC");
  EXPECT_EQ(q.ownCall, "R3XYZ");
  EXPECT_EQ(q.freqHz, 3580500u);
  EXPECT_EQ(q.band, "80m");
  EXPECT_EQ(q.mode, "RTTY");
  EXPECT_EQ(q.rstSent, "599");
  EXPECT_EQ(q.rstRcvd, "579");
  EXPECT_EQ(q.sent, "MO");
  EXPECT_EQ(q.rcvd, "ab-12");
  EXPECT_EQ(q.dxcc, 15);
  EXPECT_EQ(q.comment, "late");
  EXPECT_EQ(q.time.year, 2026);
  EXPECT_EQ(q.time.month, 12);
  EXPECT_EQ(q.time.day, 5);
  EXPECT_EQ(q.time.hour, 14);
  EXPECT_EQ(q.time.minute, 5);
  EXPECT_EQ(q.time.second, 30);
}

TEST(AdifQso, NumericExchangesAndOperatorAreFallbacks) {
  const std::string text = Field("OPERATOR", "R3OPS") + Field("CALL", "DL1AA") +
                           Field("QSO_DATE", "20261205") + Field("TIME_ON", "0000") +
                           Field("STX", "5") + Field("SRX", "0017") + "<EOR>";
  std::vector<AdifProblem> problems;
  const std::vector<AdifQso> qsos = ReadQsos(text, problems);
  ASSERT_EQ(qsos.size(), 1u);
  EXPECT_EQ(qsos[0].ownCall, "R3OPS");
  EXPECT_EQ(qsos[0].sent, "5");
  EXPECT_EQ(qsos[0].rcvd, "0017");
  EXPECT_EQ(qsos[0].freqHz, 0u);
  EXPECT_EQ(qsos[0].band, "");
  EXPECT_EQ(qsos[0].dxcc, 0);
}

struct BadQsoCase {
  const char* label;
  std::string fields;
  const char* reasonPart;
};

TEST(AdifQso, RecordsThatCannotBeAQsoAreReportedAndSkipped) {
  const std::string when = Field("QSO_DATE", "20261205") + Field("TIME_ON", "1405");
  const std::vector<BadQsoCase> cases = {
      {"no call", when, "no CALL"},
      {"blank call", Field("CALL", "  ") + when, "no CALL"},
      {"no date", Field("CALL", "R3A") + Field("TIME_ON", "1405"), "no QSO_DATE"},
      {"no time", Field("CALL", "R3A") + Field("QSO_DATE", "20261205"), "no TIME_ON"},
      {"31 November",
       Field("CALL", "R3A") + Field("QSO_DATE", "20261131") + Field("TIME_ON", "1405"),
       "bad QSO_DATE"},
      {"29 February 2026",
       Field("CALL", "R3A") + Field("QSO_DATE", "20260229") + Field("TIME_ON", "1405"),
       "bad QSO_DATE"},
      {"hour 24", Field("CALL", "R3A") + Field("QSO_DATE", "20261205") + Field("TIME_ON", "2400"),
       "bad TIME_ON"},
      {"five-digit time",
       Field("CALL", "R3A") + Field("QSO_DATE", "20261205") + Field("TIME_ON", "14050"),
       "bad TIME_ON"},
      {"bad freq", Field("CALL", "R3A") + when + Field("FREQ", "abc"), "bad FREQ"},
      {"bad dxcc", Field("CALL", "R3A") + when + Field("DXCC", "x1"), "bad DXCC"},
  };
  const std::string good = GoodRecord("R3GOOD");
  for (const BadQsoCase& c : cases) {
    std::vector<AdifProblem> problems;
    const std::vector<AdifQso> qsos = ReadQsos(good + c.fields + "<EOR>" + good, problems);
    EXPECT_EQ(qsos.size(), 2u) << c.label;
    ASSERT_EQ(problems.size(), 1u) << c.label;
    EXPECT_EQ(problems[0].record, 2) << c.label;
    EXPECT_EQ(problems[0].offset, good.size()) << c.label;
    EXPECT_NE(problems[0].message.find(c.reasonPart), std::string::npos)
        << c.label << ": " << problems[0].message;
  }
}

TEST(AdifQso, LeapDayIsADate) {
  CalendarTime t;
  EXPECT_TRUE(ParseAdifDate("20280229", t));
  EXPECT_FALSE(ParseAdifDate("21000229", t));
}

struct OleCase {
  const char* text;
  double ole;
};

TEST(CalendarTime, OleDatesCountDaysFromTheEndOf1899) {
  const OleCase cases[] = {
      {"1899-12-30", 0.0},
      {"1900-01-01T06:00", 2.25},
      {"2000-01-01T12:00", 36526.5},
      {"2026-12-06T23:59", 46362.0 + 1439.0 / 1440.0},
  };
  for (const OleCase& c : cases) {
    CalendarTime t;
    ASSERT_TRUE(ParseIsoDateTime(c.text, t)) << c.text;
    EXPECT_DOUBLE_EQ(stats::CalendarToOleDate(t), c.ole) << c.text;
  }
  CalendarTime t;
  for (const char* bad : {"2026-12-06T24:00", "2026-13-01", "2026-12-06T23", "06.12.2026"}) {
    EXPECT_FALSE(ParseIsoDateTime(bad, t)) << bad;
  }
}

}  // namespace
}  // namespace orvosim
