// GetResult0 through the DLL: the exact result text for small logs, the
// "Claimed" setting and the host's status integer.
#include <string>

#include "host_fixture.h"

namespace host {
namespace {

class ResultTest : public HostTest {
 protected:
  // Own station RA9XYZ (not a Moscow call), contest ending 10.03.2024.
  void ResetForResult() {
    ResetArgs args;
    args.ownCall = "RA9XYZ";
    args.end = MakeDateTime(2024, 3, 10, 23, 59);
    ASSERT_EQ(QuietReset(args), 1);
  }

  void Log(const char* call, const char* prefix, const char* rcvd, const char* band) {
    Qso qso;
    qso.call = call;
    qso.countryPrefix = prefix;
    qso.rcvd = rcvd;
    qso.band = band;
    qso.time = MakeDateTime(2024, 3, 9, 14, 5);
    ASSERT_EQ(Host().AddData(qso), 1) << call << " " << rcvd << " on " << band;
  }

  // The text up to and including the score line, and what follows it.
  static void SplitAtCredit(const std::string& result, std::string& body, std::string& credit) {
    const std::size_t score = result.find("\r\nScore: ");
    const std::size_t end = score == std::string::npos ? score : result.find("\r\n", score + 2);
    if (end == std::string::npos) {
      body = result;
      credit.clear();
      return;
    }
    body = result.substr(0, end + 2);
    credit = result.substr(end + 2);
  }

  void ExpectResult(const std::string& expectedBody, const char* what) {
    int status = 12345;
    const std::string result = Host().GetResult(&status);
    std::string body, credit;
    SplitAtCredit(result, body, credit);
    EXPECT_EQ(body, expectedBody) << what;
    EXPECT_FALSE(credit.empty()) << what << ": no credit line after the score";
    EXPECT_EQ(credit.find_first_of("\r\n"), std::string::npos)
        << what << ": the credit is one line without a line end: " << credit;
    EXPECT_EQ(status, 12345) << what << ": status integer outside output mode";
  }
};

constexpr const char* kHeader =
    "  \tKESTREL-RTTY 10.03.2024\r\n\t    Contestant: RA9XYZ \r\n\tQSOs\tPoints\tMoscow\tRDA\r\n";

TEST_P(ResultTest, EmptyLogGivesZeros) {
  ResetForResult();
  ExpectResult(std::string(kHeader) + "Total\t 0\t 0\t 0\t 0\r\n\r\nScore: = 0*(0+0)= 0\r\n",
               "empty log");
  EXPECT_EQ(Setting("Claimed"), "0");
}

TEST_P(ResultTest, SmallLogGivesRowsTotalsAndScore) {
  ResetForResult();
  // 40m first, so the rows must be put in band order.
  Log("RV9AB", "UA9", "ad-01", "40m");   // other call, RDA AD01
  Log("R2AX", "UA", "MO", "40m");        // Moscow call (2A), district MO
  Log("R3AB", "UA", "MO", "80m");        // Moscow call (3A), district MO
  Log("UA3ABC", "UA2", "mo", "80m");     // Moscow call, MO again: no new district
  Log("DL1AA", "DL", "0017", "80m");     // other call
  Log("3A2MC", "DL", "0001", "80m");     // "3A" only at the start: other call
  // 80m: 4 QSOs, 5+5+1+1 = 12 points, 1 Moscow district; 40m: 2 QSOs, 1+5 = 6
  // points, 1 Moscow and 1 RDA district. Score 18 * (2 + 1) = 54.
  ExpectResult(std::string(kHeader) +
                   "80m\t 4\t 12\t 1\t 0\r\n"
                   "40m\t 2\t 6\t 1\t 1\r\n"
                   "Total\t 6\t 18\t 2\t 1\r\n"
                   "\r\nScore: = 18*(2+1)= 54\r\n",
               "small log");
  EXPECT_EQ(Setting("Claimed"), "54");
}

TEST_P(ResultTest, MoscowOwnCallTurnsThePoints) {
  ResetArgs args;
  args.ownCall = "R3AZZ";
  args.end = MakeDateTime(2024, 3, 10, 23, 59);
  ASSERT_EQ(QuietReset(args), 1);
  Log("R3AB", "UA", "MO", "80m");
  Log("R5CD", "UA", "SV", "80m");
  Log("UR2AB", "UR", "0001", "80m");  // "2A" at the third character: Moscow
  Log("DL1AA", "DL", "0002", "80m");
  Log("OK1XY", "OK", "0003", "80m");
  // Three Moscow calls at 1 point, two others at 5: 13 points; MO and SV.
  ExpectResult("  \tKESTREL-RTTY 10.03.2024\r\n\t    Contestant: R3AZZ \r\n"
               "\tQSOs\tPoints\tMoscow\tRDA\r\n"
               "80m\t 5\t 13\t 2\t 0\r\n"
               "Total\t 5\t 13\t 2\t 0\r\n"
               "\r\nScore: = 13*(2+0)= 26\r\n",
               "Moscow own call");
  EXPECT_EQ(Setting("Claimed"), "26");
}

TEST_P(ResultTest, ClaimedFollowsEveryComputation) {
  ResetForResult();
  Log("R3AB", "UA", "MO", "80m");
  int status = 0;
  Host().GetResult(&status);
  EXPECT_EQ(Setting("Claimed"), "5") << "one Moscow QSO with one district";
  Log("R3AC", "UA", "SV", "80m");
  Host().GetResult(&status);
  EXPECT_EQ(Setting("Claimed"), "20") << "two Moscow QSOs with two districts";
}

TEST_P(ResultTest, NullStatusPointerOutsideOutputMode) {
  ResetForResult();
  const char* text = Entry().getResult(nullptr);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(std::string(text).rfind(kHeader, 0), 0u) << text;
}

INSTANTIATE_FOR_THE_HOSTS_BINDING(ResultTest);

}  // namespace
}  // namespace host
