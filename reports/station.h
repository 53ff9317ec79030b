#pragma once
// The station data of the Cabrillo header, kept in the settings file and
// confirmed by the operator in the station dialog.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ole_date_time.h"

namespace stats {

class Platform;

// The seventeen fields the station dialog shows and edits.
struct StationFields {
  std::string m_strCallsign;
  std::string m_strName;
  std::string m_strAddress;
  std::string m_strClaimed;  // shown only; edits are dropped
  std::string m_strContest;
  std::string m_strEmail;
  std::string m_strClub;
  std::string m_strSoapbox;
  std::string m_strOperators;  // saved only
  std::string m_strCategoryOperator;
  std::string m_strCategoryBand;
  std::string m_strPower;  // no control; carried through
  std::string m_strLocation;
  std::string m_strCity;
  std::string m_strPostalCode;
  std::string m_strCountry;
  std::string m_strCategoryTransmitter;  // its control is disabled
};

class CCabrilloLog : public StationFields {
 public:
  // Loads the station data, lets the operator confirm them in the dialog
  // and, on OK, saves them and starts a fresh list of QSO lines.
  void SetupStation(const std::string& ownCall, Platform& platform);

  // Formats one QSO line and appends it to the pending lines.
  void AddQsoLine(const std::string& call, int freqKHz, const std::string& mode,
                  const ATL::COleDateTime* time, const std::string& rstSent,
                  const std::string& sent, const std::string& rstRcvd, const std::string& rcvd);

  // Writes "<file base>.cbr" from the station data, the score and the pending
  // lines. Returns the text for the operator: "File produced: <name>" when the
  // whole file was written and closed, otherwise what failed.
  struct WriteOutcome {
    bool written;
    std::string message;
  };
  WriteOutcome WriteCabrillo(long long score, Platform& platform) const;

  std::string m_strFileBase;               // the Cabrillo file's name without ".cbr"
  std::vector<std::string> m_arrQsoLines;  // QSO lines waiting for the file
  // The soapbox is in its file form (every further line already tagged),
  // as a confirmed dialog leaves it; otherwise it holds bare line breaks.
  bool m_bSoapboxFileForm = false;
};

extern CCabrilloLog g_cabrilloLog;

// The longest value (in its stored form) a station key holds in the
// settings file. The settings writer does not keep a value of some tens of
// kilobytes whole and says nothing, so values are shortened to this length,
// well below that, when read and before they are written; the dialog's
// edit fields accept no more either.
inline constexpr std::size_t kMaxStationValue = 4096;

// The longest Cabrillo file base: a callsign is a few dozen characters at
// most, and a longer name is not kept whole by every file system.
inline constexpr std::size_t kMaxFileBase = 64;

// Replaces each occurrence of `from`, scanning on behind every replacement.
void ReplaceAll(std::string& text, std::string_view from, std::string_view to);

// The Cabrillo file's base name for a callsign: "/" and "\" and every
// character a file name cannot hold become "_", blanks around are dropped,
// the rest is cut to kMaxFileBase characters, a device name is prefixed
// with "_" (within the bound), and nothing left gives "NOVL".
std::string CabrilloFileBase(const std::string& ownCall);

// The soapbox's three forms: text (real line breaks), stored ("<CR>" and
// "<LF>" markers on one settings line) and file ("\r\nSOAPBOX: " between
// lines).
std::string SoapboxStoredToText(std::string stored);
std::string SoapboxTextToStored(std::string text);
std::string SoapboxStoredToFile(std::string stored);

// A stored value cut to kMaxStationValue characters; a "<CR>" or "<LF>"
// marker is kept whole or dropped, never cut in half.
std::string BoundStoredValue(std::string stored);

}  // namespace stats
