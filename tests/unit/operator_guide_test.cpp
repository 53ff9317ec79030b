// The operator's guides against the module's own texts, so that they cannot
// drift from the code: the reason table holds exactly the journal's
// reasons; every window, journal, message and dialog text the guides quote
// is the one the module composes or its source writes; every picture the
// guides show exists.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "engine/call_check.h"
#include "engine/contest_rules.h"
#include "engine/contest_state.h"
#include "engine/journal.h"
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
    const std::string guide = Guide(language);
    const std::size_t begin = guide.find("<!-- reasons -->");
    const std::size_t end = guide.find("<!-- /reasons -->");
    ASSERT_NE(begin, std::string::npos) << language;
    ASSERT_NE(end, std::string::npos) << language;
    std::set<std::string> listed;
    std::istringstream table(guide.substr(begin, end - begin));
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

TEST(OperatorGuide, EveryPictureShownExists) {
  const std::regex picture(R"(!\[[^\]]*\]\(([^)]+)\))");
  for (const std::string language : kLanguages) {
    const std::string guide = Guide(language);
    int shown = 0;
    for (std::sregex_iterator it(guide.begin(), guide.end(), picture), end; it != end; ++it) {
      ++shown;
      const std::filesystem::path path = GuidePath(language).parent_path() / (*it)[1].str();
      EXPECT_TRUE(std::filesystem::is_regular_file(path)) << language << ": " << (*it)[1];
    }
    EXPECT_GE(shown, 4) << language << ": both views at 100 % and 200 %";
  }
}

}  // namespace
