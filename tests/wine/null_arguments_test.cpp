// Null text and date pointers from the host: every entry point answers and
// the module goes on working. A crash ends the test process, which fails
// the test.
#include <string>

#include "host_fixture.h"

namespace host {
namespace {

class NullArgumentsTest : public HostTest {
 protected:
  int AddAllNull(AddDataFn entry, const char* mode, const char* sent, const char* rcvd) {
    return entry(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0u, 0u, mode, nullptr,
                 nullptr, sent, rcvd, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                 nullptr, nullptr, nullptr, nullptr, 0, 0, 0, 0.0, 0.0, nullptr, nullptr, nullptr,
                 nullptr, nullptr);
  }

  int CheckAllNull(const char* call, char* warning) {
    return Entry().checkCall(call, 0u, 0u, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0, 0, 0.0, 0.0,
                             nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                             warning);
  }
};

TEST_P(NullArgumentsTest, ResetWithNullTexts) {
  WriteSetting("Start", "1");  // no display
  EXPECT_EQ(Entry().resetStats(nullptr, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                               nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0,
                               0, 0.0, 0.0, nullptr, nullptr, nullptr),
            1);
  EXPECT_EQ(Journal(), "KESTREL-RTTY UBN file \r\n");
  Entry().runCommand(0, "HIDEINFO");
}

TEST_P(NullArgumentsTest, IntakeWithNullTexts) {
  ASSERT_EQ(QuietReset(), 1);
  // Everything null: the empty mode is not the contest's.
  EXPECT_EQ(AddAllNull(Entry().addData, nullptr, nullptr, nullptr), 0) << "AddData0 all null";
  EXPECT_EQ(AddAllNull(Entry().removeData, nullptr, nullptr, nullptr), 0) << "RemoveData0 all null";
  // Only mode and exchanges given: the QSO is stored (no call, no band).
  EXPECT_EQ(AddAllNull(Entry().addData, "RTTY", "001", "0017"), 1) << "AddData0 mostly null";
  EXPECT_EQ(AddAllNull(Entry().removeData, "RTTY", "001", "0017"), 1)
      << "RemoveData0 mostly null";
  int status = 0;
  EXPECT_NE(Host().GetResult(&status).find("Total\t"), std::string::npos);
}

TEST_P(NullArgumentsTest, CheckCallWithNullTexts) {
  ASSERT_EQ(QuietReset(), 1);
  char warning[100] = {};
  EXPECT_EQ(CheckAllNull(nullptr, warning), 1) << "empty log, null call";
  EXPECT_EQ(CheckAllNull(nullptr, nullptr), 1) << "empty log, null buffer";

  // A QSO with no call, band or mode, logged now, matches a null call.
  Qso qso;
  qso.call = "";
  qso.mode = "RTTY";
  qso.band = "";
  qso.time = CurrentUtc();
  ASSERT_EQ(Host().AddData(qso), 1);
  const int verdict = CheckAllNull(nullptr, nullptr);
  EXPECT_TRUE(verdict == 1 || verdict == 4) << "verdict " << verdict << " with a null buffer";
}

TEST_P(NullArgumentsTest, ExchangeResultAndCommandsWithNullTexts) {
  const char* prefixes[] = {nullptr, "UA", "DL"};
  for (const char* prefix : prefixes) {
    EXPECT_EQ(Entry().isValidExchg(nullptr, nullptr, prefix, nullptr, 0, 0, 0), 0)
        << "null exchange, prefix " << (prefix ? prefix : "null");
  }
  EXPECT_EQ(Entry().isValidExchg("0017", nullptr, nullptr, nullptr, 0, 0, 0), 1)
      << "serial with a null prefix";
  EXPECT_EQ(Entry().getExchgCount(nullptr, nullptr, nullptr), 1);
  const char* result = Entry().getResult(nullptr);
  EXPECT_NE(result, nullptr) << "GetResult0(null)";
  const char* answer = Entry().runCommand(0, nullptr);
  ASSERT_NE(answer, nullptr) << "RunCommand0(0, null)";
  EXPECT_STREQ(answer, "");
}

INSTANTIATE_FOR_THE_HOSTS_BINDING(NullArgumentsTest);

}  // namespace
}  // namespace host
