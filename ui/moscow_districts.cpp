#include "ui/moscow_districts.h"

#include <array>
#include <cstdint>
#include <string_view>

#include "engine/moscow_table.h"

namespace stats {

namespace {

constexpr std::array<int, 8> kColumnX = {7, 42, 74, 110, 145, 175, 201, 227};
constexpr int kBoxWidth = 24;
constexpr int kBoxHeight = 10;
// Two boxes are shorter than the others.
constexpr std::array<std::string_view, 2> kShortBoxes = {"NF", "BM"};
constexpr int kShortBoxHeight = 8;

struct Cell {
  const char* code;  // null: no box in this column
  int id;
};
struct GridRow {
  int y;
  std::array<Cell, 8> cells;
};

// The grid of template 106, row by row. Row 7 holds eight boxes whose codes
// are no districts: nothing binds them.
// clang-format off
constexpr GridRow kGrid[] = {
    {6,   {{{"AF", 1054}, {"AK", 1087}, {"AL", 1100}, {"AP", 1110}, {"AR", 1018}, {"BB", 1052}, {"BG", 1076}, {"BI", 1046}}}},
    {17,  {{{"BK", 1044}, {"BM", 1091}, {"BR", 1043}, {"BS", 1101}, {"BT", 1058}, {"BU", 1090}, {"BV", 1060}, {"BY", 1097}}}},
    {27,  {{{"BZ", 1111}, {"CC", 1088}, {"CM", 1094}, {"CS", 1096}, {"CY", 1079}, {"DA", 1161}, {"DM", 1092}, {"DN", 1038}}}},
    {38,  {{{"DR", 1024}, {"DS", 1061}, {"DV", 1055}, {"DZ", 1086}, {"FD", 1041}, {"FI", 1067}, {"FP", 1104}, {"GE", 1089}}}},
    {50,  {{{"GG", 1171}, {"GL", 1017}, {"GN", 1049}, {"HN", 1139}, {"HM", 1184}, {"HR", 1142}, {"HV", 1140}, {"JR", 1105}}}},
    {61,  {{{"IN", 1059}, {"IS", 1025}, {"IV", 1162}, {"IZ", 1033}, {"KC", 1163}, {"KE", 1164}, {"KH", 1029}, {"KI", 1165}}}},
    {72,  {{{"KK", 1166}, {"KL", 1167}, {"KN", 1082}, {"KO", 1168}, {"KP", 1023}, {"KR", 1048}, {"KS", 1169}, {"KT", 1170}}}},
    {83,  {{{"KU", 1040}, {"KV", 1074}, {"KZ", 1084}, {"LB", 1028}, {"LF", 1064}, {"LL", 1102}, {"LM", 1073}, {"LN", 1022}}}},
    {94,  {{{"LO", 1016}, {"MA", 1026}, {"ME", 1050}, {"MF", 1063}, {"MG", 1099}, {"MJ", 1015}, {"MK", 1098}, {"ML", 1031}}}},
    {105, {{{"MN", 1057}, {"MO", 1027}, {"MR", 1069}, {"MS", 1078}, {"MT", 1068}, {"MY", 1157}, {"MZ", 1036}, {"ND", 1081}}}},
    {116, {{{"NE", 1034}, {"NF", 1083}, {"NG", 1095}, {"NK", 1030}, {"NP", 1047}, {"NR", 1039}, {"NS", 1085}, {"NZ", 1035}}}},
    {128, {{{"OB", 1173}, {"OD", 1066}, {"OM", 1174}, {"OS", 1080}, {"OT", 1032}, {"OY", 1093}, {"PB", 1042}, {"PM", 1175}}}},
    {139, {{{"PN", 1075}, {"PR", 1072}, {"PS", 1176}, {"PT", 1107}, {"PV", 1045}, {"RJ", 1109}, {"RM", 1053}, {"RO", 1177}}}},
    {150, {{{"RS", 1115}, {"RZ", 1114}, {"SA", 1178}, {"SB", 1116}, {"SC", 1077}, {"SG", 1121}, {"SH", 1172}, {"SI", 1117}}}},
    {163, {{{"SK", 1119}, {"SL", 1123}, {"SN", 1122}, {"SO", 1180}, {"SP", 1186}, {"SR", 1065}, {"ST", 1056}, {"SV", 1125}}}},
    {175, {{{"SU", 1179}, {"TG", 1127}, {"TL", 1182}, {"TM", 1131}, {"TN", 1183}, {"TP", 1134}, {"TR", 1132}, {"TS", 1128}}}},
    {185, {{{"TV", 1133}, {"TY", 1135}, {"TZ", 1137}, {"VE", 1136}, {"VN", 1143}, {"VO", 1020}, {"VK", 1141}, {"VR", 1185}}}},
    {196, {{{"VS", 1146}, {"VV", 1150}, {"VZ", 1148}, {"YK", 1152}, {"YP", 1153}, {"YR", 1187}, {"YS", 1154}, {"ZB", 1144}}}},
    {209, {{{"ZM", 1149}, {"ZZ", 1151}, {}, {}, {}, {}, {}, {}}}},
};
// clang-format on

constexpr int BoxHeight(std::string_view code) {
  for (std::string_view shortBox : kShortBoxes) {
    if (code == shortBox) return kShortBoxHeight;
  }
  return kBoxHeight;
}

constexpr std::array<MoscowBox, kMoscowBoxCount> LayOutBoxes() {
  std::array<MoscowBox, kMoscowBoxCount> boxes{};
  std::size_t next = 0;
  for (const GridRow& row : kGrid) {
    for (std::size_t column = 0; column < row.cells.size(); ++column) {
      const Cell& cell = row.cells[column];
      if (cell.code == nullptr) continue;
      boxes[next++] = {cell.code, cell.id,   kColumnX[column],
                       row.y,     kBoxWidth, BoxHeight(cell.code)};
    }
  }
  return boxes;
}

constexpr std::array<MoscowBox, kMoscowBoxCount> kBoxes = LayOutBoxes();

// Every district code is two capital letters: one slot per such pair.
constexpr int kLetters = 26;

int PairSlot(std::string_view code) {
  if (code.size() != 2) return -1;
  const unsigned first = static_cast<unsigned char>(code[0]) - 'A';
  const unsigned second = static_cast<unsigned char>(code[1]) - 'A';
  if (first >= kLetters || second >= kLetters) return -1;
  return static_cast<int>(first * kLetters + second);
}

const std::array<int16_t, kLetters * kLetters>& FlagsByPair() {
  static const std::array<int16_t, kLetters* kLetters> flags = [] {
    std::array<int16_t, kLetters * kLetters> table;
    table.fill(-1);
    const std::span<const char* const> codes = MoscowFlagCodes();
    for (std::size_t flag = 0; flag < codes.size(); ++flag) {
      const int slot = PairSlot(codes[flag]);
      if (slot >= 0) table[slot] = static_cast<int16_t>(flag);
    }
    return table;
  }();
  return flags;
}

}  // namespace

std::span<const MoscowBox> MoscowBoxes() { return kBoxes; }

// The flags follow the district table's own order, so the table is the
// binding list.
std::span<const char* const> MoscowFlagCodes() {
  return {g_pszMoscowCodes, static_cast<std::size_t>(kMoscowFlagCount)};
}

const MoscowBox* FindMoscowBox(std::string_view code) {
  for (const MoscowBox& box : kBoxes) {
    if (code == box.code) return &box;
  }
  return nullptr;
}

int MoscowFlagOf(std::string_view code) {
  const int slot = PairSlot(code);
  return slot < 0 ? -1 : FlagsByPair()[slot];
}

}  // namespace stats
