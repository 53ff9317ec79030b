// Exchange validation, district normalisation and the district senders'
// prefixes.
#include <string>
#include <vector>

#include "engine/contest_state.h"
#include "engine/exchange.h"
#include "engine/moscow_table.h"
#include "locked_state.h"
#include "module_fixture.h"
#include "moscow_table_codes.h"

namespace {

std::string Lowered(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

// The host passes the exchange as typed: only the table's own spelling is a
// district, while the intake's candidate of any spelling is that code.
TEST(DistrictCandidates, EveryDistrictIsAMemberOnlyAsWrittenAndEverySpellingNormalisesToIt) {
  for (const std::string& code : MoscowTableCodes()) {
    const std::string lower = Lowered(code);
    const std::string mixed{code[0], lower[1]};
    EXPECT_TRUE(stats::IsMoscowDistrict(code)) << code;
    for (const std::string& other :
         {lower, mixed, " " + code, code + " ", code + std::string(1, '\0'), code + code}) {
      EXPECT_FALSE(stats::IsMoscowDistrict(other)) << "\"" << other << "\" for " << code;
    }
    EXPECT_EQ(stats::MoscowCandidate(code), code) << code;
    EXPECT_EQ(stats::MoscowCandidate(lower), code) << lower;
    EXPECT_EQ(stats::MoscowCandidate(" \t" + mixed + "\r\n"), code) << mixed << " padded";
  }
}

TEST(DistrictSenderPrefix, OnlyTheThreePrefixesWhole) {
  const struct {
    const char* prefix;
    bool sender;
  } cases[] = {
      {"UA", true},  {"UA2", true}, {"UA9", true}, {"UR", false}, {"UN", false},
      {"EU", false}, {"ua", false}, {"UA1", false}, {"UA ", false}, {"U", false},
      {"", false},   {"UA9 ", false}, {"UA99", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(stats::IsDistrictSenderPrefix(c.prefix), c.sender) << "prefix \"" << c.prefix << "\"";
  }
}

struct CandidateCase {
  std::string exchange;
  const char* moscow;
  const char* rda;
};

TEST(DistrictCandidates, UpperCaseTrimmedAndFirstTwoLastTwo) {
  const CandidateCase cases[] = {
      {"mo", "MO", "MOMO"},
      {"MO", "MO", "MOMO"},
      {" mo ", "MO", "MO"},            // " m" + "o " -> " MO " -> "MO"
      {"\t\v\fMo\r\n", "MO", ""},       // "\t\v" + "\r\n": nothing but white space
      {"ab-01", "AB-01", "AB01"},
      {"AB-01", "AB-01", "AB01"},
      {"ab01", "AB01", "AB01"},
      {"abc", "ABC", "ABBC"},
      {"a", "A", "AA"},
      {"", "", ""},
      {"   ", "", ""},
      {" MO", "MO", "MMO"},           // " M" + "MO"
      {" a", "A", "A A"},             // " a" + " a"
      {"ab\t", "AB", "ABB"},          // "ab" + "b\t"
      {"ab - 01", "AB - 01", "AB01"},
      {"MO  ", "MO", "MO"},           // "MO" + "  "
      {"m o", "M O", "M  O"},         // "m " + " o"
      {"\xE0\xE1", "\xE0\xE1", "\xE0\xE1\xE0\xE1"},  // non-ASCII letters keep their case
      {"zz-99xy", "ZZ-99XY", "ZZXY"},
  };
  for (const CandidateCase& c : cases) {
    EXPECT_EQ(stats::MoscowCandidate(c.exchange), c.moscow)
        << "Moscow candidate of \"" << c.exchange << "\"";
    EXPECT_EQ(stats::RdaCandidate(c.exchange), c.rda)
        << "RDA candidate of \"" << c.exchange << "\"";
  }
}

struct ExchangeCase {
  std::string exchange;
  const char* prefix;
  bool expected;
};

class ExchangeTest : public ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    const stats::ContestStateLock state;
    state.RdaCodes().Append("AB01");
    state.RdaCodes().Append("MO12");
    state.RdaCodes().Append("A-A-");
  }

  void Check(const std::vector<ExchangeCase>& cases) {
    for (const ExchangeCase& c : cases) {
      EXPECT_EQ(stats::IsValidExchange(c.exchange, c.prefix), c.expected)
          << "exchange \"" << c.exchange << "\", prefix \"" << c.prefix << "\"";
    }
  }
};

TEST_F(ExchangeTest, FiveNineNineIsRefusedFromEveryone) {
  Check({{"599", "UA", false},
         {"599", "UA2", false},
         {"599", "UA9", false},
         {"599", "UR", false},
         {"599", "DL", false},
         {"599", "", false},
         {"5990", "DL", true},
         {"0599", "DL", true},
         {"598", "DL", true},
         {"59", "DL", true}});
}

TEST_F(ExchangeTest, RussianStationsSendADistrictAsTyped) {
  for (const char* prefix : {"UA", "UA2", "UA9"}) {
    Check({{"MO", prefix, true},
           {"BK", prefix, true},
           {"AF", prefix, true},
           {"mo", prefix, false},
           {"XX", prefix, false},
           {"12", prefix, false},
           {"AB01", prefix, true},
           {"MO12", prefix, true},
           {"A-A-", prefix, true},
           {"AB-01", prefix, false},
           {"ab01", prefix, false},
           {"AB02", prefix, false},
           {" MO", prefix, false},
           {"MO ", prefix, false},
           {"M", prefix, false},
           {"", prefix, false},
           {"1", prefix, false},
           {"123", prefix, false},
           {"0017", prefix, false},
           {"MOSCO", prefix, false}});
  }
}

TEST_F(ExchangeTest, EveryTableDistrictIsAValidExchangeFromRussianStationsOnly) {
  for (const std::string& code : MoscowTableCodes()) {
    for (const char* prefix : {"UA", "UA2", "UA9"}) {
      Check({{code, prefix, true}, {Lowered(code), prefix, false}});
    }
    Check({{code, "DL", false}, {code, "UR", false}});
  }
}

TEST_F(ExchangeTest, EveryoneElseSendsOneToFourDigits) {
  for (const char* prefix : {"UR", "UN", "EU", "DL", "", "ua", "UA1", "UA "}) {
    Check({{"0017", prefix, true},
           {"1", prefix, true},
           {"12", prefix, true},
           {"123", prefix, true},
           {"9999", prefix, true},
           {"0000", prefix, true},
           {"12345", prefix, false},
           {"1a", prefix, false},
           {"", prefix, false},
           {"MO", prefix, false},
           {"AB01", prefix, false},
           {" 12", prefix, false},
           {"12 ", prefix, false},
           {"-1", prefix, false},
           {"+1", prefix, false},
           {"1.0", prefix, false},
           {"\xB9", prefix, false},            // a byte of 128 or more is no digit
           {"1\xB3", prefix, false},
           {std::string("1\0" "2", 3), prefix, false}});
  }
}

TEST_F(ModuleTest, BeforeAnyResetEveryRdaDistrictIsRefused) {
  EXPECT_EQ(locked::RdaCodes().size(), 0u) << "RDA list right after load";
  EXPECT_FALSE(stats::IsValidExchange("AB01", "UA")) << "AB01 from UA with no RDA list";
  EXPECT_FALSE(stats::IsValidExchange("AB-0", "UA9")) << "AB-0 from UA9 with no RDA list";
  EXPECT_TRUE(stats::IsValidExchange("MO", "UA")) << "Moscow districts need no list";
  EXPECT_TRUE(stats::IsValidExchange("0017", "DL")) << "serials need no list";
}

}  // namespace
