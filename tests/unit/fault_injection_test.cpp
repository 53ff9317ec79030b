// One small contest through the exports (an output-mode reset, QSOs, a
// result with its Cabrillo export, then all of it again over the old file),
// run once for every file operation it makes with exactly that operation
// failing. Whatever fails, no exception leaves an export, the journal keeps
// every line it had, the settings keep every key they had, an old Cabrillo
// file is either untouched or replaced by the complete new one, and "File
// produced" is said only of a complete file.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine/contest_state.h"
#include "engine/journal.h"
#include "host_qso.h"
#include "module_fixture.h"
#include "plugin/exports.h"
#include "reports/station.h"
#include "tests/contest_bands.h"

namespace {

using ATL::COleDateTime;

constexpr double kDay15Mar2024 = 45366.0;  // counted by hand from 30 Dec 1899
constexpr const char* kJournal = "err.txt";
constexpr const char* kCabrillo = "R1AA.cbr";

enum class StepKind { Reset, Intake, Result };

struct Step {
  const char* name;
  StepKind kind;
  std::function<void()> run;
};

int Add(const char* call, const char* band, const char* mode, double dayFraction) {
  return AddAsHost({.call = call,
                    .time = COleDateTime(kDay15Mar2024 + dayFraction, COleDateTime::valid),
                    .freqHz = 3580500u,
                    .mode = mode,
                    .rstRcvd = "579",
                    .band = band});
}

void Reset() {
  COleDateTime end(kDay15Mar2024 + 1, COleDateTime::valid);
  ResetStats0(nullptr, 1, "R1AA", nullptr, &end, nullptr, nullptr, nullptr, nullptr, nullptr,
              nullptr, nullptr, nullptr, nullptr, "DL", 0, 0, 0, 0.0, 0.0, nullptr, nullptr,
              nullptr);
}

void Result() {
  int result = 0;
  GetResult0(&result);
}

const std::vector<Step>& Scenario() {
  static const std::vector<Step> steps = {
      {"first reset", StepKind::Reset, Reset},
      {"contest QSO", StepKind::Intake, [] { Add("DL1ABC", kScoredBand, "RTTY", 0.50); }},
      {"QSO on a refused band", StepKind::Intake,
       [] { Add("DL2ABC", kRefusedBand, "RTTY", 0.51); }},
      {"QSO in another mode", StepKind::Intake, [] { Add("DL3ABC", kScoredBand, "CW", 0.52); }},
      {"first result", StepKind::Result, Result},
      {"second reset", StepKind::Reset, Reset},
      {"second contest QSO", StepKind::Intake, [] { Add("DL4ABC", kScoredBand, "RTTY", 0.53); }},
      {"second refused QSO", StepKind::Intake, [] { Add("DL5ABC", kRefusedBand, "RTTY", 0.54); }},
      {"second result", StepKind::Result, Result},
  };
  return steps;
}

// The section headers and key names of a settings text.
std::set<std::string> SettingNames(const std::string& text) {
  std::set<std::string> names;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) names.insert(line.substr(0, line.find('=')));
  }
  return names;
}

class FaultInjectionTest : public ModuleTest {
 protected:
  // A new module in a new working directory, the station dialog answered OK.
  void Fresh(int failAt) {
    TearDown();
    platform = stats::PortablePlatform();
    display = FakeDisplay();
    stationDialog = FakeStationDialog();
    SetUp();
    MoveToMemory();
    platform.fixedNow = stats::UtcTime{2024, 3, 15, 18, 0, 0};
    stationDialog.answer = [](stats::StationFields&) { return true; };
    platform.failAt = failAt;
  }

  // The scenario replaces files hundreds of times per run; a file system in
  // memory, where there is one, keeps that from waiting on the disk.
  void MoveToMemory() {
    char pattern[] = "/dev/shm/stats-test-XXXXXX";
    if (mkdtemp(pattern) == nullptr) return;
    const std::filesystem::path onDisk = m_dir;
    m_dir = pattern;
    std::filesystem::create_directory(m_dir / "Plugins");
    std::filesystem::current_path(m_dir);
    std::error_code ignored;
    std::filesystem::remove_all(onDisk, ignored);
  }

  bool Exists(const char* path) { return std::filesystem::exists(m_dir / path); }

