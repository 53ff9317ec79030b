#include "ui/update_step.h"

#include <string>

#include "engine/display_snapshot.h"
#include "engine/setting_number.h"
#include "ui/button_content.h"
#include "ui/display_state.h"
#include "ui/display_windows.h"
#include "ui/host_link.h"
#include "ui/update_text.h"
#include "ui/window_position.h"

namespace stats {

namespace {

// Only the low byte of the settings that reopen the windows counts.
constexpr int kFlagBits = 0xFF;

constexpr const char* kFrequencyMacro = "<SP1>";

bool SettingIsOn(Platform& platform, const char* key) {
  return (ReadSettingNumber(platform, key, NumberReading::kAtoi) & kFlagBits) != 0;
}

void ReopenWindows(Platform& platform, DisplayWindows& windows) {
  if (SettingIsOn(platform, kMoscowShownKey) && !windows.IsMoscowWindowOpen()) {
    windows.OpenMoscowWindow();
  }
  if (SettingIsOn(platform, kRdaShownKey) && !windows.IsRdaWindowOpen()) {
    windows.OpenRdaWindow();
  }
}

// What the step has read and composed so far, for the RDA window's button.
struct StepReadings {
  const DisplaySnapshot& snapshot;
  int snapshotBand;  // the band whose lists the snapshot holds
  PerBand rows;      // the seeded rows with the step's columns
};

void HandOverButtonContent(const StepReadings& readings) {
  g_buttonContent = ComposeButtonContent(g_strCurCall, g_nCurBand, readings.rows,
                                         readings.snapshot, readings.snapshotBand,
                                         g_buttonContent.get());
}

// Rows, and the call line as the RDA window's caption while a call is typed.
void ApplyCallPart(const CallPart& part, const StepReadings& readings, DisplayWindows& windows) {
  HandOverButtonContent(readings);
  if (!g_strCurCall.empty() && windows.IsRdaWindowOpen()) windows.SetRdaCaption(part.callLine);
}

void ApplyFrequencyPart(const FrequencyPart& part, const StepReadings& readings,
                        DisplayWindows& windows) {
  g_nCurBand = part.band;
  HandOverButtonContent(readings);
  if (windows.IsMoscowWindowOpen()) windows.SetMoscowCaption(part.moscowLine);
  // With a call typed the RDA window keeps the call line.
  if (g_strCurCall.empty() && windows.IsRdaWindowOpen()) windows.SetRdaCaption(part.rdaLine);
  if (windows.IsMoscowWindowOpen()) windows.SetMoscowTicks(part.ticks);
  if (windows.IsRdaWindowOpen()) windows.RepaintRdaButton();
}

}  // namespace

// The frequency is read before the snapshot is taken, since the snapshot
// holds the lists of the frequency's band; the effects still follow the
// order call, macro, band: a frequency that cannot be read leaves the call's
// rows and caption applied and ends the step before the macro.
//
// g_dLastMacroFreq moves only once the host has run the macro: a macro that
// failed is not taken as sent, so the next step tries it again.
void RunUpdateStep(Platform& platform, HostLink* host, DisplayWindows& windows) {
  windows.KillUpdateTimer();
  ReopenWindows(platform, windows);
  if (host == nullptr) return;

  std::string call;
  if (!host->ReadEntryField(call)) return;
  g_strCurCall = call;

  double hz = 0.0;
  const bool haveFrequency = host->ReadFrequency(hz);
  const int band = haveFrequency ? BandIndexOfFrequency(hz) : -1;
  const DisplaySnapshot snapshot = TakeDisplaySnapshot(g_strCurCall, band);

  const CallPart callPart = ComposeCallPart(g_strCurCall, snapshot);
  const StepReadings readings{snapshot, band, RowsWithColumns(snapshot.seededRows, callPart.columns)};
  ApplyCallPart(callPart, readings, windows);
  if (!haveFrequency) return;

  const FrequencyPart part = ComposeFrequencyPart(hz, g_dLastMacroFreq, snapshot);
  if (part.sendMacro) {
    if (!host->RunMacro(kFrequencyMacro)) return;
    g_dLastMacroFreq = part.lastMacroFreq;
  }
  ApplyFrequencyPart(part, readings, windows);
}

}  // namespace stats
