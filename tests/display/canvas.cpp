#include "canvas.h"

#include <algorithm>

namespace display_test {

Canvas::Canvas(int width, int height, uint32_t rgb)
    : m_nWidth(width), m_nHeight(height), m_dc(nullptr) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  m_bitmap.reset(CreateDIBSection(m_dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!m_dc || !m_bitmap || bits == nullptr) return;
  m_pBits = static_cast<uint32_t*>(bits);
  m_selected.emplace(m_dc.get(), m_bitmap.get());
  std::fill(m_pBits, m_pBits + static_cast<size_t>(width) * height, rgb);
}

uint32_t Canvas::Pixel(int x, int y) const {
  GdiFlush();
  return m_pBits[static_cast<size_t>(y) * m_nWidth + x] & 0xFFFFFF;
}

int Canvas::CountOtherThan(const RECT& area, uint32_t rgb) const {
  int count = 0;
  for (int y = std::max<int>(area.top, 0); y < std::min<int>(area.bottom, m_nHeight); ++y) {
    for (int x = std::max<int>(area.left, 0); x < std::min<int>(area.right, m_nWidth); ++x) {
      if (Pixel(x, y) != rgb) ++count;
    }
  }
  return count;
}

std::optional<POINT> Canvas::FirstDifference(const Canvas& other) const {
  for (int y = 0; y < std::min(m_nHeight, other.m_nHeight); ++y) {
    for (int x = 0; x < std::min(m_nWidth, other.m_nWidth); ++x) {
      if (Pixel(x, y) != other.Pixel(x, y)) return POINT{x, y};
    }
  }
  if (m_nWidth != other.m_nWidth || m_nHeight != other.m_nHeight) return POINT{-1, -1};
  return std::nullopt;
}

}  // namespace display_test
