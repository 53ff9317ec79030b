#include "window_capture_win.h"

#include <fstream>
#include <vector>

#include "platform/win32_handles.h"

namespace host {
namespace {

// Bottom-up 24-bit rows, each padded to four bytes.
bool WriteBmp(const std::string& path, const BITMAPINFOHEADER& info,
              const std::vector<char>& pixels) {
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info), sizeof info);
  out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
  return static_cast<bool>(out.flush());
}

BOOL CALLBACK NoteChildToPaint(HWND child, LPARAM pending) {
  if (!GetUpdateRect(child, nullptr, FALSE)) return TRUE;
  *reinterpret_cast<bool*>(pending) = true;
  return FALSE;
}

bool HasPaintPending(HWND window) {
  if (GetUpdateRect(window, nullptr, FALSE)) return true;
  bool pending = false;
  EnumChildWindows(window, &NoteChildToPaint, reinterpret_cast<LPARAM>(&pending));
  return pending;
}

constexpr int kPaintPolls = 100;
constexpr DWORD kPaintPollMs = 10;
constexpr UINT kLoopReturnTimeoutMs = 1000;

}  // namespace

void WaitUntilPainted(HWND window) {
  for (int poll = 0; poll < kPaintPolls && HasPaintPending(window); ++poll) Sleep(kPaintPollMs);
  // The update region is emptied as the paint handler starts, not as it
  // ends; a sent message is taken only once the owning thread is back in
  // its message loop, after the handler.
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kLoopReturnTimeoutMs, &ignored);
}

bool SaveWindowBitmap(HWND window, const std::string& path) {
  RECT frame{};
  if (!GetWindowRect(window, &frame)) return false;
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  stats::WindowDc source(window, stats::WindowDc::Area::Window);
  stats::UniqueMemoryDc memory(source.get());
  stats::UniqueBitmap bitmap(CreateCompatibleBitmap(source.get(), width, height));
  if (!source || !memory || !bitmap) return false;
  {
    stats::SelectGuard selected(memory.get(), bitmap.get());
    if (!BitBlt(memory.get(), 0, 0, width, height, source.get(), 0, 0, SRCCOPY)) return false;
  }
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  const int stride = (width * 3 + 3) & ~3;
  std::vector<char> pixels(static_cast<size_t>(stride) * height);
  if (!GetDIBits(memory.get(), bitmap.get(), 0, height, pixels.data(),
                 reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS)) {
    return false;
  }
  info.biSizeImage = static_cast<DWORD>(pixels.size());
  return WriteBmp(path, info, pixels);
}

}  // namespace host
