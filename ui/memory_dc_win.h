#pragma once
// An off-screen drawing context for one paint: drawing made on Dc() lands in
// a bitmap the size of the target's clip box, in the target's own logical
// coordinates, and reaches the target in one copy when the object goes. So
// a window that repaints again and again shows no half-drawn picture.
//
// A printing or metafile context gets the drawing directly (a bitmap copy
// there would print a screen-resolution picture), and so does any target
// for which the bitmap cannot be made: the picture is then drawn straight,
// which flickers but is never lost.
#include <windows.h>

#include <optional>

#include "platform/win32_handles.h"

namespace stats {

class CMemDC {
 public:
  // `target` is borrowed and must outlive the object.
  explicit CMemDC(HDC target);
  ~CMemDC();
  CMemDC(const CMemDC&) = delete;
  CMemDC& operator=(const CMemDC&) = delete;

  // The context to draw on: the memory context, or the target itself.
  HDC Dc() const { return m_bOffscreen ? m_memDc->get() : m_hTargetDC; }
  bool IsOffscreen() const { return m_bOffscreen; }
  // The area covered, in the target's logical coordinates.
  const RECT& Area() const { return m_rcArea; }

 private:
  bool PrepareOffscreen();

  HDC m_hTargetDC;
  RECT m_rcArea{};
  bool m_bOffscreen = false;
  // Released in reverse order: the old bitmap goes back, then the bitmap
  // and the memory context are deleted.
  std::optional<UniqueMemoryDc> m_memDc;
  UniqueBitmap m_bmpOffscreen;
  std::optional<SelectGuard> m_oldBitmap;
};

// True for a context whose output is not a screen bitmap: a printer or a
// metafile being recorded.
bool IsPrintingContext(HDC dc);

}  // namespace stats
