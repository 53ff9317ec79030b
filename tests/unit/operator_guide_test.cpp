// The operator's guides against the module, so that they cannot drift from
// the code: the reason table holds exactly the journal's reasons; every
// window, journal, message and dialog text the guides quote is the one the
// module composes or its source writes; every picture the guides show
// exists, at its natural size and linked to itself; and each fact an
// operator acts on (the bands refused and the others, the contest's name in
// the host's list, the Moscow window's boxes, which calls are Moscow ones,
// the macros and when they go to the host, what the windows refresh on, the
// categories the station dialog opens with, the tour, the display's waits)
// is what the module does.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "display_fakes.h"
#include "display_fixture.h"
#include "engine/call_check.h"
#include "engine/contest_rules.h"
#include "engine/contest_state.h"
#include "engine/exchange_sets.h"
#include "engine/intake.h"
#include "engine/journal.h"
#include "engine/moscow_call.h"
#include "engine/moscow_table.h"
#include "module_fixture.h"
#include "moscow_table_codes.h"
#include "reports/station.h"
#include "ui/display_windows.h"
#include "ui/host_link.h"
#include "ui/moscow_districts.h"
#include "ui/update_step.h"
#include "ui/update_text.h"

namespace {

const std::filesystem::path kSourceRoot = STATS_SOURCE_DIR;
constexpr const char* kLanguages[] = {"en", "ru"};

std::string ReadWhole(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::filesystem::path GuidePath(const std::string& language) {
  return kSourceRoot / "docs" / "operator" / ("guide." + language + ".md");
}

std::string Guide(const std::string& language) { return ReadWhole(GuidePath(language)); }

// The module's Russian texts are Windows-1251; the guides are UTF-8.
std::string Utf8From1251(std::string_view text) {
  std::string utf8;
  for (const unsigned char c : text) {
    if (c < 0x80) {
      utf8 += static_cast<char>(c);
      continue;
    }
    const unsigned code = c >= 0xC0 ? 0x410 + (c - 0xC0) : c == 0xA8 ? 0x401 : c == 0xB8 ? 0x451 : 0xFFFD;
    if (code > 0x7FF) {
      utf8 += "\xEF\xBF\xBD";  // no such letter in the module's texts
      continue;
    }
    utf8 += static_cast<char>(0xC0 | (code >> 6));
    utf8 += static_cast<char>(0x80 | (code & 0x3F));
  }
  return utf8;
}

std::string Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \r\n");
  const std::size_t last = text.find_last_not_of(" \r\n");
  return first == std::string_view::npos ? "" : std::string(text.substr(first, last - first + 1));
}

// The text between "<!-- name -->" and "<!-- /name -->".
std::string Block(const std::string& guide, const std::string& name) {
  const std::size_t begin = guide.find("<!-- " + name + " -->");
  const std::size_t end = guide.find("<!-- /" + name + " -->");
  if (begin == std::string::npos || end == std::string::npos || end < begin) return "";
  return guide.substr(begin, end - begin);
}

bool Quotes(const std::string& guide, const std::string& text) {
  return guide.find("`" + text + "`") != std::string::npos;
}

TEST(OperatorGuide, TheReasonTableHoldsExactlyTheJournalsReasons) {
  std::set<std::string> reasons;
  for (const stats::Refusal reason :
       {stats::Refusal::NoContestBand, stats::Refusal::NoTestMode, stats::Refusal::NoRxNumber,
        stats::Refusal::MoscowDistrict, stats::Refusal::RdaDistrict}) {
    reasons.insert(Trimmed(stats::RefusalText(reason)));
  }
  const std::regex row(R"(^\| `([^`]+)` \|)");
  for (const std::string language : kLanguages) {
    const std::string block = Block(Guide(language), "reasons");
    ASSERT_FALSE(block.empty()) << language;
    std::set<std::string> listed;
    std::istringstream table(block);
    for (std::string line; std::getline(table, line);) {
      std::smatch found;
      if (std::regex_search(line, found, row)) listed.insert(found[1]);
    }
    EXPECT_EQ(listed, reasons) << language;
  }
}

// A text as the module's source writes it, and as the operator sees it.
struct WrittenText {
  const char* file;     // under the source root
  const char* literal;  // as the source writes it
  std::string shown;
  const char* languages;  // the guides that quote it: "en", "ru" or "en ru"
};

TEST(OperatorGuide, QuotedTextsAreTheModulesOwn) {
  const std::string name(stats::kContestName);
  const WrittenText written[] = {
      {"resources/stats.rc", R"(CAPTION "Установки " STATS_CONTEST_NAME)", "Установки " + name, "en ru"},
      {"resources/stats.rc", R"(LTEXT "Отображать")", "Отображать", "ru"},
      {"resources/stats.rc", R"(AUTOCHECKBOX "Районы Москвы")", "Районы Москвы", "ru"},
      {"resources/stats.rc", R"(AUTOCHECKBOX "Районы RDA")", "Районы RDA", "ru"},
      {"resources/stats.rc", R"(CAPTION "Moscow Region")", "Moscow Region", "en ru"},
      {"ui/info_window_win.cpp", R"("Setup " STATS_CONTEST_NAME)", "Setup " + name, "en ru"},
      {"ui/info_window_win.cpp", R"("View")", "View", "en"},
      {"ui/info_window_win.cpp", R"("Moscow region")", "Moscow region", "en"},
      {"ui/info_window_win.cpp", R"("RDA")", "RDA", "en"},
      {"reports/cabrillo.cpp", R"("File produced: " + name)", "File produced: R3XYZ.cbr", "en ru"},
      {"reports/cabrillo.cpp", R"("File not produced: " + name + " could not be written (")",
       "File not produced: R3XYZ.cbr could not be written", "en ru"},
      {"reports/cabrillo.cpp", R"(outcome.message, "Output")", "Output", "en ru"},
      {"resources/stats.rc", R"(LTEXT "CATEGORY-OPERATOR")", "CATEGORY-OPERATOR", "en ru"},
      {"resources/stats.rc", R"(LTEXT "ADDRESS-POSTALCODE")", "ADDRESS-POSTALCODE", "en ru"},
      {"resources/stats.rc", R"(LTEXT "SOAPBOX")", "SOAPBOX", "en ru"},
      {"resources/stats.rc", R"(PUSHBUTTON "CANCEL")", "CANCEL", "en ru"},
      {"resources/version.rc", R"(VALUE "ProductName", STATS_CONTEST_NAME " scoring plug-in")",
       name + " scoring plug-in", "en ru"},
      {"ui/rda_button_layout.cpp", R"(kTimeHeading = "Time")", "Time", "en ru"},
      {"ui/rda_button_layout.cpp", R"(kExchangeHeading = "MOS/RDA/SERIAL")", "MOS/RDA/SERIAL",
       "en ru"},
  };
  for (const WrittenText& text : written) {
    EXPECT_NE(ReadWhole(kSourceRoot / text.file).find(text.literal), std::string::npos)
        << text.file << " no longer writes " << text.literal;
    for (const std::string language : kLanguages) {
      if (std::string(text.languages).find(language) == std::string::npos) continue;
      EXPECT_TRUE(Quotes(Guide(language), text.shown)) << language << ": " << text.shown;
    }
  }
}

// The captions and the warning as the module composes them, in both
// wordings; each guide quotes both.
TEST(OperatorGuide, QuotedCaptionsAndWarningsAreComposedByTheModule) {
  stats::RestoreLoadState();
  stats::DisplaySnapshot snapshot;
  snapshot.endYear = "2026";
  snapshot.moscowDistricts = {"AF", "BK"};
  snapshot.rdaCount = 3;
  std::set<std::string> composed = {Trimmed(stats::kJournalHeader)};
  for (const int russian : {0, 1}) {
    snapshot.russian = russian;
    const stats::FrequencyPart part = stats::ComposeFrequencyPart(3'520'000, 0.0, snapshot);
    {
      const stats::ContestStateLock state;
      state.Russian() = russian;
    }
    for (const std::string& text : {part.moscowLine, part.rdaLine,
                                    stats::ComposeCallLine("2026", "R3A", russian),
                                    stats::CallWarning("R3A")}) {
      composed.insert(Utf8From1251(text));
    }
  }
  stats::RestoreLoadState();
  for (const std::string language : kLanguages) {
    const std::string guide = Guide(language);
    for (const std::string& text : composed) {
      EXPECT_TRUE(Quotes(guide, text)) << language << ": " << text;
    }
  }
}

// What each guide calls things, where a fact is held to its wording.
struct Wording {
  const char* language;
  const char* stationSection;  // the heading of the station dialog's section
  const char* reportSection;   // the heading of the section on problem reports
  const char* boxes;           // after a number of check boxes
  const char* districts;       // after a number of districts
  const char* seventhRow;
  const char* yes;
  const char* no;
  const char* points;  // after a number of points above one
  const char* point;   // after one point
  const char* macroDrift;  // the regular expression of the <SP1> distance
  const char* thirdOfASecond;
  const char* seconds;  // the regular expression of a number of seconds
  const char* megahertz;  // the unit after a frequency's figures
};
const Wording kWordings[] = {
    {"en", "## The station dialog and the Cabrillo file", "## Reporting a problem", "boxes",
     "districts", "seventh row", "yes", "no", "points", "point", R"(more than (\d+) Hz)",
     "a third of a second", R"((\d+) seconds?)", " MHz"},
    {"ru", "## Данные станции и отчёт Cabrillo", "## Если нашли ошибку", "флажков", "районов",
     "седьмого ряда", "да", "нет", "очков", "очко", R"(больше чем на (\d+) Гц)",
     "треть секунды", R"((\d+) с[ ,.)])", " МГц"},
};

// The body rows of the first table in `text`, each as its trimmed cells.
std::vector<std::vector<std::string>> TableRows(const std::string& text) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream lines(text);
  bool header = true;
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("|", 0) != 0) continue;
    if (line.find("---") != std::string::npos) continue;
    if (header) {
      header = false;
      continue;
    }
    std::vector<std::string> cells;
    std::istringstream parts(line.substr(1));
    for (std::string cell; std::getline(parts, cell, '|');) cells.push_back(Trimmed(cell));
    rows.push_back(cells);
  }
  return rows;
}

