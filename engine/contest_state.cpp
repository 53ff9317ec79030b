#include "engine/contest_state.h"

#include "platform/lock.h"

namespace stats {
namespace {

// Guards every object below. Defined first, so that it is made before them
// and goes after them when the module unloads.
Lock g_stateLock;

// The contest state, reachable only through a ContestStateLock.
QsoLog g_arrLog;
TextList g_arrBands;
TextIndex g_setNotedBands;
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

}  // namespace

const std::string g_strIniSection = "Settings";
const std::string g_strIniFile = "Plugins\\" STATS_CONTEST_NAME ".ini";

ContestStateLock::ContestStateLock() { g_stateLock.lock(); }
ContestStateLock::~ContestStateLock() { g_stateLock.unlock(); }

QsoLog& ContestStateLock::Log() const { return g_arrLog; }
TextList& ContestStateLock::Bands() const { return g_arrBands; }
TextIndex& ContestStateLock::BandIndex() const { return g_setNotedBands; }
PerBand& ContestStateLock::BandRows() const { return g_arrBandRows; }
PerBand& ContestStateLock::RdaByBand() const { return g_arrRdaByBand; }
PerBand& ContestStateLock::MoscowByBand() const { return g_arrMoscowByBand; }
CodeList& ContestStateLock::RdaCodes() const { return g_arrRdaCodes; }
int& ContestStateLock::Russian() const { return g_bRussian; }
int& ContestStateLock::Output() const { return g_bOutput; }
int& ContestStateLock::Start() const { return g_nStart; }
std::string& ContestStateLock::OwnCall() const { return g_strOwnCall; }
std::string& ContestStateLock::EndDate() const { return g_strEndDate; }
std::string& ContestStateLock::EndYear() const { return g_strEndYear; }

void RestoreLoadState() {
  const ContestStateLock state;
  g_arrLog.Clear();
  g_arrBands.clear();
  g_setNotedBands.clear();
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
