// The export table seen from the host at run time, and the entry points
// that answer without any contest state.
#include <string>

#include "host_fixture.h"

namespace host {
namespace {

class EntryPointsTest : public HostTest {};

TEST_P(EntryPointsTest, GetSetNameNamesTheOneContest) {
  struct Case {
    int index;
    const char* expected;
  };
  const Case cases[] = {{0, "KESTREL-RTTY (C)"}, {1, ""}, {-1, ""}, {2, ""}};
  for (const Case& c : cases) {
    const char* name = Entry().getSetName(c.index);
    ASSERT_NE(name, nullptr) << "GetSetName(" << c.index << ")";
    EXPECT_STREQ(name, c.expected) << "GetSetName(" << c.index << ")";
  }
  const char* first = Entry().getSetName(0);
  Entry().getSetName(1);
  EXPECT_STREQ(first, "KESTREL-RTTY (C)") << "GetSetName(0) text after a later call";
}

TEST_P(EntryPointsTest, OneSetAndOneExchangeField) {
  EXPECT_EQ(Entry().getNumberOfSets(), 1) << "GetNumberOfSets()";
  struct Case {
    const char* a;
    const char* b;
    const char* c;
  };
  const Case cases[] = {{"", "", ""}, {"UA", "RTTY", "80m"}, {"x", nullptr, "y"}};
  for (const Case& c : cases) {
    EXPECT_EQ(Entry().getExchgCount(c.a, c.b, c.c), 1)
        << "GetExchgCount0(" << (c.a ? c.a : "null") << ", " << (c.b ? c.b : "null") << ", "
        << (c.c ? c.c : "null") << ")";
  }
}

TEST_P(EntryPointsTest, RunCommandAnswersTheEmptyText) {
  // SHOWINFO is left to the display tests: it opens windows.
  const char* commands[] = {"HIDEINFO", "", "showinfo", "NOSUCHCOMMAND"};
  for (const char* command : commands) {
    const char* answer = Entry().runCommand(0, command);
    ASSERT_NE(answer, nullptr) << "RunCommand0(0, \"" << command << "\")";
    EXPECT_STREQ(answer, "") << "RunCommand0(0, \"" << command << "\")";
  }
}

INSTANTIATE_FOR_THE_HOSTS_BINDING(EntryPointsTest);

// Both names of an export reach the same code; RunCommand0 has no plain
// name.
class ExportNamesTest : public HostTest {};

TEST_P(ExportNamesTest, PlainAndDecoratedNamesLeadToTheSameCode) {
  const ExportNames all[] = {kAddData0,       kRemoveData0, kCheckCall0,   kIsValidExchg0,
                             kGetExchgCount0, kGetNumberOfSets, kGetSetName, kSetupSet0,
                             kResetStats0,    kGetResult0};
  for (const ExportNames& names : all) {
    const FARPROC plain = Module().Find(names.plain);
    const FARPROC decorated = Module().Find(names.decorated);
    EXPECT_NE(plain, nullptr) << "plain name " << names.plain;
    EXPECT_NE(decorated, nullptr) << "decorated name " << names.decorated;
    EXPECT_EQ(plain, decorated) << names.plain << " and " << names.decorated;
  }
}

TEST_P(ExportNamesTest, GetExchgCountIsTheCodeOfGetNumberOfSets) {
  EXPECT_EQ(Module().Find("GetExchgCount0"), Module().Find("GetNumberOfSets"));
}

TEST_P(ExportNamesTest, RunCommandIsFoundOnlyByItsDecoratedName) {
  EXPECT_EQ(Module().Find("RunCommand0"), nullptr) << "plain RunCommand0";
  EXPECT_NE(Module().Find(kRunCommand0.decorated), nullptr) << kRunCommand0.decorated;
}

TEST_P(ExportNamesTest, DecoratedNamesAreExactlyTheOnesTheHostLooksUp) {
  // Near misses must not bind: the host's lookup is by the exact name.
  const char* misses[] = {"CheckCallFunc0", "StatsIsValidExchg0", "StatsGetExchgCount0",
                          "?GetSetName@@YAPBDI@Z", "_AddData0", "AddData0@132"};
  for (const char* name : misses) {
    EXPECT_EQ(Module().Find(name), nullptr) << name;
  }
}

// The lookups name every export themselves; one binding suffices.
INSTANTIATE_TEST_SUITE_P(ByName, ExportNamesTest, ::testing::Values(Binding::Decorated),
                         BindingParamName);

}  // namespace
}  // namespace host
