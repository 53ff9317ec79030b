#include "ui/wide_text_win.h"

namespace stats {

namespace {
constexpr UINT kCyrillicCodePage = 1251;
}

std::wstring WideFrom1251(const std::string& text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int wideLength = MultiByteToWideChar(kCyrillicCodePage, 0, text.data(), length, nullptr, 0);
  if (wideLength <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
  MultiByteToWideChar(kCyrillicCodePage, 0, text.data(), length, wide.data(), wideLength);
  return wide;
}

void SetWindowText1251(HWND window, const std::string& text) {
  SetWindowTextW(window, WideFrom1251(text).c_str());
}

}  // namespace stats
