#pragma once
// A fresh module with the display's own state as at load, and helpers that
// put QSOs and band rows into the contest state the way the host's thread
// does: under the state lock.
#include <string>

#include "module_fixture.h"
#include "platform/ole_date_time.h"
#include "ui/display_state.h"

class DisplayTest : public ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    stats::RestoreDisplayLoadState();
  }

  static ATL::COleDateTime At(int hour, int minute) {
    return ATL::COleDateTime(stats::CalendarToOleDate({2017, 5, 20, hour, minute, 0}),
                             ATL::COleDateTime::valid);
  }

  static void Log(const std::string& call, const std::string& band, ATL::COleDateTime time,
                  const std::string& rcvd) {
    stats::CInfo qso;
    qso.m_strCall = call;
    qso.m_strBand = band;
    qso.m_strMode = "RTTY";
    qso.m_strRcvd = rcvd;
    qso.m_dtTime = time;
    const stats::ContestStateLock state;
    state.Log().Append(qso);
  }

  // The rows as a reset leaves them.
  static void SeedRows() {
    const stats::ContestStateLock state;
    for (int band = 0; band < stats::kBandCount; ++band) {
      state.BandRows()[band] = {std::string(stats::kBandOrder[band]), "-", "-", "-"};
    }
  }
};
