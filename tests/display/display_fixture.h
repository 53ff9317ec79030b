#pragma once
// Every display test starts from the module as just loaded, in an empty
// folder of its own (the settings file lives in its Plugins folder).
#include <gtest/gtest.h>

#include "engine/contest_state.h"
#include "scratch_folder.h"
#include "ui/display_state.h"
#include "ui/window_position.h"

namespace display_test {

class DisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_folder.IsReady()) << "scratch folder";
    Reset();
  }
  void TearDown() override { Reset(); }

  // Rows as the contest reset leaves them: band label and three dashes.
  static void SeedBandRows() {
    const stats::ContestStateLock state;
    for (int band = 0; band < stats::kBandCount; ++band) {
      state.BandRows()[band] = {std::string(stats::kBandOrder[band]), "   -", "   -", "   -"};
    }
  }

  // Sets the RDA districts of one band, under the state lock.
  static void SetRdaDistricts(int band, stats::TextList districts) {
    const stats::ContestStateLock state;
    state.RdaByBand()[band] = std::move(districts);
  }

  host::ScratchFolder m_folder;

 private:
  static void Reset() {
    stats::RestoreLoadState();
    stats::RestoreDisplayLoadState();
    stats::g_nLastX = 0;
    stats::g_nLastY = 0;
  }
};

}  // namespace display_test