// The section under a level-two heading, up to the next one.
std::string Section(const std::string& guide, const std::string& heading) {
  const std::size_t begin = guide.find("\n" + heading + "\n");
  if (begin == std::string::npos) return "";
  const std::size_t end = guide.find("\n## ", begin + 1);
  return guide.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
}

// The boxed warnings: runs of lines that begin with ">" (indented too), as
// one text each.
std::vector<std::string> Boxes(const std::string& text) {
  std::vector<std::string> boxes;
  std::istringstream lines(text);
  bool inBox = false;
  for (std::string line; std::getline(lines, line);) {
    const std::size_t first = line.find_first_not_of(' ');
    const bool boxed = first != std::string::npos && line[first] == '>';
    if (boxed && !inBox) boxes.emplace_back();
    if (boxed) boxes.back() += line.substr(first + 1) + "\n";
    inBox = boxed;
  }
  return boxes;
}

// The text with every run of blanks and line ends as one blank, so that a
// phrase is found wherever the lines of its paragraph break.
std::string Flat(const std::string& text) {
  std::string flat;
  for (const char c : text) {
    const bool blank = c == ' ' || c == '\n' || c == '\r';
    if (blank && !flat.empty() && flat.back() == ' ') continue;
    flat += blank ? ' ' : c;
  }
  return flat;
}

