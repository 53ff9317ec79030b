#pragma once
// The Cabrillo 3.0 file of the contest log.
#include <optional>
#include <string>

#include "platform/ole_date_time.h"
#include "platform/platform.h"

namespace stats {

class CCabrilloLog;

// One "QSO:" line, CR LF included; widths are minimums, nothing is cut.
struct QsoLineFields {
  const std::string& stationCall;  // the sending station
  int freqKHz;
  const std::string& mode;  // kCabrilloMode, or "??" for a QSO in another mode
  const ATL::COleDateTime* time;
  const std::string& rstSent;
  const std::string& sent;
  const std::string& workedCall;
  const std::string& rstRcvd;
  const std::string& rcvd;
};
std::string FormatQsoLine(const QsoLineFields& qso);

// "2.20" for major version 2, "3.1.4" otherwise.
std::string VersionText(const FileVersion& version);

// The version text of the first "*.exe" in the current directory whose name
// contains "Orvo"; nothing when there is none or it has no version resource.
std::optional<std::string> HostVersionText(Platform& platform);

// The whole file, from the header tags to "END-OF-LOG:".
std::string CabrilloText(const CCabrilloLog& log, long long score,
                         const std::optional<std::string>& hostVersion);

// The output-mode step of the result: every QSO of the log into a fresh set
// of pending lines, the file written, the operator told in a message box.
void ExportCabrillo(long long score, Platform& platform);

}  // namespace stats
