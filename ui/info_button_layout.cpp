#include "ui/info_button_layout.h"

#include <iterator>

#include "engine/display_snapshot.h"
#include "ui/display_state.h"

namespace stats {
namespace {

// District view: a flowing grid of 40-pixel cells, 15 pixels a line.
struct GridMetrics {
  int left, top, cellWidth, lineHeight;
};
constexpr GridMetrics kGrid{5, 15, 40, 15};

// Call view: seven slots of equal height, slot 0 for the call and the
// headings, slot k+1 for band index k.
constexpr int kSlotCount = 7;
constexpr int kHeadingY = 18;
constexpr int kCallX = 140;
constexpr int kTimeHeadingX = 100;
constexpr int kExchangeHeadingX = 180;
// Only the two bands the contest counts get a row of texts.
constexpr int kRowBands[] = {1, 2};
constexpr int kRowColumnX[] = {20, 100, 220};  // band, time, exchange

bool IsBand(int band) { return band >= 0 && band < kBandCount; }

void AddRowTexts(const TextList& row, int y, std::vector<PlacedText>& texts) {
  // Rows not yet seeded by a reset have fewer texts; a missing one is not drawn.
  for (std::size_t column = 0; column < std::size(kRowColumnX) && column < row.size(); ++column) {
    texts.push_back({kRowColumnX[column], y, row[column]});
  }
}

}  // namespace

ButtonPicture LayoutDistrictView(const TextList& sortedDistricts, int band, const PixelRect& item) {
  ButtonPicture picture;
  picture.fills.push_back({item, kLightYellow});
  if (!IsBand(band)) return picture;
  picture.texts.reserve(sortedDistricts.size());
  int x = kGrid.left;
  int y = kGrid.top;
  for (const std::string& district : sortedDistricts) {
    // A text that would start at or below the bottom edge could not be
    // seen; the grid stops there instead of handing GDI thousands of texts
    // to clip away.
    if (y >= item.bottom) break;
    picture.texts.push_back({x, y, district});
    x += kGrid.cellWidth;
    if (x > item.right - kGrid.cellWidth) {
      x = kGrid.left;
      y += kGrid.lineHeight;
    }
  }
  return picture;
}

ButtonPicture LayoutCallView(const std::string& call, int band, const PerBand& bandRows,
                             const PixelRect& item) {
  ButtonPicture picture;
  picture.fills.push_back({item, kPaleYellow});
  const int slotHeight = item.bottom / kSlotCount;
  if (IsBand(band)) {
    // The stripe marks any of the six bands, also one whose row is not drawn.
    picture.fills.push_back(
        {{0, (band + 1) * slotHeight, item.right, (band + 2) * slotHeight}, kLightCyan});
  }
  picture.texts.push_back({kCallX, 0, call});
  picture.texts.push_back({kTimeHeadingX, kHeadingY, "Time"});
  picture.texts.push_back({kExchangeHeadingX, kHeadingY, "MOS/RDA/SERIAL"});
  for (int rowBand : kRowBands) {
    AddRowTexts(bandRows[rowBand], (rowBand + 1) * slotHeight, picture.texts);
  }
  return picture;
}

ButtonPicture LayoutInfoButton(const PixelRect& item) {
  if (g_strCurCall.empty()) {
    return LayoutDistrictView(SortAndCopyRdaDistricts(g_nCurBand), g_nCurBand, item);
  }
  return LayoutCallView(g_strCurCall, g_nCurBand, CopyBandRows(), item);
}

}  // namespace stats
