// The display's copy of the contest state: the call's last QSO per band.
#include "engine/display_snapshot.h"

#include <gtest/gtest.h>

#include "display_fixture.h"

namespace {

using LastQsoPerBand = DisplayTest;

TEST_F(LastQsoPerBand, FollowsRemovalsAndLaterAppends) {
  auto removeAt = [](std::size_t index) {
    const stats::ContestStateLock state;
    state.Log().RemoveAt(index);
  };
  auto last80 = [] { return *stats::TakeDisplaySnapshot("R3A", -1).lastQso[1]; };
  Log("UA9X", "80m", At(11, 0), "AA");
  Log("R3A", "80m", At(12, 5), "MO");
  Log("UA9X", "80m", At(12, 30), "BB");
  Log("R3A", "80m", At(13, 10), "MA");
  EXPECT_EQ(last80().time, "13:10") << "all four logged";
  removeAt(0);
  EXPECT_EQ(last80().rcvd, "MA") << "an earlier QSO of another call removed";
  removeAt(2);
  EXPECT_EQ(last80().time, "12:05") << "13:10 removed";
  removeAt(1);
  EXPECT_EQ(last80().time, "12:05") << "the other call's QSO after it removed";
  Log("R3A", "80m", At(14, 0), "ME");
  EXPECT_EQ(last80().rcvd, "ME") << "appended after the removals";
}

TEST_F(LastQsoPerBand, TimesThatAreNotValidShowTheDateTypesText) {
  Log("R3A", "80m", ATL::COleDateTime(0.0, ATL::COleDateTime::invalid), "MO");
  Log("R3A", "40m", ATL::COleDateTime(0.0, ATL::COleDateTime::null), "MO");
  const stats::DisplaySnapshot snapshot = stats::TakeDisplaySnapshot("R3A", -1);
  EXPECT_EQ(snapshot.lastQso[1]->time, "Invalid DateTime") << "invalid";
  EXPECT_EQ(snapshot.lastQso[2]->time, "") << "null";
}

}  // namespace
