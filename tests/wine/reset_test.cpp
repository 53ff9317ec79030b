// ResetStats0 through the DLL (never in output mode, which shows the modal
// station dialog): the fresh journal, the emptied log and the alternating
// "Start" setting.
#include <string>

#include "host_fixture.h"
#include "tests/contest_bands.h"

namespace host {
namespace {

constexpr const char* kJournalHeader = "KESTREL-RTTY UBN file \r\n";

class ResetTest : public HostTest {};

TEST_P(ResetTest, StartsAFreshJournal) {
  Folder().Write(kJournalPath, "left over from the last contest\r\n");
  EXPECT_EQ(QuietReset(), 1);
  EXPECT_EQ(Journal(), kJournalHeader) << "after the first reset";

  Qso refused;
  refused.band = kRefusedBand;
  ASSERT_EQ(Host().AddData(refused), 0);
  ASSERT_NE(Journal(), kJournalHeader) << "the refusal left no line";
  EXPECT_EQ(QuietReset(), 1);
  EXPECT_EQ(Journal(), kJournalHeader) << "after a second reset";
}

TEST_P(ResetTest, EmptiesTheLog) {
  ASSERT_EQ(QuietReset(), 1);
  Qso qso;
  qso.time = MakeDateTime(2024, 3, 9, 14, 5);
  ASSERT_EQ(Host().AddData(qso), 1);
  int status = 0;
  ASSERT_NE(Host().GetResult(&status).find("Total\t 1\t"), std::string::npos)
      << "the QSO was not counted before the reset";
  ASSERT_EQ(QuietReset(), 1);
  const std::string result = Host().GetResult(&status);
  EXPECT_NE(result.find("Total\t 0\t 0\t 0\t 0\r\n"), std::string::npos) << result;
  EXPECT_EQ(result.find("80m"), std::string::npos) << "band row left after the reset: " << result;
}

TEST_P(ResetTest, TakesOverOwnCallAndContestEnd) {
  ResetArgs args;
  args.ownCall = "RK3XYZ";
  args.end = MakeDateTime(2023, 12, 31, 23, 0);
  ASSERT_EQ(QuietReset(args), 1);
  int status = 0;
  const std::string result = Host().GetResult(&status);
  EXPECT_EQ(result.rfind("  \tKESTREL-RTTY 31.12.2023\r\n\t    Contestant: RK3XYZ \r\n", 0), 0u)
      << result;

  args.end = DateTime{0.0, 2};
  ASSERT_EQ(QuietReset(args), 1);
  EXPECT_EQ(Host().GetResult(&status).rfind("  \tKESTREL-RTTY \r\n", 0), 0u)
      << "null contest end";
}

TEST_P(ResetTest, StartSettingAlternates) {
  // No "Start" yet: the reset opens the information window and stores 1.
  ASSERT_EQ(Setting("Start"), "<missing>");
  EXPECT_EQ(Host().ResetStats(ResetArgs()), 1);
  EXPECT_EQ(Setting("Start"), "1") << "first reset";
  // The next one reads 1, stores 0 and opens nothing.
  EXPECT_EQ(Host().ResetStats(ResetArgs()), 1);
  EXPECT_EQ(Setting("Start"), "0") << "second reset";
  // With the window closed, the third opens it again.
  ASSERT_STREQ(Entry().runCommand(0, "HIDEINFO"), "");
  EXPECT_EQ(Host().ResetStats(ResetArgs()), 1);
  EXPECT_EQ(Setting("Start"), "1") << "third reset";
  EXPECT_EQ(Host().ResetStats(ResetArgs()), 1);
  EXPECT_EQ(Setting("Start"), "0") << "fourth reset";
  Entry().runCommand(0, "HIDEINFO");
}

TEST_P(ResetTest, StartReadsLeadingDigits) {
  struct Case {
    const char* stored;
    const char* after;
  };
  // A non-zero number stores 0; zero or no number opens the window (stores 1).
  const Case cases[] = {{"1", "0"}, {"7", "0"}, {"12abc", "0"}, {"0", "1"}, {"", "1"},
                        {"abc", "1"}};
  for (const Case& c : cases) {
    WriteSetting("Start", c.stored);
    EXPECT_EQ(Host().ResetStats(ResetArgs()), 1) << "Start=" << c.stored;
    EXPECT_EQ(Setting("Start"), c.after) << "Start=" << c.stored;
    Entry().runCommand(0, "HIDEINFO");
  }
}

INSTANTIATE_FOR_THE_HOSTS_BINDING(ResetTest);

}  // namespace
}  // namespace host