// A number followed by a word, not the tail of a longer number.
bool SaysNumber(const std::string& text, std::size_t number, const std::string& word) {
  const std::regex said("(^|[^0-9])" + std::to_string(number) + " " + word);
  return std::regex_search(Flat(text), said);
}

std::string ReadSource(const char* file) { return ReadWhole(kSourceRoot / file); }

// Every picture in its own box (no scaling) and linked to its own file, so
// that a page too narrow for it still shows it whole.
TEST(OperatorGuide, EveryPictureShownExistsAtItsNaturalSizeLinkedToItself) {
  const std::regex picture(R"(!\[[^\]]*\]\(([^)]+)\))");
  const std::regex linked(R"(^\[!\[[^\]]*\]\(([^)]+)\)\]\(([^)]+)\)$)");
  for (const std::string language : kLanguages) {
    const std::string guide = Guide(language);
    std::set<std::string> shown;
    for (std::sregex_iterator it(guide.begin(), guide.end(), picture), end; it != end; ++it) {
      const std::string file = (*it)[1].str();
      shown.insert(file);
      const std::filesystem::path path = GuidePath(language).parent_path() / file;
      EXPECT_TRUE(std::filesystem::is_regular_file(path)) << language << ": " << file;
    }
    const std::set<std::string> expected = {
        "../display-" + language + "-district-view.png",
        "../display-" + language + "-call-view.png",
        "../display-" + language + "-district-view-192dpi.png",
        "../display-" + language + "-call-view-192dpi.png",
        "../station-dialog.png",
    };
    EXPECT_EQ(shown, expected) << language << ": both views at 100 % and 200 %, the dialog";

    std::istringstream lines(guide);
    std::string previous;
    for (std::string line; std::getline(lines, line); previous = line) {
      if (line.find("![") == std::string::npos) continue;
      std::smatch found;
      ASSERT_TRUE(std::regex_match(line, found, linked)) << language << ": " << line;
      EXPECT_EQ(found[1], found[2]) << language << ": links to another file: " << line;
      EXPECT_EQ(previous, "::: picture") << language << ": not in a picture box: " << line;
    }
  }
  for (const Wording& words : kWordings) {
    const std::string section = Section(Guide(words.language), words.stationSection);
    EXPECT_NE(section.find("](../station-dialog.png)"), std::string::npos)
        << words.language << ": the station dialog's picture belongs in its section";
  }
}

