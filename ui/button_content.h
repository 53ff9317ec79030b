#pragma once
// What the RDA window's button shows, as the update step hands it over: the
// call view while a call is entered (the call, the band rows with the
// step's columns), else the district view (the band's RDA districts,
// sorted). One immutable value, composed from the step's snapshot on the
// display thread; the paint draws exactly this and reads nothing else.
#include <memory>
#include <string>

#include "engine/display_snapshot.h"

namespace stats {

struct ButtonContent {
  std::string call;          // empty: the district view
  int band = -1;             // the current band's index, -1 for none
  TextList sortedDistricts;  // the district view's codes
  PerBand bandRows;          // the call view's rows
};
using SharedButtonContent = std::shared_ptr<const ButtonContent>;

// The rows the call view draws: as the last reset seeded them, columns 1 to
// 3 from the step. A row not seeded whole (before the first reset) stays as
// it is.
PerBand RowsWithColumns(const PerBand& seeded, const AllBandColumns& columns);

// The content for `call` on `band`. The districts come from the snapshot
// when it holds that band's, else from `previous` when that showed the
// same band (a step that could not read the frequency keeps the band it
// had), else none.
SharedButtonContent ComposeButtonContent(const std::string& call, int band, PerBand rows,
                                         const DisplaySnapshot& snapshot, int snapshotBand,
                                         const ButtonContent* previous);

}  // namespace stats
