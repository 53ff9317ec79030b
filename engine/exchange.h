#pragma once
// Judging and normalising the received exchange.
#include <string>
#include <string_view>

namespace stats {

// True for the country prefix of a station that sends a district instead of
// a serial number (kDistrictPrefixes).
bool IsDistrictSenderPrefix(std::string_view countryPrefix);

// ASCII upper case, then stripped of leading and trailing white space.
std::string MoscowCandidate(std::string_view exchange);
// First two and last two characters (each the whole text when shorter than
// two), upper case, stripped: "ab-01" becomes "AB01".
std::string RdaCandidate(std::string_view exchange);

// The exchange check the host makes while the operator types: a district
// sender's exchange is looked up exactly as typed; anyone else's must be a
// serial number; the expected report is refused from everyone (the rules
// in engine/contest_rules.h). Takes the state lock itself for the RDA list.
bool IsValidExchange(std::string_view exchange, std::string_view countryPrefix);

}  // namespace stats