// The name the host lists the contest by, as the module gives it.
TEST(OperatorGuide, TheContestIsNamedAsTheHostListsIt) {
  ASSERT_EQ(stats::ExchangeSetCount(), 1);
  const std::string listed = stats::ExchangeSetName(0);
  for (const std::string language : kLanguages) {
    EXPECT_TRUE(Quotes(Guide(language), listed)) << language << ": " << listed;
  }
}

class OperatorGuideModule : public ModuleTest {};

// The band table: its first row holds the bands that count, its second
// the refused ones, with the journal's reason, its third bands that the
// module does not know and so lets through. Each band is fed to the intake
// as an RTTY QSO with both exchanges.
TEST_F(OperatorGuideModule, TheBandTableIsWhatTheIntakeDoes) {
  std::set<std::string> scored;
  std::set<std::string> refused;
  for (const stats::BandRule& rule : stats::kBands) {
    (rule.scored ? scored : refused).insert(std::string(rule.text));
  }
  const std::regex band("([0-9]+) (m|\xD0\xBC)");  // "m", or the Cyrillic letter
  auto bandsIn = [&band](const std::string& cell) {
    std::set<std::string> bands;
    for (std::sregex_iterator it(cell.begin(), cell.end(), band), end; it != end; ++it) {
      bands.insert((*it)[1].str() + "m");
    }
    return bands;
  };
  auto stored = [this](const std::string& bandText) {
    stats::QsoArguments qso;
    qso.ownCall = "DL1ABC";
    qso.call = "R3A";
    qso.freqHz = 3'580'000;
    qso.mode = stats::kContestMode;
    qso.rstSent = qso.rstRcvd = "599";
    qso.sent = "001";
    qso.rcvd = "002";
    qso.countryPrefix = "DL";
    qso.band = bandText;
    return stats::AddQso(qso, platform) == 1;
  };
  const std::string reason = "`" + Trimmed(stats::RefusalText(stats::Refusal::NoContestBand)) + "`";
  for (const std::string language : kLanguages) {
    const auto rows = TableRows(Block(Guide(language), "bands"));
    ASSERT_EQ(rows.size(), 3u) << language;
    EXPECT_EQ(bandsIn(rows[0][0]), scored) << language;
    EXPECT_EQ(bandsIn(rows[1][0]), refused) << language;
    EXPECT_NE(rows[1][1].find(reason), std::string::npos) << language;
    const std::set<std::string> others = bandsIn(rows[2][0]);
    EXPECT_FALSE(others.empty()) << language << ": an example of another band";
    for (const std::string& text : scored) EXPECT_TRUE(stored(text)) << language << ": " << text;
    for (const std::string& text : refused) EXPECT_FALSE(stored(text)) << language << ": " << text;
    for (const std::string& text : others) EXPECT_TRUE(stored(text)) << language << ": " << text;
  }
}

