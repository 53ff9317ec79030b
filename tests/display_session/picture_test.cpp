// What the RDA window's button shows, read back as pixels: the districts of
// the current band, sorted, in the grid that starts at (5, 15).
#include <vector>

#include "resources/resource.h"
#include "session_fixture.h"

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

// The district view as it must look: the light-yellow fill and the texts in
// the context's default font.
void DrawExpected(Bitmap& picture, const std::vector<const char*>& districts) {
  RECT all = {0, 0, picture.width, picture.height};
  HBRUSH fill = CreateSolidBrush(RGB(255, 250, 198));
  FillRect(picture.dc, &all, fill);
  DeleteObject(fill);
  SetBkMode(picture.dc, TRANSPARENT);
  int x = 5, y = 15;
  for (const char* text : districts) {
    TextOutA(picture.dc, x, y, text, lstrlenA(text));
    x += 40;
    if (x > picture.width - 40) {
      x = 5;
      y += 15;
    }
  }
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
