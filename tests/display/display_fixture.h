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

  // Rows as an update step fills them without a QSO of the call: band
  // label and three dashes.
  static stats::PerBand BlankBandRows() {
    stats::PerBand rows;
    for (int band = 0; band < stats::kBandCount; ++band) {
      rows[band] = {std::string(stats::kBandOrder[band]), "   -", "   -", "   -"};
    }
    return rows;
  }

  // Hands the RDA button its content, as the update step does.
  static void HandOver(const std::string& call, int band, stats::TextList sortedDistricts,
                       stats::PerBand rows = {}) {
    auto content = std::make_shared<stats::ButtonContent>();
    content->call = call;
    content->band = band;
    content->sortedDistricts = std::move(sortedDistricts);
    content->bandRows = std::move(rows);
    stats::g_buttonContent = std::move(content);
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
