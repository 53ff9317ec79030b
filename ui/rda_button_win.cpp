#include "ui/rda_button_win.h"

#include <array>
#include <vector>

#include "ui/display_state.h"
#include "ui/memory_dc_win.h"
#include "ui/panel_look_win.h"

namespace stats {
namespace {

// The button before the first update step: an empty district view.
const ButtonContent kNothingYet;

void DrawFill(HDC dc, const Fill& fill) {
  const RECT rect{fill.rect.left, fill.rect.top, fill.rect.right, fill.rect.bottom};
  UniqueBrush brush(CreateSolidBrush(ColorRefOf(fill.rgb)));
  if (brush) FillRect(dc, &rect, brush.get());
}

// The caption font scaled from the system's resolution, in which the
// system gives it, to the context's; a common dialog face in bold when the
// system names no caption font.
LOGFONTA ButtonLogFont(HDC dc) {
  const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  LOGFONTA font{};
  if (SystemCaptionFont(font)) {
    const WindowDc screen(nullptr, WindowDc::Area::Client);
    const int systemDpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    if (systemDpi > 0 && dpi > 0) font.lfHeight = MulDiv(font.lfHeight, dpi, systemDpi);
    return font;
  }
  constexpr int kFallbackPoints = 8;
  font.lfHeight = -MulDiv(kFallbackPoints, dpi > 0 ? dpi : 96, 72);
  font.lfWeight = FW_BOLD;
  font.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(font.lfFaceName, "MS Shell Dlg", LF_FACESIZE);
  return font;
}

// The font's sizes; nothing when the context cannot say. Advances are
// asked for every byte: the texts are single-byte text of the code page.
std::optional<TextMeasures> MeasureFont(HDC dc) {
  TEXTMETRICA metrics{};
  std::array<INT, 256> advances{};
  if (!GetTextMetricsA(dc, &metrics) ||
      !GetCharWidth32A(dc, 0, static_cast<UINT>(advances.size() - 1), advances.data())) {
    return std::nullopt;
  }
  TextMeasures measures;
  measures.lineHeight = metrics.tmHeight;
  measures.averageWidth = metrics.tmAveCharWidth;
  for (std::size_t i = 0; i < advances.size(); ++i) measures.advances[i] = advances[i];
  return measures;
}

bool IsAscii(const std::string& text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 128) return false;
  }
  return true;
}

// One call of ExtTextOut for several texts on one line: each glyph advances
// by the font's measured advance, the one the layout counted with, and the
// last glyph of a text advances to the start of the next text. The pixels
// are those of each text drawn alone the same way; GDI's cost is mostly per
// call, and the district grid has hundreds of texts. (Windows' TextOut
// advances by the same measures; wine's may draw a bold glyph a pixel
// narrower than it measures it.)
class TextRun {
 public:
  explicit TextRun(const TextMeasures& measures) : m_measures(measures) {}

  // False when `next` cannot join: another line, not ASCII, or starting at
  // or left of the last glyph so far.
  bool Add(const PlacedText& next) {
    if (!IsAscii(next.text)) return false;
    if (!m_strBytes.empty()) {
      if (next.y != m_nY || next.x <= m_nLastGlyphX) return false;
      m_arrAdvances.back() = next.x - m_nLastGlyphX;
    } else {
      m_nX = next.x;
      m_nY = next.y;
    }
    int glyphX = next.x;
    for (char c : next.text) {
      m_nLastGlyphX = glyphX;
      const INT advance = m_measures.advances[static_cast<unsigned char>(c)];
      m_strBytes.push_back(c);
      m_arrAdvances.push_back(advance);
      glyphX += advance;
    }
    return true;
  }

  void DrawAndClear(HDC dc) {
    if (!m_strBytes.empty()) {
      ExtTextOutA(dc, m_nX, m_nY, 0, nullptr, m_strBytes.data(),
                  static_cast<UINT>(m_strBytes.size()), m_arrAdvances.data());
    }
    m_strBytes.clear();
    m_arrAdvances.clear();
  }

 private:
  const TextMeasures& m_measures;
  int m_nX = 0;
  int m_nY = 0;
  int m_nLastGlyphX = 0;
  std::string m_strBytes;
  std::vector<INT> m_arrAdvances;
};

void DrawTextsOneByOne(HDC dc, const std::vector<PlacedText>& texts) {
  for (const PlacedText& placed : texts) {
    TextOutA(dc, placed.x, placed.y, placed.text.data(), static_cast<int>(placed.text.size()));
  }
}

void DrawTexts(HDC dc, const std::vector<PlacedText>& texts) {
  const std::optional<TextMeasures> measures = MeasureFont(dc);
  if (!measures) {
    DrawTextsOneByOne(dc, texts);
    return;
  }
  TextRun run(*measures);
  for (const PlacedText& placed : texts) {
    if (placed.text.empty()) continue;  // draws nothing
    if (run.Add(placed)) continue;
    run.DrawAndClear(dc);
    if (!run.Add(placed)) DrawTextsOneByOne(dc, {placed});
  }
  run.DrawAndClear(dc);
}

}  // namespace

InfoButtonFont::InfoButtonFont(HDC dc) {
  const LOGFONTA font = ButtonLogFont(dc);
  m_font.reset(CreateFontIndirectA(&font));
  if (m_font) m_selected.emplace(dc, m_font.get());
}

TextMeasures MeasureCurrentFont(HDC dc) { return MeasureFont(dc).value_or(TextMeasures{}); }

void DrawButtonPicture(HDC dc, const ButtonPicture& picture) {
  for (const Fill& fill : picture.fills) DrawFill(dc, fill);
  // Texts stand over the fills without boxes of their own.
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  DrawTexts(dc, picture.texts);
}

void PaintInfoButton(HDC dc, const RECT& item) {
  CMemDC offscreen(dc);
  const InfoButtonFont font(offscreen.Dc());
  const TextMeasures measures = MeasureCurrentFont(offscreen.Dc());
  // What the last update step handed over; nothing before the first.
  const ButtonPicture picture =
      LayoutInfoButton(g_buttonContent ? *g_buttonContent : kNothingYet,
                       {item.left, item.top, item.right, item.bottom}, measures);
  DrawButtonPicture(offscreen.Dc(), picture);
}

void CCqWwInfoButton::DrawItem(const DRAWITEMSTRUCT& item) const {
  PaintInfoButton(item.hDC, item.rcItem);
}

}  // namespace stats
