#include "reports/result_request.h"

#include "engine/contest_state.h"
#include "reports/cabrillo.h"
#include "reports/result.h"

namespace stats {
namespace {

bool InOutputMode() {
  const ContestStateLock state;
  return state.Output() != 0;
}

}  // namespace

ResultAnswer AnswerResultRequest(Platform& platform) {
  ComputeResult(platform);
  ResultAnswer answer{g_strResult.c_str(), std::nullopt};
  // The export writes a file and shows a message: not under the lock.
  if (InOutputMode()) {
    ExportCabrillo(g_nScore, platform);
    answer.value = kOutputModeResultValue;
  }
  return answer;
}

}  // namespace stats
