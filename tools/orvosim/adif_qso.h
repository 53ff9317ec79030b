#pragma once
// One QSO of an ADIF log as the host hands it to a plug-in: the fields the
// contest module reads, checked and put into the host's forms (frequency in
// Hz, band in lower case, mode in upper case, date and time as calendar
// fields in UTC).
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "adif_reader.h"
#include "calendar_time.h"

namespace orvosim {

struct AdifQso {
  int record = 0;
  std::size_t offset = 0;
  std::string call;
  std::string ownCall;  // STATION_CALLSIGN, else OPERATOR, else empty
  CalendarTime time{};
  unsigned int freqHz = 0;  // 0 when the record has no FREQ
  std::string band;         // BAND, else derived from FREQ, else empty
  std::string mode;
  std::string rstSent, rstRcvd;
  std::string sent, rcvd;  // STX_STRING / SRX_STRING, else STX / SRX
  std::string comment;
  int dxcc = 0;  // 0: no entity given
};

// Converts one record; false with a reason when it cannot be a QSO
// (no CALL, bad date or time, unreadable FREQ or DXCC).
bool ToQso(const AdifRecord& record, AdifQso& qso, std::string& reason);

// Reads a whole log; records that fail are added to `problems` and left out.
std::vector<AdifQso> ReadQsos(std::string_view text, std::vector<AdifProblem>& problems);

// "3.5805" MHz -> 3580500 Hz; false for anything that is not a plain
// decimal number of at most 4294 MHz.
bool ParseMegahertz(std::string_view text, unsigned int& hz);

// The amateur band of a frequency ("80m"), or "" outside every band.
std::string BandOfFrequency(unsigned int hz);

}  // namespace orvosim
