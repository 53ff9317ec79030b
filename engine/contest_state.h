#pragma once
// The contest's statistics: one instance per loaded module, empty at load,
// filled by the host through the entry points and read by the reports and
// the display thread.
#include <array>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "engine/code_list.h"
#include "engine/qso_log.h"

namespace stats {

// The fixed band order; the index of a band in it is the slot of every
// six-entry per-band table.
inline constexpr std::array<std::string_view, 6> kBandOrder = {"160m", "80m", "40m",
                                                               "20m",  "15m", "10m"};
inline constexpr int kBandCount = static_cast<int>(kBandOrder.size());

// Slot of a band text (exact comparison), or -1 for a band outside the six.
int BandSlot(std::string_view band);

using TextList = std::vector<std::string>;
using PerBand = std::array<TextList, kBandCount>;

extern QsoLog g_arrLog;            // accepted QSOs in order of intake
extern TextList g_arrBands;        // band texts seen, each once
extern PerBand g_arrBandRows;      // per band: band, then the display's columns
extern PerBand g_arrRdaByBand;     // per band: distinct RDA districts worked
extern PerBand g_arrMoscowByBand;  // per band: distinct Moscow districts worked
extern CodeList g_arrRdaCodes;     // valid RDA codes, in the order of the file
extern int g_bRussian;             // 1 selects the Russian wording
extern int g_bOutput;              // output mode of the last reset
extern int g_nStart;               // "Start" as read by the last reset
extern std::string g_strOwnCall;
extern std::string g_strEndDate;  // contest end, "%d.%m.%Y"
extern std::string g_strEndYear;  // contest end, "%Y"
extern const std::string g_strIniSection;
extern const std::string g_strIniFile;

// Settings are read through a buffer of this size: at most 99 characters of
// a stored value come back.
inline constexpr std::size_t kIniBufferSize = 100;

// Held by every entry point while it changes the state, and by the display
// thread while it reads it.
extern std::mutex g_stateLock;

// Puts every value back to what it is when the module has just been loaded.
void RestoreLoadState();

}  // namespace stats
