// What the RDA window's button shows, read back as pixels: the districts of
// the current band, sorted, in the caption font, where the layout puts
// them for that font's measures.
#include <cstddef>
#include <vector>

#include "resources/resource.h"
#include "session_fixture.h"
#include "ui/rda_button_layout.h"

namespace session {
namespace {

constexpr int kInfoButton = IDC_INFO_BUTTON;

struct Bitmap {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ previous = nullptr;
  int width, height;

  Bitmap(int w, int h) : width(w), height(h) {
    HDC screen = GetDC(nullptr);
    dc = CreateCompatibleDC(screen);
    bitmap = CreateCompatibleBitmap(screen, w, h);
    ReleaseDC(nullptr, screen);
    previous = SelectObject(dc, bitmap);
  }
  ~Bitmap() {
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  std::vector<COLORREF> Pixels() const {
    std::vector<COLORREF> pixels;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(dc, x, y));
    return pixels;
  }
};

// The measures of the context's current font, as the layout takes them.
stats::TextMeasures Measures(HDC dc) {
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  INT widths[256] = {};
  GetCharWidth32A(dc, 0, 255, widths);
  stats::TextMeasures measures;
  measures.lineHeight = metrics.tmHeight;
  measures.averageWidth = metrics.tmAveCharWidth;
  for (int i = 0; i < 256; ++i) measures.advances[i] = widths[i];
  return measures;
}

// The district view as it must look: the light-yellow fill and the texts in
// the system's caption font, where the layout puts them.
void DrawExpected(Bitmap& picture, const stats::TextList& districts) {
  RECT all = {0, 0, picture.width, picture.height};
  HBRUSH fill = CreateSolidBrush(RGB(255, 250, 198));
  FillRect(picture.dc, &all, fill);
  DeleteObject(fill);
  NONCLIENTMETRICSA nonClient{};
  nonClient.cbSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, nonClient.cbSize, &nonClient, 0);
  HFONT font = CreateFontIndirectA(&nonClient.lfCaptionFont);
  HGDIOBJ previous = SelectObject(picture.dc, font);
  SetBkMode(picture.dc, TRANSPARENT);
  const stats::TextMeasures measures = Measures(picture.dc);
  const stats::ButtonPicture layout =
      stats::LayoutDistrictView(districts, 1, {0, 0, picture.width, picture.height}, measures);
  // Each glyph advances by the font's measured advance, as the button
  // draws (wine's TextOut may draw a bold glyph a pixel narrower).
  for (const stats::PlacedText& placed : layout.texts) {
    std::vector<INT> advances;
    for (char c : placed.text) advances.push_back(measures.advances[static_cast<unsigned char>(c)]);
    ExtTextOutA(picture.dc, placed.x, placed.y, 0, nullptr, placed.text.data(),
                static_cast<UINT>(placed.text.size()), advances.data());
  }
  SelectObject(picture.dc, previous);
  DeleteObject(font);
}

using PictureTest = DisplaySessionTest;

TEST_F(PictureTest, RdaButtonShowsTheBandsDistrictsSorted) {
  QuietReset();
  Log("UA3AAA", "80m", "MO05");
  Log("UA3BBB", "80m", "AB01");
  Log("UA3CCC", "80m", "MO01");
  Log("UA3DDD", "40m", "ZZ99");
  int status = 0;
  Host().GetResult(&status);
  Tune(3520000);
  WriteSetting("DXCC", "1");
  Command("SHOWINFO");
  ASSERT_TRUE(WaitCaption(ModuleWindow::Rda, L"QX9-2026  RDA worked on 80m 3"));

  HWND button = GetDlgItem(Shown(ModuleWindow::Rda), kInfoButton);
  RECT client;
  ASSERT_TRUE(GetClientRect(button, &client));
  Bitmap shown(client.right, client.bottom), expected(client.right, client.bottom);
  SendMessageW(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(shown.dc), PRF_CLIENT);
  DrawExpected(expected, {"AB01", "MO01", "MO05"});
  const auto a = shown.Pixels(), b = expected.Pixels();
  int differing = 0;
  for (std::size_t i = 0; i < a.size(); ++i) differing += a[i] != b[i];
  EXPECT_EQ(differing, 0) << "pixels differ from the sorted district view ("
                          << client.right << " x " << client.bottom << ")";
}

}  // namespace
}  // namespace session
