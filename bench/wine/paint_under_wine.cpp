// The information button's whole paint on the Windows platform (run under
// wine): milliseconds per paint into a memory bitmap of 600 x 400 pixels at
// 96 DPI, as much larger as the display's scale makes the window (run it at
// several scales by setting the prefix's LogPixels), district view with
// 2,600 RDA districts on the current band, and the call view.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

#include "engine/contest_state.h"
#include "ui/display_state.h"
#include "ui/rda_button_win.h"

namespace {

constexpr int kWidthAt96 = 600;
constexpr int kHeightAt96 = 400;
constexpr int kDistricts = 2600;
constexpr int kPaints = 300;

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Four-character codes, sorted as the update step hands them over.
stats::TextList SortedDistricts() {
  stats::TextList districts;
  for (int i = 0; i < kDistricts; ++i) {
    const int n = (i * 7919) % kDistricts;
    char code[8];
    std::snprintf(code, sizeof code, "%c%c%02d", 'A' + n / 100 % 26, 'A' + n / 2600 % 26, n % 100);
    districts.push_back(code);
  }
  std::sort(districts.begin(), districts.end());
  return districts;
}

double MillisecondsPerPaint(HDC target, const RECT& item) {
  stats::PaintInfoButton(target, item);  // warm-up
  LARGE_INTEGER from, to;
  QueryPerformanceCounter(&from);
  for (int i = 0; i < kPaints; ++i) stats::PaintInfoButton(target, item);
  QueryPerformanceCounter(&to);
  return Seconds(from, to) * 1e3 / kPaints;
}

}  // namespace

int main() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  const RECT item{0, 0, MulDiv(kWidthAt96, dpi, 96), MulDiv(kHeightAt96, dpi, 96)};
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, item.right, item.bottom);
  HGDIOBJ previous = SelectObject(memory, bitmap);

  auto content = std::make_shared<stats::ButtonContent>();
  content->band = 1;
  content->sortedDistricts = SortedDistricts();
  stats::g_buttonContent = content;
  const double districtView = MillisecondsPerPaint(memory, item);

  content = std::make_shared<stats::ButtonContent>();
  content->call = "R3XYZ";
  content->band = 1;
  for (int band = 0; band < stats::kBandCount; ++band) {
    content->bandRows[band] = {std::string(stats::kBandOrder[band]), "13:10", "MO", "   -"};
  }
  stats::g_buttonContent = content;
  const double callView = MillisecondsPerPaint(memory, item);

  std::printf("| information button, district view, %d districts, %ldx%ld at %d DPI | %.2f ms |\n",
              kDistricts, item.right, item.bottom, dpi, districtView);
  std::printf("| information button, call view, %ldx%ld at %d DPI | %.2f ms |\n", item.right,
              item.bottom, dpi, callView);

  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return 0;
}
