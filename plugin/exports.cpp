// The export layer: translates the host's arguments for the engine and lets
// nothing escape across the boundary. A null text from the host reads as the
// empty text everywhere.
#include "plugin/exports.h"

#include <string>
#include <string_view>

#include "engine/call_check.h"
#include "engine/contest_state.h"
#include "engine/display_port.h"
#include "engine/exchange.h"
#include "engine/intake.h"
#include "engine/qso_arguments.h"
#include "platform/platform.h"
#include "plugin/contest_reset.h"
#include "plugin/display_command.h"
#include "reports/cabrillo.h"
#include "reports/result.h"

namespace {

constexpr const char* kSetName = "KESTREL-RTTY (C)";
constexpr const char* kEmptyText = "";

// What RunCommand0 returns: always empty, alive as long as the module.
const std::string g_strCommandResult;

std::string_view Text(const char* text) {
  return text != nullptr ? std::string_view(text) : std::string_view();
}

template <typename Result, typename Body>
Result Shielded(Result fallback, Body&& body) {
  try {
    return body();
  } catch (...) {
    return fallback;
  }
}

stats::QsoArguments QsoOf(HostText ownCall, HostText call, HostDate time, unsigned int freqHz,
                          HostText mode, HostText rstSent, HostText rstRcvd, HostText sent,
                          HostText rcvd, HostText countryPrefix, HostText extra, HostText band) {
  stats::QsoArguments qso;
  qso.ownCall = Text(ownCall);
  qso.call = Text(call);
  qso.time = stats::CopyHostDateTime(time);
  qso.freqHz = freqHz;
  qso.mode = Text(mode);
  qso.rstSent = Text(rstSent);
  qso.rstRcvd = Text(rstRcvd);
  qso.sent = Text(sent);
  qso.rcvd = Text(rcvd);
  qso.countryPrefix = Text(countryPrefix);
  qso.extra = Text(extra);
  qso.band = Text(band);
  return qso;
}

}  // namespace

extern "C" {

int AddData0(HostText ownCall, HostText call, HostDate time, HostDate, HostDate, HostDate,
             unsigned int, unsigned int freqHz, HostText mode, HostText rstSent, HostText rstRcvd,
             HostText sent, HostText rcvd, HostText, HostText, HostText, HostText, HostText,
             HostText, HostText, HostText, HostText, HostText countryPrefix, int, int, int, double,
             double, HostText, HostText extra, HostText, HostText band, HostText) {
  return Shielded(0, [&] {
    return stats::AddQso(QsoOf(ownCall, call, time, freqHz, mode, rstSent, rstRcvd, sent, rcvd,
                               countryPrefix, extra, band),
                         stats::CurrentPlatform());
  });
}

int RemoveData0(HostText ownCall, HostText call, HostDate time, HostDate, HostDate, HostDate,
                unsigned int, unsigned int freqHz, HostText mode, HostText rstSent,
                HostText rstRcvd, HostText sent, HostText rcvd, HostText, HostText, HostText,
                HostText, HostText, HostText, HostText, HostText, HostText, HostText countryPrefix,
                int, int, int, double, double, HostText, HostText extra, HostText, HostText band,
                HostText) {
  return Shielded(0, [&] {
    return stats::RemoveQso(QsoOf(ownCall, call, time, freqHz, mode, rstSent, rstRcvd, sent, rcvd,
                                  countryPrefix, extra, band));
  });
}

int CheckCall0(HostText call, unsigned int, unsigned int, HostText mode, HostText, HostText,
               HostText, HostText, HostText, HostText, HostText, HostText, HostText, HostText, int,
               int, int, double, double, HostText, HostText, HostText, HostText, HostText,
               HostText band, HostText, char*, char* warning) {
  return Shielded(1, [&] {
    return stats::CheckCall(Text(call), Text(mode), Text(band), warning, stats::CurrentPlatform());
  });
}

int IsValidExchg0(HostText exchange, HostText, HostText countryPrefix, HostText, int, int, int) {
  return Shielded(
      0, [&] { return stats::IsValidExchange(Text(exchange), Text(countryPrefix)) ? 1 : 0; });
}

// One exchange field, one contest; also exported as GetExchgCount0.
int GetNumberOfSets() { return 1; }

HostText GetSetName(int index) { return index == 0 ? kSetName : kEmptyText; }

void SetupSet0() {
  Shielded(0, [] {
    stats::CurrentPlatform().ShowMessage("No additional setup for this contest", nullptr,
                                         stats::MessageIcon::None);
    return 0;
  });
}

int ResetStats0(HostText, int outputMode, HostText ownCall, HostDate, HostDate end, HostText,
                HostText, HostText, HostText, HostText, HostText, HostText, HostText, HostText,
                HostText ownCountryPrefix, int, int, int, double, double, HostText, HostText,
                HostText) {
  return Shielded(1, [&] {
    return stats::ResetContest(outputMode, Text(ownCall), stats::CopyHostDateTime(end),
                               Text(ownCountryPrefix), stats::CurrentPlatform());
  });
}

HostText GetResult0(int* result) {
  return Shielded(static_cast<HostText>(kEmptyText), [&] {
    stats::Platform& platform = stats::CurrentPlatform();
    stats::ComputeResult(platform);
    int output;
    {
      const stats::ContestStateLock state;
      output = state.Output();
    }
    // The export writes a file and shows a message: not under the lock.
    if (output != 0) {
      stats::ExportCabrillo(stats::g_nScore, platform);
      if (result != nullptr) *result = -1;
    }
    return stats::g_strResult.c_str();
  });
}

HostText RunCommand0(int, HostText command) {
  Shielded(0, [&] {
    stats::RunDisplayCommand(Text(command), stats::CurrentDisplay());
    return 0;
  });
  return g_strCommandResult.c_str();
}

}  // extern "C"
