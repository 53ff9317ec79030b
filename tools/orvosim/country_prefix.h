#pragma once
// The worked station's country prefix as the host passes it to plug-ins.
// Only "UA" (European Russia), "UA2" (Kaliningrad) and "UA9" (Asiatic
// Russia) change what a contest module expects; every other station gets a
// short best-effort prefix such as "DL" or "UR".
//
// Order of the rules: an override given for that exact call, then the ADIF
// DXCC entity of the record, then the callsign itself.
#include <map>
#include <string>
#include <string_view>

namespace orvosim {

// Entities 54, 126 and 15 are the three Russian ones. Another known entity
// gives its usual prefix; an unknown one gives the callsign's leading
// characters (PrefixOfForeignCall), never a Russian prefix. 0 or a negative
// number: no entity (empty result).
std::string PrefixFromDxcc(int dxcc, std::string_view call);

// From the callsign alone. Russian blocks are R and UA to UI: call area
// 0, 8 or 9 gives "UA9"; area 2 followed by F or K (the Kaliningrad
// series UA2F, RA2F, RK2K...) gives "UA2"; any other area, or none, "UA".
// Portable forms are understood: "DL/R3ABC" takes the prefix of "DL",
// "R3ABC/9" moves the station to area 9; "/P", "/M", "/QRP" change nothing.
std::string PrefixFromCall(std::string_view call);

// The leading characters before the call-area digit ("DL1ABC" -> "DL",
// "4L1AB" -> "4L"); the whole text when it has no such digit.
std::string PrefixOfForeignCall(std::string_view call);

class CountryPrefixRule {
 public:
  // "CALL=PFX"; false when the text is not of that form.
  bool AddOverride(std::string_view assignment);
  void AddOverride(std::string_view call, std::string_view prefix);

  std::string PrefixFor(std::string_view call, int dxcc) const;

 private:
  std::map<std::string, std::string> m_overrides;  // upper-case call -> prefix
};

}  // namespace orvosim