  // Runs the scenario and checks every property around every step. Returns
  // the Cabrillo text after each result step.
  std::vector<std::string> Run(int failAt, const std::vector<std::string>& complete) {
    Fresh(failAt);
    std::vector<std::string> produced;
    std::size_t resultIndex = 0;
    for (const Step& step : Scenario()) {
      const std::string journal = ReadFile(kJournal);
      const bool hadCabrillo = Exists(kCabrillo);
      const std::string cabrillo = ReadFile(kCabrillo);
      const std::set<std::string> settings = SettingNames(ReadFile(stats::g_strIniFile));
      const std::size_t messageCount = platform.messages.size();

      EXPECT_NO_THROW(step.run()) << Where(failAt, step);

      const std::string journalAfter = ReadFile(kJournal);
      if (step.kind == StepKind::Reset) {
        // A reset starts a new journal; failing, it keeps the old one.
        EXPECT_TRUE(journalAfter == journal || journalAfter == stats::kJournalHeader)
            << Where(failAt, step) << ": journal before\n"
            << journal << "after\n"
            << journalAfter;
      } else {
        EXPECT_EQ(journalAfter.substr(0, journal.size()), journal)
            << Where(failAt, step) << ": the journal lost a line";
      }

      const std::set<std::string> settingsAfter = SettingNames(ReadFile(stats::g_strIniFile));
      for (const std::string& name : settings) {
        EXPECT_EQ(settingsAfter.count(name), 1u)
            << Where(failAt, step) << ": settings lost \"" << name << "\"";
      }

      for (const auto& entry : std::filesystem::recursive_directory_iterator(m_dir)) {
        EXPECT_NE(entry.path().extension(), ".tmp")
            << Where(failAt, step) << ": left " << entry.path().filename();
      }

      const bool hasCabrillo = Exists(kCabrillo);
      const std::string cabrilloAfter = ReadFile(kCabrillo);
      if (step.kind != StepKind::Result) {
        EXPECT_EQ(cabrilloAfter, cabrillo) << Where(failAt, step) << ": Cabrillo file changed";
        continue;
      }
      if (complete.empty()) {
        produced.push_back(cabrilloAfter);
        continue;
      }
      const std::string& whole = complete[resultIndex++];
      const bool untouched = hasCabrillo == hadCabrillo && cabrilloAfter == cabrillo;
      EXPECT_TRUE(untouched || cabrilloAfter == whole)
          << Where(failAt, step) << ": Cabrillo file neither old nor complete\n"
          << cabrilloAfter;
      for (std::size_t m = messageCount; m < platform.messages.size(); ++m) {
        if (platform.messages[m].text.find("File produced") == std::string::npos) continue;
        EXPECT_EQ(cabrilloAfter, whole) << Where(failAt, step) << ": \""
                                        << platform.messages[m].text << "\" of an incomplete file";
      }
    }
    return produced;
  }

  std::string Where(int failAt, const Step& step) {
    std::string where = std::string(step.name) + ", failing operation " + std::to_string(failAt);
    if (failAt > 0 && platform.fileOperations.size() >= static_cast<std::size_t>(failAt)) {
      where += " (" + stats::DescribeFileOperation(platform.fileOperations[failAt - 1]) + ")";
    }
    return where;
  }
};

TEST_F(FaultInjectionTest, EveryFailingFileOperationLeavesJournalSettingsAndCabrilloWhole) {
  const std::vector<std::string> complete = Run(0, {});
  const int operations = static_cast<int>(platform.fileOperations.size());
  ASSERT_EQ(complete.size(), 2u) << "fault-free run";
  for (const std::string& text : complete) {
    ASSERT_NE(text.find("END-OF-LOG:\r\n"), std::string::npos) << "fault-free run\n" << text;
  }
  ASSERT_NE(complete[0], complete[1]) << "the second export must replace the first one's text";
  ASSERT_GT(operations, 20) << "fault-free run";
  for (int n = 1; n <= operations; ++n) {
    Run(n, complete);
    ASSERT_GE(platform.fileOperations.size(), static_cast<std::size_t>(n))
        << "failing operation " << n << " was never reached";
  }
}

// The fault plan itself: operations are listed in order, and only the
// planned one fails.
TEST_F(FaultInjectionTest, ThePlannedOperationAloneFails) {
  const struct {
    int failAt;
    bool written;
    const char* content;
    std::string reason;
  } cases[] = {{0, true, "new text", ""},
               {1, false, "old", std::strerror(EIO)},
               {2, false, "old", std::strerror(ENOSPC)},
               {3, false, "old", std::strerror(EIO)},
               {4, false, "old", std::strerror(EIO)},
               {5, true, "new text", ""}};
  for (const auto& c : cases) {
    WriteFile("a.txt", "old");
    platform.fileOperations.clear();
    platform.failAt = c.failAt;
    std::string reason;
    EXPECT_EQ(platform.WriteFile("a.txt", "new text", &reason), c.written) << "N " << c.failAt;
    EXPECT_EQ(ReadFile("a.txt"), c.content) << "N " << c.failAt;
    EXPECT_FALSE(Exists("a.txt.tmp")) << "N " << c.failAt << ": temporary file left";
    EXPECT_EQ(reason, c.reason) << "N " << c.failAt;
    ASSERT_EQ(platform.fileOperations.size(), c.written ? 4u : std::size_t(c.failAt))
        << "N " << c.failAt;
  }
  const char* const expected[] = {"open a.txt", "write a.txt", "close a.txt", "replace a.txt"};
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(stats::DescribeFileOperation(platform.fileOperations[k]), expected[k])
        << "operation " << k + 1;
  }
}

}  // namespace
