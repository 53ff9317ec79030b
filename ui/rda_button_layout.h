#pragma once
// The picture of the RDA window's information button, as data: the fills and
// the texts with their places. Window-free, so that both views can be tested
// natively; the paint function draws exactly this. Every place comes from
// the measured sizes of the font the button draws with, so the picture
// grows with the display's scale and no two texts run together.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/contest_state.h"
#include "ui/button_content.h"
#include "ui/panel_colour.h"

namespace stats {

struct PixelRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

struct Fill {
  PixelRect rect;
  uint32_t rgb;  // 0x00RRGGBB
};

struct PlacedText {
  int x, y;
  std::string text;
};

struct ButtonPicture {
  std::vector<Fill> fills;  // in drawing order
  std::vector<PlacedText> texts;
};

// The district view is filled with kPanelColour; the call view with the
// pale yellow, and its band's stripe with the light cyan.
inline constexpr uint32_t kPaleYellow = 0xFFFFC6;  // RGB(255,255,198)
inline constexpr uint32_t kLightCyan = 0xC6FFFF;   // RGB(198,255,255)

// The sizes of the button's font, in pixels, as the paint measures them.
// The texts are single-byte text of the module's code page, so a text's
// width is the sum of its bytes' advances (GDI draws without kerning).
struct TextMeasures {
  int lineHeight = 0;    // the font's cell height: ascent plus descent
  int averageWidth = 0;  // the font's average character width
  std::array<int, 256> advances{};  // per byte

  int Width(std::string_view text) const;
};

// The spacing both views use, derived from the measures.
struct TextSpacing {
  int gap;        // between two texts on a line, and the left margin
  int linePitch;  // from one line's top to the next one's
};
TextSpacing SpacingOf(const TextMeasures& measures);

// District view: the band's districts (already sorted) in a flowing grid of
// equal cells, each as wide as the widest district plus a gap, one line
// pitch apart, the first line one pitch down. Lines that would start at or
// below the bottom edge are left out: there is no scrolling, so they could
// never be seen.
ButtonPicture LayoutDistrictView(const TextList& sortedDistricts, int band, const PixelRect& item,
                                 const TextMeasures& measures);

// Call view: the call, the headings, the rows of the bands the rules draw
// (BandRule::drawnRow) and the stripe of the current band. The height is
// split into one slot for the call and one per band slot; the columns stand
// one measured column width plus a gap apart.
ButtonPicture LayoutCallView(const std::string& call, int band, const PerBand& bandRows,
                             const PixelRect& item, const TextMeasures& measures);

// The view the update step handed over: the call view while a call is
// entered, else the district view.
ButtonPicture LayoutInfoButton(const ButtonContent& content, const PixelRect& item,
                               const TextMeasures& measures);

}  // namespace stats
