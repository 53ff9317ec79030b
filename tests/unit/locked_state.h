#pragma once
// Copies of the contest state for the tests' expectations. Each copy is taken
// under a ContestStateLock of its own that is released before the copy is
// returned, so a test never holds the (non-recursive) state lock while it
// calls into the module.
#include <cstddef>
#include <string>
#include <vector>

#include "engine/contest_state.h"

namespace locked {

inline std::size_t LogSize() {
  const stats::ContestStateLock state;
  return state.Log().size();
}

inline bool LogEmpty() { return LogSize() == 0; }

// The record at `index` of the log, copied.
inline stats::CInfo LoggedQso(std::size_t index) {
  const stats::ContestStateLock state;
  return state.Log()[index];
}

inline stats::TextList Bands() {
  const stats::ContestStateLock state;
  return state.Bands();
}

inline stats::PerBand BandRows() {
  const stats::ContestStateLock state;
  return state.BandRows();
}

inline stats::PerBand RdaByBand() {
  const stats::ContestStateLock state;
  return state.RdaByBand();
}

inline stats::PerBand MoscowByBand() {
  const stats::ContestStateLock state;
  return state.MoscowByBand();
}

inline std::vector<std::string> RdaCodes() {
  const stats::ContestStateLock state;
  return state.RdaCodes().codes();
}

inline bool RdaCodesContain(const std::string& code) {
  const stats::ContestStateLock state;
  return state.RdaCodes().Contains(code);
}

inline int Russian() {
  const stats::ContestStateLock state;
  return state.Russian();
}

inline int Output() {
  const stats::ContestStateLock state;
  return state.Output();
}

inline int Start() {
  const stats::ContestStateLock state;
  return state.Start();
}

inline std::string OwnCall() {
  const stats::ContestStateLock state;
  return state.OwnCall();
}

inline std::string EndDate() {
  const stats::ContestStateLock state;
  return state.EndDate();
}

inline std::string EndYear() {
  const stats::ContestStateLock state;
  return state.EndYear();
}

}  // namespace locked
