// The information button's two views as data: where each text stands and
// which fills are made, from the measures of the font, for the widths,
// heights and scales where the layout turns.
#include "ui/rda_button_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/contest_state.h"

namespace {

using stats::ButtonPicture;
using stats::PerBand;
using stats::PixelRect;
using stats::TextList;
using stats::TextMeasures;

// A font whose every character advances `advance` pixels.
TextMeasures Monospaced(int advance, int lineHeight) {
  TextMeasures measures;
  measures.lineHeight = lineHeight;
  measures.averageWidth = advance;
  measures.advances.fill(advance);
  return measures;
}

// A proportional font at one scale, as a caption font measures: narrow
// "I", wide "M" and "W", digits of one width.
TextMeasures Proportional(int lineHeight) {
  TextMeasures measures;
  measures.lineHeight = lineHeight;
  measures.averageWidth = lineHeight * 8 / 13;
  measures.advances.fill(lineHeight * 9 / 13);
  measures.advances['I'] = lineHeight * 4 / 13;
  measures.advances['M'] = lineHeight * 12 / 13;
  measures.advances['W'] = lineHeight * 14 / 13;
  for (char digit = '0'; digit <= '9'; ++digit) measures.advances[digit] = lineHeight * 8 / 13;
  return measures;
}

const TextMeasures kSmall = Monospaced(8, 13);   // gap 8, pitch 15, "D100" 32 wide
const TextMeasures kLarge = Monospaced(16, 27);  // gap 16, pitch 32, "D100" 64 wide

TextList Districts(int count) {
  TextList districts;
  for (int i = 0; i < count; ++i) districts.push_back("D" + std::to_string(100 + i));
  return districts;
}

const stats::PlacedText* FindText(const ButtonPicture& picture, const std::string& text) {
  for (const stats::PlacedText& placed : picture.texts) {
    if (placed.text == text) return &placed;
  }
  return nullptr;
}

PerBand SeededRows() {
  PerBand rows;
  const char* bands[] = {"160m", "80m", "40m", "20m", "15m", "10m"};
  for (int band = 0; band < stats::kBandCount; ++band) {
    rows[band] = {bands[band], "   -", "   -", "   -"};
  }
  return rows;
}

TEST(InfoButtonLayout, WidthOfATextIsTheSumOfItsAdvances) {
  TextMeasures measures = Monospaced(7, 13);
  measures.advances[0xC0] = 11;  // a Cyrillic letter of code page 1251
  EXPECT_EQ(measures.Width(""), 0);
  EXPECT_EQ(measures.Width("MO05"), 28);
  EXPECT_EQ(measures.Width("A\xC0"), 18);
}

TEST(InfoButtonLayout, DistrictGridCellsFollowTheMeasures) {
  struct Case {
    const char* font;
    const TextMeasures& measures;
    int right;
    std::size_t index;  // of the text in the sorted list
    int x, y;
  } const cases[] = {
      // Cells of 32 + 8 from x 8, lines 15 apart from y 15.
      {"small", kSmall, 300, 0, 8, 15},
      {"small", kSmall, 300, 6, 248, 15},  // seven a line at 300 pixels
      {"small", kSmall, 300, 7, 8, 30},    // the eighth starts the second line
      {"small", kSmall, 88, 1, 48, 15},    // two a line from 88 pixels
      {"small", kSmall, 87, 1, 8, 30},     // below that, one a line
      {"small", kSmall, 0, 3, 8, 60},
      // Twice the font: cells of 64 + 16 from x 16, lines 32 apart.
      {"large", kLarge, 600, 0, 16, 32},
      {"large", kLarge, 600, 6, 496, 32},
      {"large", kLarge, 600, 7, 16, 64},
      {"large", kLarge, 300, 3, 16, 64},  // three a line at 300 pixels
  };
  const TextList districts = Districts(20);
  for (const Case& c : cases) {
    const ButtonPicture picture =
        stats::LayoutDistrictView(districts, 1, {0, 0, c.right, 400}, c.measures);
    const std::string where = std::string(c.font) + ", right " + std::to_string(c.right) +
                              ", index " + std::to_string(c.index);
    ASSERT_EQ(picture.texts.size(), districts.size()) << where;
    const stats::PlacedText& placed = picture.texts[c.index];
    EXPECT_EQ(placed.text, districts[c.index]) << where;
    EXPECT_EQ(placed.x, c.x) << where;
    EXPECT_EQ(placed.y, c.y) << where;
  }
}

TEST(InfoButtonLayout, WidestDistrictSetsTheCell) {
  // "WW99" is 16 pixels wider than the others: every cell grows with it.
  TextMeasures measures = kSmall;
  measures.advances['W'] = 16;
  const ButtonPicture picture = stats::LayoutDistrictView({"AB01", "MO01", "WW99"}, 1,
                                                          {0, 0, 600, 400}, measures);
  ASSERT_EQ(picture.texts.size(), 3u);
  EXPECT_EQ(picture.texts[1].x, 8 + 48 + 8);
  EXPECT_EQ(picture.texts[2].x, 8 + 2 * (48 + 8));
}

// At every scale of the display, the 2,600 codes of a full band stand
// apart: on a line at least one pixel between one code's advance and the
// next code, lines at least one pixel apart, and the last code of a line
// inside the button.
TEST(InfoButtonLayout, CodesNeverTouchAtAnyScale) {
  TextList codes;
  for (int i = 0; i < 2600; ++i) {
    codes.push_back(std::string{static_cast<char>('A' + i / 100 % 26),
                                static_cast<char>('I' + i % 15)} +
                    std::to_string(10 + i % 90));
  }
  codes.push_back("MW88");
  for (int lineHeight : {13, 17, 21, 27}) {  // caption font at 96, 120, 144, 192 DPI
    const TextMeasures measures = Proportional(lineHeight);
    const PixelRect item{0, 0, 390 * lineHeight / 13, 4000 * lineHeight};
    const ButtonPicture picture = stats::LayoutDistrictView(codes, 1, item, measures);
    ASSERT_EQ(picture.texts.size(), codes.size()) << "line height " << lineHeight;
    for (std::size_t i = 1; i < picture.texts.size(); ++i) {
      const stats::PlacedText& before = picture.texts[i - 1];
      const stats::PlacedText& after = picture.texts[i];
      const std::string where = "line height " + std::to_string(lineHeight) + ", " +
                                before.text + " then " + after.text;
      if (after.y == before.y) {
        EXPECT_GT(after.x, before.x + measures.Width(before.text)) << where;
      } else {
        EXPECT_GT(after.y, before.y + lineHeight) << where;
        EXPECT_LE(before.x + measures.Width(before.text), item.right) << where;
      }
    }
  }
}

TEST(InfoButtonLayout, DistrictGridStopsAtTheBottomEdge) {
  struct Case {
    int bottom;
    std::size_t placed;  // two a line at 88 pixels, lines at y 15, 30, 45...
  } const cases[] = {{15, 0}, {16, 2}, {30, 2}, {31, 4}, {46, 6}, {1000, 7}};
  for (const Case& c : cases) {
    const ButtonPicture picture =
        stats::LayoutDistrictView(Districts(7), 1, {0, 0, 88, c.bottom}, kSmall);
    EXPECT_EQ(picture.texts.size(), c.placed) << "bottom " << c.bottom;
  }
}

TEST(InfoButtonLayout, DistrictViewIsBareBackgroundWithoutBandOrDistricts) {
  struct Case {
    int band;
    int districtCount;
  } const cases[] = {{-1, 5}, {1, 0}, {5, 0}};
  const PixelRect item{0, 0, 300, 200};
  for (const Case& c : cases) {
    const ButtonPicture picture =
        stats::LayoutDistrictView(Districts(c.districtCount), c.band, item, kSmall);
    EXPECT_TRUE(picture.texts.empty()) << "band " << c.band << ", " << c.districtCount;
    ASSERT_EQ(picture.fills.size(), 1u) << "band " << c.band << ", " << c.districtCount;
    EXPECT_EQ(picture.fills[0].rgb, stats::kPanelColour) << "band " << c.band;
    EXPECT_EQ(picture.fills[0].rect.right, 300) << "band " << c.band;
    EXPECT_EQ(picture.fills[0].rect.bottom, 200) << "band " << c.band;
  }
}

// The view follows the content the update step handed over.
TEST(InfoButtonContent, WithoutACallTheSortedDistrictsInOrder) {
  stats::ButtonContent content;
  content.band = 2;
  content.sortedDistricts = {"AB01", "MO01", "MO05"};
  const ButtonPicture picture = stats::LayoutInfoButton(content, {0, 0, 300, 200}, kSmall);
  struct Expected {
    const char* text;
    int x, y;
  } const expected[] = {{"AB01", 8, 15}, {"MO01", 48, 15}, {"MO05", 88, 15}};
  for (const Expected& e : expected) {
    const stats::PlacedText* placed = FindText(picture, e.text);
    ASSERT_NE(placed, nullptr) << e.text;
    EXPECT_EQ(placed->x, e.x) << e.text;
    EXPECT_EQ(placed->y, e.y) << e.text;
  }
}

TEST(InfoButtonContent, EnteredCallSelectsTheCallView) {
  stats::ButtonContent content;
  content.call = "R3XYZ";
  content.band = 1;
  content.bandRows = SeededRows();
  content.sortedDistricts = {"MO05"};
  const ButtonPicture picture = stats::LayoutInfoButton(content, {0, 0, 300, 280}, kSmall);
  ASSERT_FALSE(picture.fills.empty());
  EXPECT_EQ(picture.fills[0].rgb, stats::kPaleYellow);
  EXPECT_NE(FindText(picture, "R3XYZ"), nullptr) << "the call is drawn";
  EXPECT_EQ(FindText(picture, "MO05"), nullptr) << "no district in the call view";
}

// Columns: band at two gaps; time four gaps after the widest band label
// ("160m"); exchange four gaps after the widest of "Time", "00:00" and the
// rows' times; the call halfway between time and exchange; headings one
// line pitch down; rows at the top of their slot (height / 7).
TEST(InfoButtonLayout, CallViewColumnsFollowTheMeasures) {
  struct Case {
    const char* name;
    const TextMeasures& measures;
    const char* time80;
    int bottom;
    int band, time, exchange, call, headings, row80, row40;
  } const cases[] = {
      {"small", kSmall, "13:10", 280, 16, 80, 152, 116, 15, 80, 120},
      {"small, low button", kSmall, "13:10", 70, 16, 80, 152, 116, 15, 20, 30},
      {"small, wide time", kSmall, "invalid", 280, 16, 80, 168, 124, 15, 80, 120},
      {"large", kLarge, "13:10", 560, 32, 160, 304, 232, 32, 160, 240},
  };
  for (const Case& c : cases) {
    PerBand rows = SeededRows();
    rows[1] = {"80m", c.time80, "MO", "   -"};
    const ButtonPicture picture =
        stats::LayoutCallView("R3XYZ", -1, rows, {0, 0, 600, c.bottom}, c.measures);
    struct Expected {
      const char* text;
      int x, y;
    } const expected[] = {
        {"R3XYZ", c.call, 0},        {"Time", c.time, c.headings},
        {"MOS/RDA/SERIAL", c.exchange, c.headings},
        {"80m", c.band, c.row80},    {c.time80, c.time, c.row80},
        {"MO", c.exchange, c.row80}, {"40m", c.band, c.row40},
    };
    for (const Expected& e : expected) {
      const stats::PlacedText* placed = FindText(picture, e.text);
      ASSERT_NE(placed, nullptr) << c.name << ": " << e.text;
      EXPECT_EQ(placed->x, e.x) << c.name << ": " << e.text;
      EXPECT_EQ(placed->y, e.y) << c.name << ": " << e.text;
    }
    // Band label, time and exchange of two rows; column 3 and the other
    // bands are not drawn.
    EXPECT_EQ(picture.texts.size(), 3u + 2 * 3) << c.name;
    EXPECT_EQ(FindText(picture, "160m"), nullptr) << c.name;
  }
}

TEST(InfoButtonLayout, CallViewStripeMarksTheBandSlot) {
  struct Case {
    int band;
    int top, bottom;  // of the stripe; band -1 has none
  } const cases[] = {{-1, 0, 0},    {0, 40, 80},   {1, 80, 120}, {2, 120, 160},
                     {3, 160, 200}, {4, 200, 240}, {5, 240, 280}};
  const PerBand rows = SeededRows();
  for (const Case& c : cases) {
    const ButtonPicture picture =
        stats::LayoutCallView("R3XYZ", c.band, rows, {0, 0, 310, 283}, kSmall);
    ASSERT_FALSE(picture.fills.empty()) << "band " << c.band;
    EXPECT_EQ(picture.fills[0].rgb, stats::kPaleYellow) << "band " << c.band;
    if (c.band == -1) {
      EXPECT_EQ(picture.fills.size(), 1u) << "band -1 has no stripe";
      continue;
    }
    ASSERT_EQ(picture.fills.size(), 2u) << "band " << c.band;
    const stats::Fill& stripe = picture.fills[1];
    EXPECT_EQ(stripe.rgb, stats::kLightCyan) << "band " << c.band;
    EXPECT_EQ(stripe.rect.left, 0) << "band " << c.band;
    EXPECT_EQ(stripe.rect.right, 310) << "band " << c.band;
    EXPECT_EQ(stripe.rect.top, c.top) << "band " << c.band;
    EXPECT_EQ(stripe.rect.bottom, c.bottom) << "band " << c.band;
  }
}

TEST(InfoButtonLayout, CallViewDrawsOnlyTheTextsARowHas) {
  struct Case {
    const char* name;
    TextList row80;
    std::size_t rowTexts;
  } const cases[] = {
      {"before the first reset", {}, 0},
      {"band label only", {"80m"}, 1},
      {"no exchange", {"80m", "12:05"}, 2},
  };
  for (const Case& c : cases) {
    PerBand rows;  // every row empty, as at load
    rows[1] = c.row80;
    const ButtonPicture picture =
        stats::LayoutCallView("R3XYZ", 1, rows, {0, 0, 300, 280}, kSmall);
    EXPECT_EQ(picture.texts.size(), 3u + c.rowTexts) << c.name;
  }
}

}  // namespace
