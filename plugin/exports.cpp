// The export layer: translates the host's arguments for the engine and lets
// nothing escape across the boundary. A null text from the host reads as the
// empty text everywhere.
#include "plugin/exports.h"

#include <string>
#include <string_view>

#include "engine/call_check.h"
#include "engine/display_port.h"
#include "engine/exchange.h"
#include "engine/exchange_sets.h"
#include "engine/intake.h"
#include "engine/qso_arguments.h"
#include "platform/platform.h"
#include "plugin/contest_reset.h"
#include "plugin/display_command.h"
#include "platform/fault_boundary.h"
#include "reports/result_request.h"

namespace {

constexpr const char* kEmptyText = "";

// What RunCommand0 returns: always empty, alive as long as the module.
const std::string g_strCommandResult;

std::string_view Text(const char* text) {
  return text != nullptr ? std::string_view(text) : std::string_view();
}

using stats::Shielded;

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
  return Shielded("AddData0", 0, [&] {
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
  return Shielded("RemoveData0", 0, [&] {
    return stats::RemoveQso(QsoOf(ownCall, call, time, freqHz, mode, rstSent, rstRcvd, sent, rcvd,
                                  countryPrefix, extra, band));
  });
}

int CheckCall0(HostText call, unsigned int, unsigned int, HostText mode, HostText, HostText,
               HostText, HostText, HostText, HostText, HostText, HostText, HostText, HostText, int,
               int, int, double, double, HostText, HostText, HostText, HostText, HostText,
               HostText band, HostText, char*, char* warning) {
  return Shielded("CheckCall0", 1, [&] {
    return stats::CheckCall(Text(call), Text(mode), Text(band), warning, stats::CurrentPlatform());
  });
}

int IsValidExchg0(HostText exchange, HostText, HostText countryPrefix, HostText, int, int, int) {
  return Shielded("IsValidExchg0", 0, [&] {
    return stats::IsValidExchange(Text(exchange), Text(countryPrefix)) ? 1 : 0;
  });
}

// Also exported as GetExchgCount0.
int GetNumberOfSets() { return stats::ExchangeSetCount(); }

HostText GetSetName(int index) { return stats::ExchangeSetName(index); }

void SetupSet0() {
  Shielded("SetupSet0", 0, [] {
    stats::RunExchangeSetSetup(stats::CurrentPlatform());
    return 0;
  });
}

int ResetStats0(HostText, int outputMode, HostText ownCall, HostDate, HostDate end, HostText,
                HostText, HostText, HostText, HostText, HostText, HostText, HostText, HostText,
                HostText ownCountryPrefix, int, int, int, double, double, HostText, HostText,
                HostText) {
  return Shielded("ResetStats0", 1, [&] {
    return stats::ResetContest(outputMode, Text(ownCall), stats::CopyHostDateTime(end),
                               Text(ownCountryPrefix), stats::CurrentPlatform());
  });
}

HostText GetResult0(int* result) {
  return Shielded("GetResult0", static_cast<HostText>(kEmptyText), [&] {
    const stats::ResultAnswer answer = stats::AnswerResultRequest(stats::CurrentPlatform());
    if (answer.value && result != nullptr) *result = *answer.value;
    return answer.text;
  });
}

HostText RunCommand0(int, HostText command) {
  Shielded("RunCommand0", 0, [&] {
    stats::RunDisplayCommand(Text(command), stats::CurrentDisplay());
    return 0;
  });
  return g_strCommandResult.c_str();
}

}  // extern "C"
