#include "ui/button_content.h"

#include <algorithm>
#include <utility>

namespace stats {
namespace {

// A row seeded by the reset holds the band and its three display columns.
constexpr std::size_t kRowColumns = 4;

}  // namespace

PerBand RowsWithColumns(const PerBand& seeded, const AllBandColumns& columns) {
  PerBand rows = seeded;
  for (int slot = 0; slot < kBandCount; ++slot) {
    TextList& row = rows[slot];
    if (row.size() < kRowColumns) continue;
    std::copy(columns[slot].begin(), columns[slot].end(), row.begin() + 1);
  }
  return rows;
}

SharedButtonContent ComposeButtonContent(const std::string& call, int band, PerBand rows,
                                         const DisplaySnapshot& snapshot, int snapshotBand,
                                         const ButtonContent* previous) {
  auto content = std::make_shared<ButtonContent>();
  content->call = call;
  content->band = band;
  content->bandRows = std::move(rows);
  if (call.empty()) {
    if (snapshotBand == band) {
      content->sortedDistricts = snapshot.sortedRdaDistricts;
    } else if (previous != nullptr && previous->band == band) {
      content->sortedDistricts = previous->sortedDistricts;
    }
  }
  return content;
}

}  // namespace stats
