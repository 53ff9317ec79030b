// The host simulator's operator session: one command per line, each line's
// words checked, errors naming their line.
#include "session_script.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvosim {
namespace {

std::vector<SessionCommand> ParseOk(const std::string& script) {
  std::vector<SessionCommand> commands;
  std::string error;
  EXPECT_TRUE(ParseSessionScript(script, commands, error)) << script << ": " << error;
  return commands;
}

TEST(SessionScript, ReadsEveryCommandWithItsLine) {
  const std::vector<SessionCommand> c = ParseOk(
      "# show the display\r\n"
      "command SHOWINFO\r\n"
      "\r\n"
      "  tick\tmoscow  \n"
      "tick rda\n"
      "freq 3520000\n"
      "freq 7030000.5\n"
      "call R6SLW\n"
      "call\n"
      "wait 600\n"
      "shot call-view_1.b\n"
      "add UA3AAA 80m RTTY 12:05 MO\n"
      "remove UA3AAA 80m RTTY 23:59 MO UA9\n"
      "result\n"
      "reset\n"
      "unload\n"
      "load\n"
      "unload-inside\n"
      "pace prompt\n"
      "pace blocking 3000\n"
      "pace ownloop 0");
  ASSERT_EQ(c.size(), 19u);
  EXPECT_EQ(c[0].verb, SessionVerb::Command);
  EXPECT_EQ(c[0].text, "SHOWINFO");
  EXPECT_EQ(c[0].line, 2);
  EXPECT_EQ(c[1].tick, TickTarget::Moscow);
  EXPECT_EQ(c[1].line, 4);
  EXPECT_EQ(c[2].tick, TickTarget::Rda);
  EXPECT_EQ(c[3].hz, 3520000.0);
  EXPECT_EQ(c[4].hz, 7030000.5);
  EXPECT_EQ(c[5].verb, SessionVerb::Call);
  EXPECT_EQ(c[5].text, "R6SLW");
  EXPECT_EQ(c[6].text, "") << "call alone clears the field";
  EXPECT_EQ(c[7].ms, 600);
  EXPECT_EQ(c[8].text, "call-view_1.b");
  EXPECT_EQ(c[9].verb, SessionVerb::Add);
  EXPECT_EQ(c[9].qso.call, "UA3AAA");
  EXPECT_EQ(c[9].qso.band, "80m");
  EXPECT_EQ(c[9].qso.mode, "RTTY");
  EXPECT_EQ(c[9].qso.hour, 12);
  EXPECT_EQ(c[9].qso.minute, 5);
  EXPECT_EQ(c[9].qso.rcvd, "MO");
  EXPECT_EQ(c[9].qso.prefix, "");
  EXPECT_EQ(c[10].verb, SessionVerb::Remove);
  EXPECT_EQ(c[10].qso.hour, 23);
  EXPECT_EQ(c[10].qso.minute, 59);
  EXPECT_EQ(c[10].qso.prefix, "UA9");
  EXPECT_EQ(c[11].verb, SessionVerb::Result);
  EXPECT_EQ(c[11].line, 14);
  EXPECT_EQ(c[12].verb, SessionVerb::Reset);
  EXPECT_EQ(c[13].verb, SessionVerb::Unload);
  EXPECT_EQ(c[14].verb, SessionVerb::Load);
  EXPECT_EQ(c[15].verb, SessionVerb::UnloadInside);
  EXPECT_EQ(c[16].verb, SessionVerb::Pace);
  EXPECT_EQ(c[16].pace, PaceKind::Prompt);
  EXPECT_EQ(c[17].pace, PaceKind::Blocking);
  EXPECT_EQ(c[17].ms, 3000);
  EXPECT_EQ(c[18].pace, PaceKind::OwnLoop);
  EXPECT_EQ(c[18].ms, 0);
}

struct BadLine {
  const char* script;
  const char* error;
};

TEST(SessionScript, RefusesALineWithItsNumber) {
  const char* const kPaceUsage =
      "line 1: pace takes prompt, blocking MS or ownloop MS (MS up to 600000)";
  const BadLine cases[] = {
      {"jump 3", "line 1: unknown command jump"},
      {"#\nCALL R3A", "line 2: unknown command CALL"},
      {"call R3A R3B", "line 1: call takes one call sign"},
      {"freq", "line 1: freq takes a frequency in Hz"},
      {"freq 0", "line 1: freq takes a frequency in Hz"},
      {"freq -3520000", "line 1: freq takes a frequency in Hz"},
      {"freq 3.5e6", "line 1: freq takes a frequency in Hz"},
      {"freq 3520000.", "line 1: freq takes a frequency in Hz"},
      {"freq 4294967296", "line 1: freq takes a frequency in Hz"},
      {"freq 3,520,000", "line 1: freq takes a frequency in Hz"},
      {"add UA3AAA 80m RTTY 12:05", "line 1: add takes CALL BAND MODE HH:MM RCVD [PREFIX]"},
      {"remove A B C 12:05 D E F", "line 1: remove takes CALL BAND MODE HH:MM RCVD [PREFIX]"},
      {"add UA3AAA 80m RTTY 24:00 MO", "line 1: time 24:00 is not HH:MM"},
      {"add UA3AAA 80m RTTY 12:60 MO", "line 1: time 12:60 is not HH:MM"},
      {"add UA3AAA 80m RTTY 1205 MO", "line 1: time 1205 is not HH:MM"},
      {"add UA3AAA 80m RTTY 1:05 MO", "line 1: time 1:05 is not HH:MM"},
      {"result now", "line 1: result takes nothing"},
      {"command", "line 1: command takes one word"},
      {"command SHOW INFO", "line 1: command takes one word"},
      {"tick Moscow", "line 1: tick takes moscow or rda"},
      {"tick", "line 1: tick takes moscow or rda"},
      {"wait", "line 1: wait takes 0 to 600000 ms"},
      {"wait 600001", "line 1: wait takes 0 to 600000 ms"},
      {"wait 1s", "line 1: wait takes 0 to 600000 ms"},
      {"shot", "line 1: shot takes a name of letters, digits, - _ ."},
      {"shot ../up", "line 1: shot takes a name of letters, digits, - _ ."},
      {"shot .hidden", "line 1: shot takes a name of letters, digits, - _ ."},
      {"shot a\\b", "line 1: shot takes a name of letters, digits, - _ ."},
      {"unload now", "line 1: unload takes nothing"},
      {"load Stats.dll", "line 1: load takes nothing"},
      {"pace", kPaceUsage},
      {"pace prompt 10", kPaceUsage},
      {"pace blocking", kPaceUsage},
      {"pace ownloop 600001", kPaceUsage},
      {"pace slow 10", kPaceUsage},
  };
  for (const BadLine& c : cases) {
    std::vector<SessionCommand> commands;
    std::string error;
    EXPECT_FALSE(ParseSessionScript(c.script, commands, error)) << c.script;
    EXPECT_EQ(error, c.error) << c.script;
  }
}

TEST(SessionScript, KeepsTheCommandsBeforeABadLine) {
  std::vector<SessionCommand> commands;
  std::string error;
  EXPECT_FALSE(ParseSessionScript("result\nwait 5\nbogus\nresult\n", commands, error));
  EXPECT_EQ(commands.size(), 2u);
}

TEST(SessionScript, TypingShowsEveryPrefix) {
  EXPECT_EQ(TypedPrefixes("R3A"), (std::vector<std::string>{"R", "R3", "R3A"}));
  EXPECT_TRUE(TypedPrefixes("").empty());
}

}  // namespace
}  // namespace orvosim
