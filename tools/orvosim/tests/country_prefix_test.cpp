// The host simulator's country prefix of a worked station: by override, by
// ADIF DXCC entity, by callsign.
#include <gtest/gtest.h>

#include <string>

#include "country_prefix.h"

namespace orvosim {
namespace {

struct CallCase {
  const char* call;
  const char* prefix;
};

TEST(CountryPrefix, RussianCallBlocksByCallArea) {
  const CallCase cases[] = {
      {"R3ABC", "UA"},   {"RA3AA", "UA"},  {"UA1ABC", "UA"},  {"UI6A", "UA"},
      {"RN9AA", "UA9"},  {"UA0ZZ", "UA9"}, {"R8CC", "UA9"},   {"UB9XYZ", "UA9"},
      {"UA2FAA", "UA2"}, {"RA2FB", "UA2"}, {"R2KAA", "UA2"},  {"RK2A", "UA"},
      {"ua9abc", "UA9"}, {"RAEM", "UA"},   {"R3ABC/P", "UA"}, {"R3ABC/9", "UA9"},
      {"UA9ABC/3", "UA"}, {"UA2FAA/QRP", "UA2"},
  };
  for (const CallCase& c : cases) EXPECT_EQ(PrefixFromCall(c.call), c.prefix) << c.call;
}

TEST(CountryPrefix, OtherCallsGetTheirLeadingCharacters) {
  const CallCase cases[] = {
      {"DL1ABC", "DL"}, {"UR5ABC", "UR"}, {"UN7AA", "UN"}, {"EU1AA", "EU"}, {"UJ8JK", "UJ"},
      {"4L1AB", "4L"},  {"9A2AA", "9A"},  {"K1AR", "K"},   {"3DA0XX", "3DA"}, {"SP", "SP"},
      {"DL/R3ABC", "DL"}, {"R3ABC/DL", "DL"}, {"OH2/UA9ABC", "OH"},
  };
  for (const CallCase& c : cases) EXPECT_EQ(PrefixFromCall(c.call), c.prefix) << c.call;
}

struct EntityCase {
  int dxcc;
  const char* call;
  const char* prefix;
};

TEST(CountryPrefix, DxccEntityDecidesOverTheCallsign) {
  const EntityCase cases[] = {
      {54, "UA9ABC", "UA"},  {126, "R3ABC", "UA2"}, {15, "R3ABC", "UA9"},
      {288, "UR5AA", "UR"},  {230, "DL1AA", "DL"},  {27, "EW1AA", "EU"},
      // An entity outside the table is foreign even for a call from a
      // Russian block (an Antarctic base, say).
      {13, "R1ANB", "R"},    {999, "UA9ABC/MM", "UA"},
      // No entity: nothing from this rule.
      {0, "R3ABC", ""},      {-1, "DL1AA", ""},
  };
  for (const EntityCase& c : cases) {
    EXPECT_EQ(PrefixFromDxcc(c.dxcc, c.call), c.prefix) << c.dxcc << " " << c.call;
  }
}

TEST(CountryPrefix, RuleOrderIsOverrideThenEntityThenCall) {
  CountryPrefixRule rule;
  ASSERT_TRUE(rule.AddOverride("r3abc=UA9"));
  EXPECT_EQ(rule.PrefixFor("R3ABC", 54), "UA9") << "override beats the entity";
  EXPECT_EQ(rule.PrefixFor("R3ABD", 15), "UA9") << "entity beats the call";
  EXPECT_EQ(rule.PrefixFor("R3ABD", 0), "UA") << "call when there is no entity";
  EXPECT_EQ(rule.PrefixFor("DL1AA", 0), "DL") << "foreign call when there is no entity";
}

TEST(CountryPrefix, MalformedOverridesAreRefused) {
  CountryPrefixRule rule;
  for (const char* text : {"R3ABC", "=UA", ""}) EXPECT_FALSE(rule.AddOverride(text)) << text;
  EXPECT_TRUE(rule.AddOverride("R3ABC=")) << "an empty prefix is a legal host value";
  EXPECT_EQ(rule.PrefixFor("R3ABC", 54), "");
}

}  // namespace
}  // namespace orvosim
