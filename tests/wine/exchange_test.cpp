// IsValidExchg0 through the DLL: serial numbers, Moscow districts and the
// RDA districts read from Plugins\rda_rus.dat at a reset.
#include <string>

#include "host_fixture.h"

namespace host {
namespace {

class ExchangeTest : public HostTest {};

struct ExchangeCase {
  const char* exchange;
  const char* countryPrefix;
  int expected;
};

void ExpectVerdicts(const HostCalls& host, const ExchangeCase* begin, const ExchangeCase* end) {
  for (const ExchangeCase* c = begin; c != end; ++c) {
    EXPECT_EQ(host.IsValidExchg(c->exchange, c->countryPrefix), c->expected)
        << "IsValidExchg0(\"" << c->exchange << "\", prefix \"" << c->countryPrefix << "\")";
  }
}

TEST_P(ExchangeTest, JudgesExchangesAfterAReset) {
  ASSERT_EQ(QuietReset(), 1);
  const ExchangeCase cases[] = {
      {"599", "DL", 0},     {"599", "UA", 0},     {"599", "UR", 0},
      {"MO", "UA", 1},      {"mo", "UA", 0},      {"XX", "UA", 0},
      {"BK", "UA", 1},      {"AF", "UA2", 1},     {"HM", "UA9", 1},
      {"MO", "ua", 0},      {"MO", "UR", 0},      {" MO", "UA", 0},
      {"AD01", "UA", 1},    {"AD02", "UA9", 1},   {"MOK-", "UA2", 1},
      {"AD-01", "UA", 0},   {"ad01", "UA", 0},    {"NOYP", "UA", 0},
      {"-X-9", "UA", 0},    {"0017", "UA", 0},    {"", "UA", 0},
      {"0017", "UR", 1},    {"7", "DL", 1},       {"123", "", 1},
      {"9999", "UN", 1},    {"12345", "UR", 0},   {"1a", "UR", 0},
      {"", "UR", 0},        {" 12", "DL", 0},     {"\xB9" "12", "DL", 0},
      {"AD01", "DL", 0},
  };
  ExpectVerdicts(Host(), std::begin(cases), std::end(cases));
}

TEST_P(ExchangeTest, BeforeAnyResetNoRdaDistrictIsKnown) {
  const ExchangeCase cases[] = {{"AD01", "UA", 0}, {"MO", "UA", 1}, {"0017", "DL", 1}};
  ExpectVerdicts(Host(), std::begin(cases), std::end(cases));
}

TEST_P(ExchangeTest, EveryResetReadsTheRdaFileAgain) {
  ASSERT_EQ(QuietReset(), 1);
  ASSERT_EQ(Host().IsValidExchg("AD01", "UA"), 1) << "AD01 from the installed file";

  Folder().Write(kRdaFilePath, "KR-11 new list\r\n");
  EXPECT_EQ(Host().IsValidExchg("AD01", "UA"), 1) << "AD01 before the next reset";
  ASSERT_EQ(QuietReset(), 1);
  EXPECT_EQ(Host().IsValidExchg("KR11", "UA"), 1) << "KR11 after the file changed";
  EXPECT_EQ(Host().IsValidExchg("AD01", "UA"), 0) << "AD01 after the file changed";

  std::filesystem::remove(Folder().Path() / kRdaFilePath);
  ASSERT_EQ(QuietReset(), 1);
  EXPECT_EQ(Host().IsValidExchg("KR11", "UA"), 0) << "KR11 with the file gone";
  EXPECT_EQ(Host().IsValidExchg("MO", "UA"), 1) << "MO with the file gone";
}

INSTANTIATE_FOR_THE_HOSTS_BINDING(ExchangeTest);

}  // namespace
}  // namespace host
