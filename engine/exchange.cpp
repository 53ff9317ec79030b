#include "engine/exchange.h"

#include "engine/contest_state.h"
#include "engine/moscow_table.h"

namespace stats {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string UpperTrimmed(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

bool IsSerialNumber(std::string_view exchange) {
  if (exchange.empty() || exchange.size() > 4) return false;
  for (char c : exchange) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

}  // namespace

bool IsRussianPrefix(std::string_view countryPrefix) {
  return countryPrefix == "UA" || countryPrefix == "UA2" || countryPrefix == "UA9";
}

std::string MoscowCandidate(std::string_view exchange) {
  return UpperTrimmed(std::string(exchange));
}

std::string RdaCandidate(std::string_view exchange) {
  std::string pieces;
  if (exchange.size() < 2) {
    pieces.append(exchange).append(exchange);
  } else {
    pieces.append(exchange.substr(0, 2)).append(exchange.substr(exchange.size() - 2));
  }
  return UpperTrimmed(std::move(pieces));
}

bool IsValidExchange(std::string_view exchange, std::string_view countryPrefix) {
  if (exchange == "599") return false;
  if (IsRussianPrefix(countryPrefix)) {
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
