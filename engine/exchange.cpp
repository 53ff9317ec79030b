#include "engine/exchange.h"

#include "engine/contest_rules.h"
#include "engine/contest_state.h"
#include "engine/moscow_table.h"
#include "platform/trim_blanks.h"

namespace stats {
namespace {

std::string UpperTrimmed(std::string_view text) {
  std::string upper(TrimBlanks(text));
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

bool IsSerialNumber(std::string_view exchange) {
  if (exchange.empty() || exchange.size() > kSerialNumberMaxDigits) return false;
  for (char c : exchange) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

}  // namespace

bool IsDistrictSenderPrefix(std::string_view countryPrefix) {
  return std::ranges::find(kDistrictPrefixes, countryPrefix) != kDistrictPrefixes.end();
}

std::string MoscowCandidate(std::string_view exchange) { return UpperTrimmed(exchange); }

std::string RdaCandidate(std::string_view exchange) {
  std::string pieces;
  if (exchange.size() < 2) {
    pieces.append(exchange).append(exchange);
  } else {
    pieces.append(exchange.substr(0, 2)).append(exchange.substr(exchange.size() - 2));
  }
  return UpperTrimmed(pieces);
}

bool IsValidExchange(std::string_view exchange, std::string_view countryPrefix) {
  if (exchange == kExpectedReport) return false;
  if (IsDistrictSenderPrefix(countryPrefix)) {
    if (exchange.size() == 2) return IsMoscowDistrict(exchange);
    if (exchange.size() == 4) {
      const ContestStateLock state;
      return state.RdaCodes().Contains(exchange);
    }
    return false;
  }
  return IsSerialNumber(exchange);
}

}  // namespace stats
