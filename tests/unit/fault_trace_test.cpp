// Faults the exports catch: each is traced through the platform under the
// export's name, with the text of a std::exception, and the export still
// gives the host its neutral answer.
#include <functional>
#include <new>
#include <stdexcept>
#include <string>

#include "module_fixture.h"
#include "plugin/exports.h"

namespace {

// A platform on which every operation the exports below reach throws.
class ThrowingPlatform : public stats::PortablePlatform {
 public:
  std::function<void()> fault = [] { throw std::runtime_error("disk on fire"); };

  bool WriteProfileString(const std::string&, const std::string&, const std::string&,
                          const std::string&) override {
    fault();
    return false;
  }
  bool WriteFile(const std::string&, const std::string&, std::string*) override {
    fault();
    return false;
  }
  std::unique_ptr<stats::AppendFile> OpenForAppend(const std::string&) override {
    fault();
    return nullptr;
  }
  stats::UtcTime NowUtc() override {
    fault();
    return {};
  }
  void ShowMessage(const std::string&, const char*, stats::MessageIcon) override { fault(); }
};

class FaultTraceTest : public ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    stats::SetCurrentPlatform(&throwing);
  }

  ThrowingPlatform throwing;
};

struct FaultCase {
  const char* where;
  std::function<std::string()> call;  // the export's answer as text
  const char* answer;                 // its neutral answer
};

TEST_F(FaultTraceTest, EveryCaughtFaultIsTracedUnderItsExport) {
  int value = 12345;
  const FaultCase cases[] = {
      {"AddData0",
       [] {
         // Refused for its mode: the journal is opened for the line.
         return std::to_string(AddData0("R1AA", "DL1ABC", nullptr, nullptr, nullptr, nullptr, 0u,
                                        3580000u, "CW", "599", "599", "001", "002", "", "", "", "",
                                        "", "", "", "", "", "DL", 0, 0, 0, 0.0, 0.0, "", "", "",
                                        "80m", ""));
       },
       "0"},
      {"CheckCall0",
       [] {
         return std::to_string(CheckCall0("DL1ABC", 0u, 0u, "RTTY", "", "", "", "", "", "", "", "",
                                          "", "", 0, 0, 0, 0.0, 0.0, "", "", "", "", "", "80m", "",
                                          nullptr, nullptr));
       },
       "1"},
      {"ResetStats0",
       [] {
         return std::to_string(ResetStats0("", 0, "R1AA", nullptr, nullptr, "", "", "", "", "", "",
                                           "", "", "", "DL", 0, 0, 0, 0.0, 0.0, "", "", ""));
       },
       "1"},
      {"GetResult0", [&] { return GetResult0(&value) + std::to_string(value); }, "12345"},
      {"SetupSet0",
       [] {
         SetupSet0();
         return std::string();
       },
       ""},
  };
  for (const FaultCase& c : cases) {
    SCOPED_TRACE(c.where);
    throwing.faults.clear();
    std::string answer;
    EXPECT_NO_THROW(answer = c.call());
    EXPECT_EQ(answer, c.answer) << "the neutral answer";
    ASSERT_FALSE(throwing.faults.empty()) << "no fault traced";
    // A reset traces each failed step; every one under the export's name.
    for (const stats::PortablePlatform::Fault& fault : throwing.faults) {
      EXPECT_EQ(fault.where, c.where);
      EXPECT_EQ(fault.what, "disk on fire");
    }
  }
}

TEST_F(FaultTraceTest, AFaultThatIsNoStdExceptionIsTracedAsSuch) {
  throwing.fault = [] { throw 42; };
  EXPECT_NO_THROW(SetupSet0());
  ASSERT_EQ(throwing.faults.size(), 1u);
  EXPECT_EQ(throwing.faults[0].where, "SetupSet0");
  EXPECT_EQ(throwing.faults[0].what, "an exception that is no std::exception");
}

// The trace must not carry a fault of its own across the boundary.
TEST_F(FaultTraceTest, ATraceThatFailsIsSwallowedToo) {
  class TraceFails : public ThrowingPlatform {
    void TraceFault(const char*, const char*) override { throw std::bad_alloc(); }
  } failing;
  stats::SetCurrentPlatform(&failing);
  EXPECT_NO_THROW(SetupSet0());
}

}  // namespace
