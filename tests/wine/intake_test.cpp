// AddData0 and RemoveData0 through the real DLL, for what only the real DLL
// can get wrong: each argument taken from its own position of the host's
// list under the C calling convention (by both names), the status word of
// the host's date-time record, the journal err.txt appended through the
// Win32 file functions in the working directory, and the RDA list read
// from Plugins\rda_rus.dat. What the intake decides for each kind of QSO,
// and how removal matches, is tested natively (tests/unit/intake_test.cpp).
#include <string>

#include "host_fixture.h"
#include "tests/contest_bands.h"

namespace host {
namespace {

constexpr const char* kJournalHeader = "KESTREL-RTTY UBN file \r\n";

// A serial-number QSO on 80m logged at 2024-03-09 14:05, 3585.123 kHz.
Qso BaseQso() {
  Qso qso;
  qso.time = MakeDateTime(2024, 3, 9, 14, 5);
  return qso;
}

// The totals row of the result text ("" when there is none).
std::string TotalsRow(const std::string& result) {
  const std::size_t begin = result.find("Total\t");
  if (begin == std::string::npos) return "";
  return result.substr(begin, result.find("\r\n", begin) - begin);
}

class IntakeTest : public HostTest {
 protected:
  std::string Totals() {
    int status = 0;
    return TotalsRow(Host().GetResult(&status));
  }
};

TEST_P(IntakeTest, EveryJournaledFieldComesFromItsOwnArgumentPosition) {
  ASSERT_EQ(QuietReset(), 1);
  Qso qso = BaseQso();
  qso.band = kRefusedBand;  // position 32, after the doubles
  qso.freqHz = 14085999u;  // unsigned, whole kilohertz
  qso.rstRcvd = "579";     // unlike the RST sent
  qso.sent = "002";
  qso.rcvd = "0123";
  EXPECT_EQ(Host().AddData(qso), 0);
  EXPECT_EQ(Journal(), std::string(kJournalHeader) +
                           "QSO:  14085  RTTY  2024-03-09 1405  RA9XYZ  599  002  DL1AA  579  "
                           "0123   NO CONTEST BAND !!!\r\n");
}

TEST_P(IntakeTest, RefusalsAppendToTheJournalInCallOrderWithTheHostsDateStatus) {
  ASSERT_EQ(QuietReset(), 1);
  Qso nullTime = BaseQso();
  nullTime.band = kRefusedBand;
  nullTime.time = kNullDateTime;
  Qso invalidTime = BaseQso();
  invalidTime.mode = "CW";
  invalidTime.time = DateTime{0.0, DateTime::kInvalid};
  ASSERT_EQ(Host().AddData(nullTime), 0) << "refused band";
  ASSERT_EQ(Host().AddData(BaseQso()), 1) << "stored: no line";
  ASSERT_EQ(Host().AddData(invalidTime), 0) << "CW";
  EXPECT_EQ(Journal(),
            std::string(kJournalHeader) +
                "QSO:  3585  RTTY    RA9XYZ  599  001  DL1AA  599  0017   NO CONTEST BAND !!!\r\n"
                "QSO:  3585  CW  Invalid DateTime  RA9XYZ  599  001  DL1AA  599  0017   NO TEST "
                "MODE !!!\r\n");
}

TEST_P(IntakeTest, DistrictsFollowThePrefixPositionAndTheInstalledRdaList) {
  ASSERT_EQ(QuietReset(), 1);
  Qso moscow = BaseQso();
  moscow.call = "UA3ABC";
  moscow.countryPrefix = "UA";
  moscow.rcvd = "mo";
  Qso rda = BaseQso();
  rda.call = "RV9AB";
  rda.countryPrefix = "UA9";
  rda.rcvd = "ad-01";  // in Plugins\rda_rus.dat
  ASSERT_EQ(Host().AddData(moscow), 1);
  ASSERT_EQ(Host().AddData(rda), 1);
  EXPECT_EQ(Totals(), "Total\t 2\t 6\t 1\t 1") << "one Moscow and one RDA district on 80m";
  EXPECT_EQ(Journal(), kJournalHeader) << "both districts accepted";
}

TEST_P(IntakeTest, RemoveDataRemovesThroughItsOwnNames) {
  ASSERT_EQ(QuietReset(), 1);
  ASSERT_EQ(Host().AddData(BaseQso()), 1) << "first";
  ASSERT_EQ(Host().AddData(BaseQso()), 1) << "second";
  EXPECT_EQ(Host().RemoveData(BaseQso()), 1);
  EXPECT_EQ(Totals(), "Total\t 1\t 1\t 0\t 0") << "one of the two removed";
  Qso noRcvd = BaseQso();
  noRcvd.rcvd = "";
  EXPECT_EQ(Host().RemoveData(noRcvd), 0) << "the received exchange at its own position";
  EXPECT_EQ(Totals(), "Total\t 1\t 1\t 0\t 0");
  EXPECT_EQ(Journal(), kJournalHeader) << "RemoveData0 writes no journal line";
}

INSTANTIATE_FOR_THE_HOSTS_BINDING(IntakeTest);

}  // namespace
}  // namespace host
