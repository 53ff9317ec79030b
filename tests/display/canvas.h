#pragma once
// A bitmap in memory to paint into and read back: 32 bits a pixel, top row
// first, selected into a memory context for as long as the canvas lives.
#include <windows.h>

#include <cstdint>
#include <optional>

#include "platform/win32_handles.h"

namespace display_test {

class Canvas {
 public:
  // Every pixel starts as `rgb` (0xRRGGBB).
  Canvas(int width, int height, uint32_t rgb = 0x000000);
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  bool IsReady() const { return m_pBits != nullptr; }
  HDC Dc() const { return m_dc.get(); }
  int Width() const { return m_nWidth; }
  int Height() const { return m_nHeight; }

  uint32_t Pixel(int x, int y) const;  // 0xRRGGBB
  // Pixels inside `area` (clipped to the canvas) whose colour is not `rgb`.
  int CountOtherThan(const RECT& area, uint32_t rgb) const;
  // The first pixel where the two canvases differ; none when they match.
  std::optional<POINT> FirstDifference(const Canvas& other) const;

 private:
  int m_nWidth;
  int m_nHeight;
  stats::UniqueMemoryDc m_dc;
  stats::UniqueBitmap m_bitmap;
  uint32_t* m_pBits = nullptr;  // owned by m_bitmap
  std::optional<stats::SelectGuard> m_selected;
};

}  // namespace display_test
