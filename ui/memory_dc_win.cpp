#include "ui/memory_dc_win.h"

namespace stats {

bool IsPrintingContext(HDC dc) {
  const DWORD type = GetObjectType(dc);
  if (type == OBJ_ENHMETADC || type == OBJ_METADC) return true;
  return GetDeviceCaps(dc, TECHNOLOGY) == DT_RASPRINTER;
}

CMemDC::CMemDC(HDC target) : m_hTargetDC(target) {
  if (!IsPrintingContext(target)) m_bOffscreen = PrepareOffscreen();
  if (!m_bOffscreen) {
    // Whatever was made for the bitmap is given back now; drawing goes
    // straight to the target.
    m_oldBitmap.reset();
    m_bmpOffscreen.reset();
    m_memDc.reset();
  }
}

bool CMemDC::PrepareOffscreen() {
  const int region = GetClipBox(m_hTargetDC, &m_rcArea);
  const int width = m_rcArea.right - m_rcArea.left;
  const int height = m_rcArea.bottom - m_rcArea.top;
  if (region == ERROR || width <= 0 || height <= 0) return false;
  m_memDc.emplace(m_hTargetDC);
  if (!*m_memDc) return false;
  // Compatible with the target, not with the memory context, which starts
  // with a one-pixel monochrome bitmap.
  m_bmpOffscreen.reset(CreateCompatibleBitmap(m_hTargetDC, width, height));
  if (!m_bmpOffscreen) return false;
  m_oldBitmap.emplace(m_memDc->get(), m_bmpOffscreen.get());
  SetWindowOrgEx(m_memDc->get(), m_rcArea.left, m_rcArea.top, nullptr);
  return true;
}

CMemDC::~CMemDC() {
  if (!m_bOffscreen) return;
  BitBlt(m_hTargetDC, m_rcArea.left, m_rcArea.top, m_rcArea.right - m_rcArea.left,
         m_rcArea.bottom - m_rcArea.top, m_memDc->get(), m_rcArea.left, m_rcArea.top, SRCCOPY);
}

}  // namespace stats
