#include "reports/cabrillo.h"

#include <string_view>

#include "engine/contest_rules.h"
#include "engine/contest_state.h"
#include "platform/format_text.h"
#include "reports/station.h"

namespace stats {
namespace {

constexpr const char* kHostName = "Orvo";

constexpr std::string_view kSoapboxTag = "SOAPBOX: ";

std::string CabrilloFileName(const CCabrilloLog& log) { return log.m_strFileBase + ".cbr"; }

// One "SOAPBOX: " line per soapbox line. In its file form the soapbox
// carries the tag of every further line already; otherwise (no confirmed
// dialog) its bare line breaks must not start untagged lines.
void AppendSoapbox(std::string& text, const CCabrilloLog& log) {
  const std::string& soapbox = log.m_strSoapbox;
  if (log.m_bSoapboxFileForm) {
    text.append(kSoapboxTag).append(soapbox).append("\r\n");
    return;
  }
  std::size_t start = 0;
  do {
    std::size_t end = soapbox.find_first_of("\r\n", start);
    if (end == std::string::npos) end = soapbox.size();
    text.append(kSoapboxTag).append(soapbox, start, end - start).append("\r\n");
    if (end < soapbox.size() && soapbox.compare(end, 2, "\r\n") == 0) ++end;
    start = end + 1;
  } while (start <= soapbox.size());
}

}  // namespace

std::string FormatQsoLine(const QsoLineFields& qso) {
  const std::string when = qso.time != nullptr ? qso.time->Format("%Y-%m-%d %H%M") : std::string();
  return FormatText("QSO: %5i %2s %s %-13s %-3s %-6s %-13s %-3s %s\r\n", qso.freqKHz,
                    qso.mode.c_str(), when.c_str(), qso.stationCall.c_str(), qso.rstSent.c_str(),
                    qso.sent.c_str(), qso.workedCall.c_str(), qso.rstRcvd.c_str(),
                    qso.rcvd.c_str());
}

void CCabrilloLog::AddQsoLine(const std::string& call, int freqKHz, const std::string& mode,
                              const ATL::COleDateTime* time, const std::string& rstSent,
                              const std::string& sent, const std::string& rstRcvd,
                              const std::string& rcvd) {
  m_arrQsoLines.push_back(
      FormatQsoLine({m_strCallsign, freqKHz, mode, time, rstSent, sent, call, rstRcvd, rcvd}));
}

std::string VersionText(const FileVersion& version) {
  if (version.major == 2) return FormatText("%d.%d", version.major, version.minor);
  return FormatText("%d.%d.%d", version.major, version.minor, version.third);
}

std::optional<std::string> HostVersionText(Platform& platform) {
  for (const std::string& name : platform.ListDirectory("*.exe")) {
    if (name.find(kHostName) == std::string::npos) continue;
    const std::optional<FileVersion> version = platform.ReadFileVersion(name);
    if (!version) return std::nullopt;
    return VersionText(*version);
  }
  return std::nullopt;
}

std::string CabrilloText(const CCabrilloLog& log, long long score,
                         const std::optional<std::string>& hostVersion) {
  std::string text = "START-OF-LOG: 3.0\r\nCONTEST: " STATS_CONTEST_NAME "\r\n";
  auto line = [&text](const char* tag, const std::string& value) {
    text.append(tag).append(value).append("\r\n");
  };
  line("CALLSIGN: ", log.m_strCallsign);
  line("CATEGORY-OPERATOR: ", log.m_strCategoryOperator);
  line("CATEGORY-BAND: ", log.m_strCategoryBand);
  line("CATEGORY-MODE: ", std::string(kCabrilloCategoryMode));
  line("LOCATION: ", log.m_strLocation);
  line("CLAIMED-SCORE: ", std::to_string(score));
  line("CLUB: ", log.m_strClub);
  line("CREATED-BY: Orvo ", hostVersion.value_or(""));
  line("NAME: ", log.m_strName);
  line("ADDRESS: ", log.m_strAddress);
  line("ADDRESS-CITY: ", log.m_strCity);
  line("ADDRESS-POSTALCODE: ", log.m_strPostalCode);
  line("ADDRESS-COUNTRY: ", log.m_strCountry);
  line("E-MAIL: ", log.m_strEmail);
  AppendSoapbox(text, log);
  for (const std::string& qso : log.m_arrQsoLines) text += qso;
  text += "END-OF-LOG:\r\n";
  return text;
}

CCabrilloLog::WriteOutcome CCabrilloLog::WriteCabrillo(long long score, Platform& platform) const {
  const std::string name = CabrilloFileName(*this);
  const std::string text = CabrilloText(*this, score, HostVersionText(platform));
  std::string reason;
  if (!platform.WriteFile(name, text, &reason)) {
    return {false, "File not produced: " + name + " could not be written (" + reason + ")"};
  }
  return {true, "File produced: " + name};
}

void ExportCabrillo(long long score, Platform& platform) {
  // Each export writes every QSO once: lines of an earlier export are
  // dropped before the log is formatted again.
  g_cabrilloLog.m_arrQsoLines.clear();
  {
    const ContestStateLock state;
    for (const CInfo& qso : state.Log()) {
      g_cabrilloLog.AddQsoLine(qso.m_strCall, qso.m_nFreqKHz,
                               std::string(qso.m_strMode == kContestMode ? kCabrilloMode : "??"),
                               &qso.m_dtTime, qso.m_strRstSent, qso.m_strSent, qso.m_strRstRcvd,
                               qso.m_strRcvd);
    }
  }
  const CCabrilloLog::WriteOutcome outcome = g_cabrilloLog.WriteCabrillo(score, platform);
  platform.ShowMessage(outcome.message, "Output",
                       outcome.written ? MessageIcon::Information : MessageIcon::Error);
}

}  // namespace stats
