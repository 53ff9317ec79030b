#pragma once
// What the host passes for one QSO, as the engine reads it. The views point
// into the host's strings and live only for the duration of the call.
#include <string_view>

#include "platform/ole_date_time.h"

namespace stats {

struct QsoArguments {
  std::string_view ownCall;
  std::string_view call;
  ATL::COleDateTime time;
  unsigned int freqHz = 0;
  std::string_view mode;
  std::string_view rstSent;
  std::string_view rstRcvd;
  std::string_view sent;
  std::string_view rcvd;
  std::string_view countryPrefix;
  std::string_view extra;
  std::string_view band;
};

}  // namespace stats
