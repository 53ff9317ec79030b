#pragma once
// A QSO as the host hands it to AddData0 and RemoveData0, for the tests that
// feed the log through the exports: the arguments the plug-in reads are
// named, every other position is empty. The intake and export tests check
// the positions themselves and keep their own argument lists.
#include "platform/ole_date_time.h"
#include "plugin/exports.h"

struct HostQso {
  const char* ownCall = "R1AA";
  const char* call = "DL1ABC";
  ATL::COleDateTime time;
  unsigned int freqHz = 3580000u;
  const char* mode = "RTTY";
  const char* rstSent = "599";
  const char* rstRcvd = "599";
  const char* sent = "001";
  const char* rcvd = "0017";
  const char* countryPrefix = "DL";
  const char* band = "80m";
};

// AddData0 and RemoveData0 take the same arguments.
using HostQsoExport = decltype(&AddData0);

inline int PassToHostExport(HostQsoExport entry, HostQso qso) {
  return entry(qso.ownCall, qso.call, &qso.time, nullptr, nullptr, nullptr, 0u, qso.freqHz,
               qso.mode, qso.rstSent, qso.rstRcvd, qso.sent, qso.rcvd, "", "", "", "", "", "", "",
               "", "", qso.countryPrefix, 0, 0, 0, 0.0, 0.0, "", "", "", qso.band, "");
}

inline int AddAsHost(const HostQso& qso) { return PassToHostExport(&AddData0, qso); }
inline int RemoveAsHost(const HostQso& qso) { return PassToHostExport(&RemoveData0, qso); }