// Which calls are a Moscow station's: the fragments as the rules compose
// them, where they must stand, and the guide's examples.
TEST(OperatorGuide, MoscowStationsAreWhatTheModuleCounts) {
  std::string fragments;
  for (const char letter : stats::kMoscowFragmentLetters) {
    for (const char digit : stats::kMoscowFragmentDigits) {
      if (!fragments.empty()) fragments += ' ';
      fragments += digit;
      fragments += letter;
    }
  }
  EXPECT_EQ(stats::kMoscowFragmentFrom, 1u) << "the guides say: after the call's first character";
  for (const Wording& words : kWordings) {
    const std::string guide = Guide(words.language);
    EXPECT_TRUE(Quotes(guide, fragments)) << words.language << ": " << fragments;
    const auto rows = TableRows(Block(guide, "moscow-calls"));
    EXPECT_GE(rows.size(), 4u) << words.language;
    bool sawYes = false;
    bool sawNo = false;
    for (const auto& row : rows) {
      ASSERT_EQ(row.size(), 2u) << words.language;
      const std::string call = row[0].substr(1, row[0].size() - 2);  // inside the backticks
      ASSERT_TRUE(row[1] == words.yes || row[1] == words.no) << words.language << ": " << row[1];
      const bool moscow = row[1] == words.yes;
      (moscow ? sawYes : sawNo) = true;
      EXPECT_EQ(stats::IsMoscowCall(call) == 1, moscow) << words.language << ": " << call;
    }
    EXPECT_TRUE(sawYes && sawNo) << words.language << ": examples of both kinds";
    EXPECT_TRUE(SaysNumber(guide, stats::kPointsAcrossMoscowBoundary, words.points))
        << words.language;
    EXPECT_TRUE(SaysNumber(guide, stats::kPointsWithinOneSide, words.point)) << words.language;
  }
}

