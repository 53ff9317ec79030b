#include "ui/rda_button_layout.h"

#include <algorithm>
#include <iterator>

#include "engine/display_snapshot.h"

namespace stats {
namespace {

// Call view: slots of equal height, slot 0 for the call and the headings,
// slot k+1 for band index k.
constexpr int kSlotCount = kBandCount + 1;
constexpr const char* kTimeHeading = "Time";
constexpr const char* kExchangeHeading = "MOS/RDA/SERIAL";
// The time column is as wide as its widest time ("%H:%M"; digits share one
// width in the fonts of a system's caption).
constexpr const char* kWidestTime = "00:00";
// The slots of the bands that get a row of texts.
constexpr std::size_t kRowCount =
    static_cast<std::size_t>(std::count_if(kBands.begin(), kBands.begin() + kBandCount,
                                           [](const BandRule& band) { return band.drawnRow; }));
constexpr std::array<int, kRowCount> kRowBands = [] {
  std::array<int, kRowCount> slots{};
  std::size_t next = 0;
  for (int slot = 0; slot < kBandCount; ++slot) {
    if (kBands[slot].drawnRow) slots[next++] = slot;
  }
  return slots;
}();
// Columns of a row: band, time, exchange. The call view's columns stand
// this many gaps apart; the band column this many gaps from the left edge.
constexpr int kColumnGaps = 4;
constexpr int kLeftGaps = 2;

int WidestOf(const TextList& texts, const TextMeasures& measures) {
  int widest = 0;
  for (const std::string& text : texts) widest = std::max(widest, measures.Width(text));
  return widest;
}

// Text `column` of a row, or nothing: rows not yet seeded by a reset have
// fewer texts.
const std::string* RowText(const TextList& row, std::size_t column) {
  return column < row.size() ? &row[column] : nullptr;
}

struct CallColumns {
  int band, time, exchange;
};

// Each column starts after the widest text the column before it can hold.
CallColumns CallColumnsOf(const PerBand& bandRows, const TextMeasures& measures, int gap) {
  int bandWidth = 0;
  for (std::string_view label : kBandOrder) bandWidth = std::max(bandWidth, measures.Width(label));
  int timeWidth = std::max(measures.Width(kTimeHeading), measures.Width(kWidestTime));
  for (int rowBand : kRowBands) {
    if (const std::string* label = RowText(bandRows[rowBand], 0)) {
      bandWidth = std::max(bandWidth, measures.Width(*label));
    }
    if (const std::string* time = RowText(bandRows[rowBand], 1)) {
      timeWidth = std::max(timeWidth, measures.Width(*time));
    }
  }
  CallColumns columns{};
  columns.band = kLeftGaps * gap;
  columns.time = columns.band + bandWidth + kColumnGaps * gap;
  columns.exchange = columns.time + timeWidth + kColumnGaps * gap;
  return columns;
}

}  // namespace

int TextMeasures::Width(std::string_view text) const {
  int width = 0;
  for (char c : text) width += advances[static_cast<unsigned char>(c)];
  return width;
}

TextSpacing SpacingOf(const TextMeasures& measures) {
  // Two pixels at least, so that even a font that measures nothing keeps
  // its texts apart; a fifth of a line between lines.
  return {std::max(2, measures.averageWidth),
          std::max(1, measures.lineHeight) + std::max(1, measures.lineHeight / 5)};
}

ButtonPicture LayoutDistrictView(const TextList& sortedDistricts, int band, const PixelRect& item,
                                 const TextMeasures& measures) {
  ButtonPicture picture;
  picture.fills.push_back({item, kPanelColour});
  if (!IsBandSlot(band)) return picture;
  const TextSpacing spacing = SpacingOf(measures);
  const int cellWidth = WidestOf(sortedDistricts, measures) + spacing.gap;
  picture.texts.reserve(sortedDistricts.size());
  int x = spacing.gap;
  int y = spacing.linePitch;
  for (const std::string& district : sortedDistricts) {
    // A text that would start at or below the bottom edge could not be
    // seen; the grid stops there instead of handing GDI thousands of texts
    // to clip away.
    if (y >= item.bottom) break;
    picture.texts.push_back({x, y, district});
    x += cellWidth;
    if (x > item.right - cellWidth) {
      x = spacing.gap;
      y += spacing.linePitch;
    }
  }
  return picture;
}

ButtonPicture LayoutCallView(const std::string& call, int band, const PerBand& bandRows,
                             const PixelRect& item, const TextMeasures& measures) {
  ButtonPicture picture;
  picture.fills.push_back({item, kPaleYellow});
  const int slotHeight = item.bottom / kSlotCount;
  if (IsBandSlot(band)) {
    // The stripe marks any band with a slot, also one whose row is not drawn.
    picture.fills.push_back(
        {{0, (band + 1) * slotHeight, item.right, (band + 2) * slotHeight}, kLightCyan});
  }
  const TextSpacing spacing = SpacingOf(measures);
  const CallColumns columns = CallColumnsOf(bandRows, measures, spacing.gap);
  // The call stands between the time column and the exchange heading, the
  // headings one line below it.
  picture.texts.push_back({(columns.time + columns.exchange) / 2, 0, call});
  picture.texts.push_back({columns.time, spacing.linePitch, kTimeHeading});
  picture.texts.push_back({columns.exchange, spacing.linePitch, kExchangeHeading});
  const int columnX[] = {columns.band, columns.time, columns.exchange};
  for (int rowBand : kRowBands) {
    const int y = (rowBand + 1) * slotHeight;
    for (std::size_t column = 0; column < std::size(columnX); ++column) {
      if (const std::string* text = RowText(bandRows[rowBand], column)) {
        picture.texts.push_back({columnX[column], y, *text});
      }
    }
  }
  return picture;
}

ButtonPicture LayoutInfoButton(const ButtonContent& content, const PixelRect& item,
                               const TextMeasures& measures) {
  if (content.call.empty()) {
    return LayoutDistrictView(content.sortedDistricts, content.band, item, measures);
  }
  return LayoutCallView(content.call, content.band, content.bandRows, item, measures);
}

}  // namespace stats
