#include "engine/journal.h"

#include <string>

namespace stats {

const char* RefusalText(Refusal reason) {
  switch (reason) {
    case Refusal::NoContestBand: return "   NO CONTEST BAND !!!";
    case Refusal::NoTestMode: return "   NO TEST MODE !!!";
    case Refusal::NoRxNumber: return "   NO RX NUMBER !!!";
    case Refusal::MoscowDistrict: return "  Russland Code Area is not acceptable !!!";
    case Refusal::RdaDistrict: return "  Russland District Area Code is not acceptable !!!";
  }
  return "";
}

std::string FormatJournalLine(const QsoArguments& qso, Refusal reason,
                              std::string_view candidate) {
  std::string line;
  line.reserve(160);
  line += "QSO:  ";
  line += std::to_string(qso.freqHz / 1000);
  line.append("  ").append(qso.mode);
  line.append("  ").append(qso.time.Format("%Y-%m-%d %H%M"));
  for (std::string_view piece :
       {qso.ownCall, qso.rstSent, qso.sent, qso.call, qso.rstRcvd, qso.rcvd}) {
    line.append("  ").append(piece);
  }
  if (reason == Refusal::MoscowDistrict || reason == Refusal::RdaDistrict) {
    line.append("  ").append(candidate);
  }
  line.append(RefusalText(reason)).append("\r\n");
  return line;
}

}  // namespace stats
