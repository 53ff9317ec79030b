// The host simulator's command line.
#include "sim_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvosim {
namespace {

bool Parse(const std::vector<std::string>& args, SimOptions& options, std::string& error) {
  options = SimOptions{};
  error.clear();
  return ParseOptions(args, options, error);
}

std::string Joined(const std::vector<std::string>& args) {
  std::string text;
  for (const std::string& a : args) text += a + " ";
  return text;
}

TEST(SimOptions, ReadsEveryOption) {
  SimOptions o;
  std::string error;
  ASSERT_TRUE(
      Parse({"--call",   "R3XYZ",    "--prefix", "UA",        "--end",     "2026-12-06T23:59",
             "--output", "--answer", "a.txt",    "--check",   "R6SLW",     "80m",
             "RTTY",     "--prefix", "LY9UU=LY", "--country", "R3A=UA9",   "--timeout",
             "30",       "--plugin", "P\\S.dll", "--ansi",    "--session", "session.txt",
             "--object-thread", "log.adi"},
            o, error))
      << error;
  EXPECT_EQ(o.ownCall, "R3XYZ");
  EXPECT_EQ(o.ownPrefix, "UA");
  EXPECT_EQ(o.end, "2026-12-06T23:59");
  EXPECT_TRUE(o.output);
  EXPECT_EQ(o.answerFile, "a.txt");
  ASSERT_EQ(o.checks.size(), 1u);
  EXPECT_EQ(o.checks[0].call + " " + o.checks[0].band + " " + o.checks[0].mode, "R6SLW 80m RTTY");
  EXPECT_EQ(o.prefixOverrides, (std::vector<std::string>{"LY9UU=LY", "R3A=UA9"}));
  EXPECT_EQ(o.timeoutSeconds, 30);
  EXPECT_EQ(o.pluginPath, "P\\S.dll");
  EXPECT_TRUE(o.ansiOutput);
  EXPECT_EQ(o.sessionFile, "session.txt");
  EXPECT_TRUE(o.objectThread);
  EXPECT_EQ(o.logPath, "log.adi");
}

TEST(SimOptions, WithoutSessionThereIsNone) {
  SimOptions o;
  std::string error;
  ASSERT_TRUE(Parse({"log.adi"}, o, error)) << error;
  EXPECT_EQ(o.sessionFile, "");
  EXPECT_EQ(o.pluginPath, "Plugins\\Stats.dll");
  EXPECT_FALSE(o.objectThread) << "the host's own thread serves the object";
}

struct BadArgs {
  std::vector<std::string> args;
  const char* error;
};

TEST(SimOptions, RefusesWhatItCannotUse) {
  const BadArgs cases[] = {
      {{}, "no ADIF log given"},
      {{"--session"}, "--session needs a value"},
      {{"--session", "s.txt"}, "no ADIF log given"},
      {{"a.adi", "b.adi"}, "more than one log file: b.adi"},
      {{"--bogus", "a.adi"}, "unknown option --bogus"},
      {{"--country", "R3A", "a.adi"}, "--country needs CALL=PFX"},
      {{"--check", "R3A", "80m"}, "--check needs CALL BAND MODE"},
      {{"--timeout", "0", "a.adi"}, "--timeout needs a number of seconds"},
      {{"--timeout", "86401", "a.adi"}, "--timeout needs a number of seconds"},
  };
  for (const BadArgs& c : cases) {
    SimOptions o;
    std::string error;
    EXPECT_FALSE(Parse(c.args, o, error)) << Joined(c.args);
    EXPECT_EQ(error, c.error) << Joined(c.args);
  }
}

}  // namespace
}  // namespace orvosim
