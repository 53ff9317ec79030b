// The information button's picture as pixels: painted into a memory bitmap
// directly and through the button's WM_PRINTCLIENT, and the off-screen
// context's copy limited to the clip box.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "canvas.h"
#include "display_fixture.h"
#include "ui/memory_dc_win.h"
#include "ui/rda_button_win.h"
#include "ui/rda_window_win.h"

namespace display_test {
namespace {

constexpr uint32_t kPanelColour = 0xFFFAC6;  // the windows' light yellow
constexpr uint32_t kPaleYellow = 0xFFFFC6;
constexpr uint32_t kLightCyan = 0xC6FFFF;
constexpr int kWidth = 600;
constexpr int kHeight = 400;
// The call view's rows: the header, then one per band.
constexpr int kSlots = stats::kBandCount + 1;
constexpr int kSlot = kHeight / kSlots;  // the call view's slot height

void PaintWhole(const Canvas& canvas) {
  stats::PaintInfoButton(canvas.Dc(), RECT{0, 0, canvas.Width(), canvas.Height()});
}

using InfoButtonPaint = DisplayTest;

TEST_F(InfoButtonPaint, WithoutBandTheButtonIsPlainLightYellow) {
  HandOver("", -1, {"AB01", "MO05"});
  Canvas canvas(kWidth, kHeight);
  ASSERT_TRUE(canvas.IsReady());
  PaintWhole(canvas);
  EXPECT_EQ(canvas.CountOtherThan({0, 0, kWidth, kHeight}, kPanelColour), 0) << "band -1";
}

TEST_F(InfoButtonPaint, DistrictTextsStandWhereTheLayoutPutsThem) {
  HandOver("", 2, {"AB01", "MO05"});
  Canvas canvas(kWidth, kHeight);
  ASSERT_TRUE(canvas.IsReady());
  PaintWhole(canvas);
  // The layout of the same texts from the measures of the same font.
  Canvas measuring(8, 8);
  const stats::InfoButtonFont font(measuring.Dc());
  const stats::TextMeasures measures = stats::MeasureCurrentFont(measuring.Dc());
  const stats::ButtonPicture layout =
      stats::LayoutDistrictView({"AB01", "MO05"}, 2, {0, 0, kWidth, kHeight}, measures);
  ASSERT_EQ(layout.texts.size(), 2u);
  const stats::PlacedText& first = layout.texts[0];
  const int cellWidth = layout.texts[1].x - first.x;
  const int lineHeight = measures.lineHeight;
  EXPECT_EQ(canvas.Pixel(1, 1), kPanelColour) << "background above the grid";
  struct Cell {
    const char* name;
    RECT area;
    bool written;
  } const cells[] = {
      {"AB01", {first.x, first.y, first.x + cellWidth, first.y + lineHeight}, true},
      {"MO05", {first.x + cellWidth, first.y, first.x + 2 * cellWidth, first.y + lineHeight}, true},
      {"no third district",
       {first.x + 2 * cellWidth, first.y, first.x + 3 * cellWidth, first.y + lineHeight}, false},
      {"no second line", {0, first.y + lineHeight + 1, kWidth, kHeight}, false},
  };
  for (const Cell& cell : cells) {
    const int marked = canvas.CountOtherThan(cell.area, kPanelColour);
    if (cell.written) {
      EXPECT_GT(marked, 0) << cell.name;
    } else {
      EXPECT_EQ(marked, 0) << cell.name;
    }
  }
  const RECT& firstCell = cells[0].area;
  const int cellArea = (firstCell.right - firstCell.left) * (firstCell.bottom - firstCell.top);
  EXPECT_LT(canvas.CountOtherThan(firstCell, 0x000000), cellArea) << "the text is black";
}

TEST_F(InfoButtonPaint, CallViewStripeLiesInTheBandSlot) {
  const int x = kWidth - 5;  // right of every text
  for (int band = -1; band < stats::kBandCount; ++band) {
    HandOver("R3XYZ", band, {}, BlankBandRows());
    Canvas canvas(kWidth, kHeight);
    ASSERT_TRUE(canvas.IsReady());
    PaintWhole(canvas);
    for (int slot = 0; slot < kSlots; ++slot) {
      const int y = slot * kSlot + kSlot / 2;
      const uint32_t expected = band != -1 && slot == band + 1 ? kLightCyan : kPaleYellow;
      EXPECT_EQ(canvas.Pixel(x, y), expected) << "band " << band << ", slot " << slot;
    }
  }
}

// The off-screen copy covers the target's clip box and nothing else, at the
// same place as a direct drawing.
TEST_F(InfoButtonPaint, OffscreenCopyCoversOnlyTheClipBox) {
  constexpr uint32_t kUntouched = 0x102030;
  Canvas canvas(kWidth, kHeight, kUntouched);
  ASSERT_TRUE(canvas.IsReady());
  const RECT clip{100, 50, 300, 150};
  IntersectClipRect(canvas.Dc(), clip.left, clip.top, clip.right, clip.bottom);
  // The whole button light yellow, one marked square inside the clip box.
  const stats::ButtonPicture picture{
      {{{0, 0, kWidth, kHeight}, kPanelColour}, {{120, 60, 130, 70}, kLightCyan}}, {}};
  {
    stats::CMemDC offscreen(canvas.Dc());
    ASSERT_TRUE(offscreen.IsOffscreen()) << "a memory bitmap is no printer";
    EXPECT_EQ(offscreen.Area().left, clip.left);
    EXPECT_EQ(offscreen.Area().top, clip.top);
    EXPECT_EQ(offscreen.Area().right, clip.right);
    EXPECT_EQ(offscreen.Area().bottom, clip.bottom);
    stats::DrawButtonPicture(offscreen.Dc(), picture);
    EXPECT_EQ(canvas.Pixel(125, 65), kUntouched) << "nothing reaches the target before the copy";
  }
  EXPECT_EQ(canvas.Pixel(125, 65), kLightCyan) << "the square at its own place";
  EXPECT_EQ(canvas.Pixel(135, 65), kPanelColour) << "beside the square";
  const int clipArea = (clip.right - clip.left) * (clip.bottom - clip.top);
  EXPECT_EQ(canvas.CountOtherThan(clip, kPanelColour), 100)
      << "inside the clip box, but the square";
  EXPECT_EQ(canvas.CountOtherThan({0, 0, kWidth, kHeight}, kUntouched), clipArea)
      << "outside the clip box";
}

TEST_F(InfoButtonPaint, MetafileGetsTheDrawingDirectly) {
  HDC metafile = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(metafile, nullptr);
  {
    stats::CMemDC direct(metafile);
    EXPECT_FALSE(direct.IsOffscreen());
    EXPECT_EQ(direct.Dc(), metafile);
  }
  DeleteEnhMetaFile(CloseEnhMetaFile(metafile));
}

// The texts of one line go to GDI together; in the button's font, the
// pixels must be those of each text drawn alone, whatever the texts'
// widths and order.
TEST_F(InfoButtonPaint, JoinedTextsDrawTheSamePixelsAsSingleTexts) {
  struct Case {
    const char* name;
    std::vector<stats::PlacedText> texts;
  } const cases[] = {
      {"grid line", {{5, 15, "AB01"}, {45, 15, "MO01"}, {85, 15, "WW99"}, {125, 15, "MO05"}}},
      {"overlapping", {{0, 0, "MOS/RDA/SERIAL"}, {20, 0, "XYZ"}, {24, 0, "W"}}},
      {"leftwards", {{200, 5, "MO"}, {100, 5, "13:10"}, {20, 5, "80m"}}},
      {"Cyrillic between", {{5, 5, "AB"}, {45, 5, "\xCF\xF0\xE8"}, {85, 5, "CD"}, {125, 5, ""}}},
      {"two lines", {{5, 5, "AB01"}, {45, 5, "AB02"}, {5, 20, "AB03"}, {45, 20, "AB04"}}},
  };
  const stats::Fill background{{0, 0, 300, 40}, kPanelColour};
  for (const Case& c : cases) {
    Canvas joined(300, 40);
    Canvas single(300, 40);
    ASSERT_TRUE(joined.IsReady() && single.IsReady());
    const stats::InfoButtonFont joinedFont(joined.Dc());
    const stats::InfoButtonFont singleFont(single.Dc());
    stats::DrawButtonPicture(joined.Dc(), {{background}, c.texts});
    stats::DrawButtonPicture(single.Dc(), {{background}, {}});
    for (const stats::PlacedText& placed : c.texts) {
      stats::DrawButtonPicture(single.Dc(), {{}, {placed}});
    }
    const std::optional<POINT> difference = joined.FirstDifference(single);
    EXPECT_FALSE(difference.has_value())
        << c.name << ": first difference at " << difference->x << ", " << difference->y;
    EXPECT_GT(single.CountOtherThan({0, 0, 300, 40}, kPanelColour), 0) << c.name << " drew";
  }
}

// The system's owner-drawn button answers WM_PRINTCLIENT through its
// parent's WM_DRAWITEM: printing the real window gives the direct picture.
TEST_F(InfoButtonPaint, PrintClientOfTheButtonMatchesTheDirectPaint) {
  stats::PerBand rows = BlankBandRows();
  rows[1][1] = "13:10";
  rows[1][2] = "MO";
  stats::DXCC window;
  ASSERT_TRUE(window.Create(nullptr));
  ASSERT_NE(window.Button(), nullptr);
  RECT client{};
  GetClientRect(window.Button(), &client);
  struct View {
    const char* name;
    const char* call;
    int band;
  } const views[] = {{"district view", "", 1}, {"call view", "R3XYZ", 2}};
  for (const View& view : views) {
    HandOver(view.call, view.band, {"AB01", "KL02", "MO01", "MO05", "SP03"}, rows);
    Canvas direct(client.right, client.bottom);
    Canvas printed(client.right, client.bottom);
    ASSERT_TRUE(direct.IsReady() && printed.IsReady());
    stats::PaintInfoButton(direct.Dc(), client);
    SendMessageA(window.Button(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(printed.Dc()),
                 PRF_CLIENT);
    const std::optional<POINT> difference = printed.FirstDifference(direct);
    EXPECT_FALSE(difference.has_value())
        << view.name << ": first difference at " << difference->x << ", " << difference->y;
    EXPECT_GT(direct.CountOtherThan(client, view.band == 1 ? kPanelColour : kPaleYellow), 0)
        << view.name << " has texts";
  }
}

}  // namespace
}  // namespace display_test
