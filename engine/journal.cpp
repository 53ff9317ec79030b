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

std::string FormatJournalLine(const QsoArguments& qso, Refusal reason, std::string_view candidate) {
  const std::string when = qso.time.Format("%Y-%m-%d %H%M");
  const std::string kHz = std::to_string(qso.freqHz / 1000);
  const bool district = reason == Refusal::MoscowDistrict || reason == Refusal::RdaDistrict;
  // Pieces after the frequency, each behind two spaces.
  const std::string_view pieces[] = {qso.mode, when,        qso.ownCall, qso.rstSent, qso.sent,
                                     qso.call, qso.rstRcvd, qso.rcvd,    candidate};
  const std::size_t pieceCount = district ? 9 : 8;
  const std::string_view reasonText = RefusalText(reason);

  // Sized once: the journal formats a line for most QSOs of a replay.
  std::size_t size = 6 + kHz.size() + reasonText.size() + 2;
  for (std::size_t i = 0; i < pieceCount; ++i) size += 2 + pieces[i].size();
  std::string line;
  line.reserve(size);
  line.append("QSO:  ").append(kHz);
  for (std::size_t i = 0; i < pieceCount; ++i) line.append("  ").append(pieces[i]);
  line.append(reasonText).append("\r\n");
  return line;
}

}  // namespace stats
