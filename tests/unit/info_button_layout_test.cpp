// The information button's two views as data: where each text stands and
// which fills are made, for the widths and heights where the layout turns.
#include "ui/info_button_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/contest_state.h"
#include "locked_state.h"
#include "ui/display_state.h"

namespace {

using stats::ButtonPicture;
using stats::PerBand;
using stats::PixelRect;
using stats::TextList;

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

struct GridCase {
  int right;
  std::size_t index;  // of the text in the sorted list
  int x, y;
};

TEST(InfoButtonLayout, DistrictGridWrapsByButtonWidth) {
  const GridCase cases[] = {
      {300, 6, 245, 15},                    // seven a line at 300 pixels
      {300, 7, 5, 30},                      // the eighth starts the second line
      {600, 13, 525, 15},                   // fourteen a line at 600 pixels
      {600, 14, 5, 30},   {85, 1, 45, 15},  // two a line from 85 pixels
      {85, 2, 5, 30},     {84, 1, 5, 30},   // below that, one a line
      {44, 1, 5, 30},     {44, 2, 5, 45},  {0, 3, 5, 60},
  };
  const TextList districts = Districts(20);
  for (const GridCase& c : cases) {
    const ButtonPicture picture = stats::LayoutDistrictView(districts, 1, {0, 0, c.right, 400});
    ASSERT_EQ(picture.texts.size(), districts.size()) << "right " << c.right;
    const stats::PlacedText& placed = picture.texts[c.index];
    EXPECT_EQ(placed.text, districts[c.index]) << "right " << c.right << " index " << c.index;
    EXPECT_EQ(placed.x, c.x) << "right " << c.right << " index " << c.index;
    EXPECT_EQ(placed.y, c.y) << "right " << c.right << " index " << c.index;
  }
}

TEST(InfoButtonLayout, DistrictGridStopsAtTheBottomEdge) {
  struct Case {
    int bottom;
    std::size_t placed;  // two a line at 85 pixels, lines at y 15, 30, 45...
  } const cases[] = {{15, 0}, {16, 2}, {30, 2}, {31, 4}, {46, 6}, {1000, 7}};
  for (const Case& c : cases) {
    const ButtonPicture picture = stats::LayoutDistrictView(Districts(7), 1, {0, 0, 85, c.bottom});
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
        stats::LayoutDistrictView(Districts(c.districtCount), c.band, item);
    EXPECT_TRUE(picture.texts.empty()) << "band " << c.band << ", " << c.districtCount;
    ASSERT_EQ(picture.fills.size(), 1u) << "band " << c.band << ", " << c.districtCount;
    EXPECT_EQ(picture.fills[0].rgb, stats::kLightYellow) << "band " << c.band;
    EXPECT_EQ(picture.fills[0].rect.right, 300) << "band " << c.band;
    EXPECT_EQ(picture.fills[0].rect.bottom, 200) << "band " << c.band;
  }
}

class InfoButtonState : public ::testing::Test {
 protected:
  void SetUp() override {
    stats::RestoreLoadState();
    stats::RestoreDisplayLoadState();
  }
  void TearDown() override {
    stats::RestoreLoadState();
    stats::RestoreDisplayLoadState();
  }
};

TEST_F(InfoButtonState, DistrictViewSortsTheSharedListAndPlacesItInOrder) {
  {
    const stats::ContestStateLock state;
    state.RdaByBand()[2] = {"MO05", "AB01", "MO01"};
  }
  stats::g_nCurBand = 2;
  const ButtonPicture picture = stats::LayoutInfoButton({0, 0, 300, 200});
  EXPECT_EQ(locked::RdaByBand()[2], (TextList{"AB01", "MO01", "MO05"}))
      << "the shared list after the paint";
  struct Expected {
    const char* text;
    int x, y;
  } const expected[] = {{"AB01", 5, 15}, {"MO01", 45, 15}, {"MO05", 85, 15}};
  for (const Expected& e : expected) {
    const stats::PlacedText* placed = FindText(picture, e.text);
    ASSERT_NE(placed, nullptr) << e.text;
    EXPECT_EQ(placed->x, e.x) << e.text;
    EXPECT_EQ(placed->y, e.y) << e.text;
  }
}

TEST_F(InfoButtonState, EnteredCallSelectsTheCallView) {
  {
    const stats::ContestStateLock state;
    state.BandRows() = SeededRows();
    state.RdaByBand()[1] = {"MO05"};
  }
  stats::g_nCurBand = 1;
  stats::g_strCurCall = "R3XYZ";
  const ButtonPicture picture = stats::LayoutInfoButton({0, 0, 300, 280});
  ASSERT_FALSE(picture.fills.empty());
  EXPECT_EQ(picture.fills[0].rgb, stats::kPaleYellow);
  EXPECT_NE(FindText(picture, "R3XYZ"), nullptr) << "the call is drawn";
  EXPECT_EQ(FindText(picture, "MO05"), nullptr) << "no district in the call view";
}

TEST(InfoButtonLayout, CallViewPlacesCallHeadingsAndTheTwoRows) {
  PerBand rows = SeededRows();
  rows[1] = {"80m", "13:10", "MO", "   -"};
  struct Case {
    int bottom;
    int row80, row40;
  } const cases[] = {{280, 80, 120}, {70, 20, 30}, {6, 0, 0}};
  for (const Case& c : cases) {
    const ButtonPicture picture = stats::LayoutCallView("R3XYZ", -1, rows, {0, 0, 300, c.bottom});
    struct Expected {
      const char* text;
      int x, y;
    } const expected[] = {
        {"R3XYZ", 140, 0},    {"Time", 100, 18},       {"MOS/RDA/SERIAL", 180, 18},
        {"80m", 20, c.row80}, {"13:10", 100, c.row80}, {"MO", 220, c.row80},
        {"40m", 20, c.row40},
    };
    for (const Expected& e : expected) {
      const stats::PlacedText* placed = FindText(picture, e.text);
      ASSERT_NE(placed, nullptr) << "bottom " << c.bottom << ": " << e.text;
      EXPECT_EQ(placed->x, e.x) << "bottom " << c.bottom << ": " << e.text;
      EXPECT_EQ(placed->y, e.y) << "bottom " << c.bottom << ": " << e.text;
    }
    // Band label, time and exchange of two rows; column 3 and the other
    // bands are not drawn.
    EXPECT_EQ(picture.texts.size(), 3u + 2 * 3) << "bottom " << c.bottom;
    EXPECT_EQ(FindText(picture, "160m"), nullptr) << "bottom " << c.bottom;
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
    const ButtonPicture picture = stats::LayoutCallView("R3XYZ", c.band, rows, {0, 0, 310, 283});
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
    const ButtonPicture picture = stats::LayoutCallView("R3XYZ", 1, rows, {0, 0, 300, 280});
    EXPECT_EQ(picture.texts.size(), 3u + c.rowTexts) << c.name;
  }
}

}  // namespace
