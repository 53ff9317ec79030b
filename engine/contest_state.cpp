#include "engine/contest_state.h"

namespace stats {

QsoLog g_arrLog;
TextList g_arrBands;
PerBand g_arrBandRows;
PerBand g_arrRdaByBand;
PerBand g_arrMoscowByBand;
CodeList g_arrRdaCodes;
int g_bRussian = 0;
int g_bOutput = 0;
int g_nStart = 0;
std::string g_strOwnCall;
std::string g_strEndDate;
std::string g_strEndYear;
const std::string g_strIniSection = "Settings";
const std::string g_strIniFile = "Plugins\\KESTREL-RTTY.ini";
std::mutex g_stateLock;

int BandSlot(std::string_view band) {
  for (int slot = 0; slot < kBandCount; ++slot) {
    if (kBandOrder[slot] == band) return slot;
  }
  return -1;
}

void RestoreLoadState() {
  std::lock_guard<std::mutex> lock(g_stateLock);
  g_arrLog.Clear();
  g_arrBands.clear();
  for (int slot = 0; slot < kBandCount; ++slot) {
    g_arrBandRows[slot].clear();
    g_arrRdaByBand[slot].clear();
    g_arrMoscowByBand[slot].clear();
  }
  g_arrRdaCodes.Clear();
  g_bRussian = 0;
  g_bOutput = 0;
  g_nStart = 0;
  g_strOwnCall.clear();
  g_strEndDate.clear();
  g_strEndYear.clear();
}

}  // namespace stats
