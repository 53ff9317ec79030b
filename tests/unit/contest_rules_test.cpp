// What the band table answers: the band a frequency is on.
#include "engine/contest_rules.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using stats::kBandOrder;

struct FrequencyCase {
  double hz;
  const char* band;  // null: no band
};

TEST(BandIndexOfFrequency, NamesABandByWholeMegahertzOnly) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const FrequencyCase cases[] = {
      {1'000'000, "160m"},   {1'999'999, "160m"},   {999'999, nullptr},    {3'500'000, "80m"},
      {3'999'999, "80m"},    {7'030'000, "40m"},    {14'080'000, "20m"},   {21'999'999, "15m"},
      {28'000'000, "10m"},   {29'000'000, nullptr}, {10'120'000, nullptr}, {0, nullptr},
      {-3'500'000, nullptr}, {-1'000'000, nullptr}, {nan, nullptr},        {inf, nullptr},
      {1e300, nullptr},
  };
  for (const FrequencyCase& c : cases) {
    const int band = stats::BandIndexOfFrequency(c.hz);
    if (c.band == nullptr) {
      EXPECT_EQ(band, -1) << c.hz << " Hz";
    } else {
      ASSERT_GE(band, 0) << c.hz << " Hz";
      EXPECT_EQ(kBandOrder[band], c.band) << c.hz << " Hz";
    }
  }
}

}  // namespace