// The Moscow window: how many boxes, how many of them are districts, and
// which are not (the row they stand in, and a station that sends one).
TEST(OperatorGuide, TheMoscowWindowsBoxesAreAsTheGuidesCountThem) {
  const auto boxes = stats::MoscowBoxes();
  const std::size_t districts = MoscowTableCodes().size();
  std::vector<std::string> notDistricts;
  std::set<int> rows;
  std::set<int> notDistrictRows;
  for (const stats::MoscowBox& box : boxes) {
    rows.insert(box.y);
    if (stats::IsMoscowDistrict(box.code)) continue;
    notDistricts.push_back(box.code);
    notDistrictRows.insert(box.y);
  }
  ASSERT_EQ(boxes.size(), static_cast<std::size_t>(stats::kMoscowBoxCount));
  ASSERT_EQ(boxes.size() - notDistricts.size(), districts) << "every district has its box";
  ASSERT_EQ(notDistrictRows.size(), 1u) << "the boxes that are no districts fill one row";
  // Rows by their top; a box a unit lower than its row counts with it.
  std::vector<int> tops;
  for (const int y : rows) {
    if (tops.empty() || y - tops.back() > 2) tops.push_back(y);
  }
  const int row = static_cast<int>(
      std::upper_bound(tops.begin(), tops.end(), *notDistrictRows.begin()) - tops.begin());
  EXPECT_EQ(row, 7) << "the guides name the seventh row";

  std::string codes;
  for (const std::string& code : notDistricts) codes += (codes.empty() ? "" : " ") + code;
  for (const Wording& words : kWordings) {
    const std::string guide = Guide(words.language);
    EXPECT_TRUE(Quotes(guide, codes)) << words.language << ": " << codes;
    EXPECT_TRUE(SaysNumber(guide, boxes.size(), words.boxes)) << words.language;
    EXPECT_TRUE(SaysNumber(guide, districts, words.districts)) << words.language;
    EXPECT_TRUE(SaysNumber(guide, notDistricts.size(), words.boxes)) << words.language;
    EXPECT_NE(Flat(guide).find(words.seventhRow), std::string::npos) << words.language;
  }
}

// The Moscow window's caption on a refused band that has a slot, and off
// every band, in each guide's own wording.
TEST(OperatorGuide, TheCaptionsBandOnARefusedBandAndOffEveryBand) {
  stats::DisplaySnapshot snapshot;
  snapshot.endYear = "2026";
  for (const Wording& words : kWordings) {
    snapshot.russian = std::string(words.language) == "ru";
    const std::string guide = Guide(words.language);
    const std::string flat = Flat(guide);
    for (const double hz : {14'080'000.0, 10'120'000.0}) {
      const std::string line =
          Utf8From1251(stats::ComposeFrequencyPart(hz, hz, snapshot).moscowLine);
      EXPECT_TRUE(Quotes(guide, line)) << words.language << ": " << line;
      char figures[16];
      std::snprintf(figures, sizeof figures, snapshot.russian ? "%d,%03d" : "%d.%03d",
                    static_cast<int>(hz / 1e6), static_cast<int>(hz) % 1'000'000 / 1000);
      const std::string mhz = figures + std::string(words.megahertz);
      EXPECT_NE(flat.find(mhz), std::string::npos) << words.language << ": " << mhz;
    }
  }
}

// The host's macros: the two sent when the windows open (the baud rate
// only when the host took the mode), and "<SP1>" from the update step when
// the frequency has moved further than the guides say.
class OperatorGuideDisplay : public DisplayTest {
 protected:
  // The macros one update step sends at `hz`.
  std::vector<std::string> StepAt(double hz) {
    host.hz = hz;
    events.clear();
    stats::RunUpdateStep(platform, &host, windows);
    return MacrosOf(events);
  }

  Events events;
  FakeHost host{events};
  FakeWindows windows{events};
};

TEST_F(OperatorGuideDisplay, TheMacrosAndWhenTheyAreSent) {
  EXPECT_NE(ReadSource("ui/display/host_courier_win.cpp")
                .find("if (host.RunMacro(kHostModeMacro)) host.RunMacro(kHostBaudRateMacro);"),
            std::string::npos)
      << "the windows' start sends the mode, then the baud rate if the host took the mode";
  SeedRows();
  const std::vector<std::string> first = StepAt(14'080'000);
  ASSERT_EQ(first.size(), 1u) << "the first step after the load sends its macro";
  for (const Wording& words : kWordings) {
    const std::string guide = Guide(words.language);
    for (const std::string& macro : {std::string(stats::kHostModeMacro),
                                     std::string(stats::kHostBaudRateMacro), first[0]}) {
      EXPECT_NE(guide.find("\n| `" + macro + "` |"), std::string::npos)
          << words.language << ": no row for " << macro;
    }
    std::smatch found;
    const std::string flat = Flat(guide);
    ASSERT_TRUE(std::regex_search(flat, found, std::regex(words.macroDrift))) << words.language;
    const double drift = std::stod(found[1]);
    StepAt(14'080'000);
    EXPECT_TRUE(StepAt(14'080'000 + drift).empty()) << words.language << ": moved exactly " << drift;
    EXPECT_EQ(StepAt(14'080'000 + drift + 1), first) << words.language << ": moved further";
    StepAt(14'080'000);
  }
}

