#include "engine/moscow_table.h"

#include <bitset>

namespace stats {

// Not alphabetical in places (HN before HM, JR before IN, SV before SU,
// VO before VK, BK last): the district window lays them out in this order.
// clang-format off
const char* const g_pszMoscowCodes[] = {
    "AF", "AK", "AL", "AP", "AR", "BB", "BG", "BI", "BM", "BR", "BS", "BT", "BU", "BV",
    "BY", "BZ", "CC", "CM", "CS", "CY", "DA", "DM", "DN", "DR", "DS", "DV", "DZ", "FD",
    "FI", "FP", "GE", "GG", "GL", "GN", "HN", "HM", "HR", "HV", "JR", "IN", "IS", "IV",
    "IZ", "KC", "KE", "KH", "KI", "KU", "KV", "KZ", "LB", "LF", "LL", "LM", "LN", "LO",
    "MA", "ME", "MF", "MG", "MJ", "MK", "ML", "MN", "MO", "MR", "MS", "MT", "MY", "MZ",
    "ND", "NE", "NF", "NG", "NK", "NP", "NR", "NS", "NZ", "OB", "OD", "OM", "OS", "OT",
    "OY", "PB", "PM", "PN", "PR", "PS", "PT", "PV", "RJ", "RM", "RO", "RS", "RZ", "SA",
    "SB", "SC", "SG", "SH", "SI", "SK", "SL", "SN", "SO", "SP", "SR", "ST", "SV", "SU",
    "TG", "TL", "TM", "TN", "TP", "TR", "TS", "TV", "TY", "TZ", "VE", "VN", "VO", "VK",
    "VR", "VS", "VV", "VZ", "YK", "YP", "YR", "YS", "ZB", "ZM", "ZZ", "BK", nullptr,
};
// clang-format on

namespace {

int PairIndex(unsigned char first, unsigned char second) { return first << 8 | second; }

// Every code is two bytes, so membership is one bit per possible pair.
const std::bitset<65536>& MoscowPairs() {
  static const std::bitset<65536> pairs = [] {
    std::bitset<65536> bits;
    for (const char* const* code = g_pszMoscowCodes; *code != nullptr; ++code) {
      bits.set(PairIndex((*code)[0], (*code)[1]));
    }
    return bits;
  }();
  return pairs;
}

}  // namespace

bool IsMoscowDistrict(std::string_view text) {
  if (text.size() != 2) return false;
  return MoscowPairs().test(PairIndex(text[0], text[1]));
}

}  // namespace stats
