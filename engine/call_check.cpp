#include "engine/call_check.h"

#include <algorithm>
#include <cstring>

#include "engine/contest_state.h"
#include "engine/display_port.h"
#include "platform/format_text.h"
#include "platform/platform.h"

namespace stats {
namespace {

constexpr const char* kWarningEnglish = "QSO WITH %s WHILE IT IS IMPOSSIBLE !!!";
// "QSO c %s в текущем туре невозможно !!!" in Windows-1251; the "c" is Latin.
constexpr const char* kWarningRussian =
    "QSO c %s \xE2 \xF2\xE5\xEA\xF3\xF9\xE5\xEC \xF2\xF3\xF0\xE5 "
    "\xED\xE5\xE2\xEE\xE7\xEC\xEE\xE6\xED\xEE !!!";

}  // namespace

std::string CallWarning(std::string_view call) {
  const std::string callText(call);
  int russian;
  {
    const ContestStateLock state;
    russian = state.Russian();
  }
  return FormatText(russian ? kWarningRussian : kWarningEnglish, callText.c_str());
}

int CheckCall(std::string_view call, std::string_view mode, std::string_view band, char* warning,
              Platform& platform) {
  const int hour = platform.NowUtc().hour;
  DisplayPort& display = CurrentDisplay();
  if (display.IsOpen()) display.RequestRefresh();
  bool blocked;
  {
    const ContestStateLock state;
    blocked = state.Log().IsWorkedInTourOf(call, band, mode, hour);
  }
  if (!blocked) return 1;
  if (warning != nullptr) {
    const std::string text = CallWarning(call);
    const std::size_t length = std::min(text.size(), kWarningBufferSize - 1);
    std::memcpy(warning, text.data(), length);
    warning[length] = '\0';
  }
  return 4;
}

}  // namespace stats