// The windows refresh when a call is checked (the host checks it as the
// operator types), a third of a second later.
TEST_F(OperatorGuideModule, TheWindowsRefreshWhenACallIsTyped) {
  display.open = true;
  char warning[stats::kWarningBufferSize] = {};
  stats::CheckCall("R3A", stats::kContestMode, "80m", warning, platform);
  EXPECT_EQ(display.refreshRequests, 1);
  std::smatch found;
  const std::string life = ReadSource("ui/display/display_objects_win.h");
  ASSERT_TRUE(std::regex_search(life, found, std::regex(R"(kRefreshDelayMs = (\d+);)")));
  const int delayMs = std::stoi(found[1]);
  EXPECT_GE(delayMs, 300);
  EXPECT_LE(delayMs, 370);
  for (const Wording& words : kWordings) {
    EXPECT_NE(Flat(Guide(words.language)).find(words.thirdOfASecond), std::string::npos)
        << words.language << ": the refresh comes " << delayMs << " ms after a call check";
  }
}

// The guides' example of a tour: a QSO logged one day at 14:05 warns of
// the same call the next day from 14:00 to 14:59, and no longer at 15:00.
TEST_F(OperatorGuideModule, ATourIsTheHourWhateverTheDate) {
  stats::QsoArguments qso;
  qso.ownCall = "DL1ABC";
  qso.call = "R3A";
  qso.time = ATL::COleDateTime(stats::CalendarToOleDate({2026, 5, 19, 14, 5, 0}),
                               ATL::COleDateTime::valid);
  qso.freqHz = 3'580'000;
  qso.mode = stats::kContestMode;
  qso.sent = "001";
  qso.rcvd = "002";
  qso.band = "80m";
  ASSERT_EQ(stats::AddQso(qso, platform), 1);
  auto checkAt = [this](int hour, int minute) {
    platform.fixedNow = stats::UtcTime{2026, 5, 20, hour, minute, 0};
    char warning[stats::kWarningBufferSize] = {};
    return stats::CheckCall("R3A", stats::kContestMode, "80m", warning, platform);
  };
  EXPECT_EQ(checkAt(14, 0), 4);
  EXPECT_EQ(checkAt(14, 59), 4);
  EXPECT_EQ(checkAt(15, 0), 1);
  for (const std::string language : kLanguages) {
    const std::string guide = Guide(language);
    for (const char* time : {"14:05", "14:00", "14:59", "hh:00", "hh:59"}) {
      EXPECT_NE(guide.find(time), std::string::npos) << language << ": " << time;
    }
  }
  EXPECT_EQ(stats::kTourHours, 1) << "the guides' tour is one clock hour";
}

