#pragma once
// The Moscow district table's codes as a list, for the tests that go
// through every district.
#include <cstddef>
#include <string>
#include <vector>

#include "engine/moscow_table.h"

// Every code before the table's end mark, read no further than a bound: a
// table that lost its end mark fails its own test instead of reading on.
inline std::vector<std::string> MoscowTableCodes() {
  constexpr std::size_t kTableReadLimit = 1000;
  std::vector<std::string> codes;
  for (std::size_t i = 0; i < kTableReadLimit && stats::g_pszMoscowCodes[i] != nullptr; ++i) {
    codes.push_back(stats::g_pszMoscowCodes[i]);
  }
  return codes;
}