// The station dialog opens with the same two categories whatever was
// chosen last time; a cancelled dialog leaves them for the file. Both
// guides warn of them in a box in the dialog's section and in the end of
// contest's walkthrough.
TEST_F(OperatorGuideModule, TheCategoriesTheDialogOpensWithAreInTheWarnings) {
  WriteFile(stats::g_strIniFile, "[Settings]\r\nCategory=CHECKLOG\r\nBand=80M\r\n");
  stats::StationFields shown;
  stationDialog.answer = [&shown](stats::StationFields& fields) {
    shown = fields;
    fields.m_strCategoryOperator = "CHECKLOG";
    fields.m_strCategoryBand = "80M";
    return false;  // CANCEL
  };
  stats::g_cabrilloLog = stats::CCabrilloLog{};
  stats::g_cabrilloLog.SetupStation("R3XYZ", platform);
  ASSERT_EQ(stationDialog.runs, 1);
  EXPECT_EQ(stats::g_cabrilloLog.m_strCategoryOperator, shown.m_strCategoryOperator);
  EXPECT_EQ(stats::g_cabrilloLog.m_strCategoryBand, shown.m_strCategoryBand);
  for (const Wording& words : kWordings) {
    const std::string guide = Guide(words.language);
    int warnings = 0;
    for (const std::string& box : Boxes(guide)) {
      if (Quotes(box, "CATEGORY-OPERATOR") && Quotes(box, "CATEGORY-BAND") &&
          Quotes(box, shown.m_strCategoryOperator) && Quotes(box, shown.m_strCategoryBand)) {
        ++warnings;
      }
    }
    EXPECT_GE(warnings, 2) << words.language << ": opens with " << shown.m_strCategoryOperator
                           << " and " << shown.m_strCategoryBand;
    bool inSection = false;
    for (const std::string& box : Boxes(Section(guide, words.stationSection))) {
      inSection = inSection || Quotes(box, shown.m_strCategoryOperator);
    }
    EXPECT_TRUE(inSection) << words.language << ": a warning in the dialog's section";
  }
}

// How long starting or stopping the windows may hold the host, as the list
// of changes says it.
TEST(OperatorGuide, TheChangesTellTheDisplaysWaits) {
  const std::string life = ReadSource("ui/display/display_life_win.cpp");
  auto seconds = [&life](const char* name) {
    std::smatch found;
    const std::regex constant(std::string(name) + R"( = (\d+);)");
    return std::regex_search(life, found, constant) ? std::stoi(found[1]) / 1000 : -1;
  };
  const int start = seconds("kStartLimitMs");
  const int stop = seconds("kStopLimitMs");
  const int unload = seconds("kUnloadLimitMs");
  ASSERT_GT(start, 0);
  ASSERT_GT(unload, 0);
  for (const Wording& words : kWordings) {
    const std::string changes = ReadWhole(kSourceRoot / "docs" / "operator" /
                                          ("changes." + std::string(words.language) + ".md"));
    std::set<int> said;
    const std::regex number(words.seconds);
    const std::string flat = Flat(changes);
    for (std::sregex_iterator it(flat.begin(), flat.end(), number), end; it != end; ++it) {
      said.insert(std::stoi((*it)[1]));
    }
    const std::set<int> expected = {std::max(start, stop), unload};
    EXPECT_EQ(said, expected) << words.language;
  }
}

// Where a report goes is the release's (REPORTS, one line per language);
// the guides say what to send with it.
TEST(OperatorGuide, AProblemReportSaysWhereAndWhatToSend) {
  const std::string reports = ReadWhole(kSourceRoot / "REPORTS");
  for (const Wording& words : kWordings) {
    EXPECT_NE(reports.find("\n" + std::string(words.language) + " "), std::string::npos)
        << words.language << ": no line in REPORTS";
    const std::string guide = Guide(words.language);
    const std::string section = Section(guide, words.reportSection);
    EXPECT_NE(section.find("\n@REPORTS@\n"), std::string::npos) << words.language;
    EXPECT_EQ(guide.find("@REPORTS@"), guide.find("\n@REPORTS@\n") + 1)
        << words.language << ": only in the section on reports";
    for (const std::string& file : {std::string(stats::kJournalPath), stats::g_strIniFile}) {
      EXPECT_TRUE(Quotes(section, file)) << words.language << ": " << file;
    }
    EXPECT_NE(section.find("Windows"), std::string::npos) << words.language;
    EXPECT_NE(section.find("Stats.dll"), std::string::npos) << words.language << ": the version";
  }
}

}  // namespace
