// Sequences of AddData0, RemoveData0, CheckCall0 and GetResult0 with texts
// from a small alphabet and date records taken raw from the input, checked
// against a plain model of the log: a vector of the QSOs the module
// accepted, scanned in full for every question.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "engine/contest_rules.h"
#include "engine/contest_state.h"
#include "engine/journal.h"
#include "engine/moscow_call.h"
#include "fuzz_env.h"
#include "platform/ole_date_time.h"
#include "platform/portable_platform.h"
#include "plugin/exports.h"
#include "reports/result.h"

namespace {

constexpr std::array kCalls = {"R3AA", "UA3ABC", "DL1XX", "RA3AV", "UA9AAA", "R3A", ""};
constexpr std::array kBands = {"80m", "40m", "20m", "160m", "", "2m"};
constexpr std::array kModes = {"RTTY", "CW", ""};
constexpr std::array kExchanges = {"MO", "AB01", "0017", "", "XX", "ZA", "ab-12"};
constexpr std::array kPrefixes = {"UA", "DL", "UA9", ""};
constexpr std::size_t kDateBytes = 12;  // the host's record: date, then status

struct Qso {
  std::string call, band, mode, sent, rcvd, prefix;
  ATL::COleDateTime time;
};

[[noreturn]] void Mismatch(const char* what, const std::string& detail) {
  std::fprintf(stderr, "model mismatch: %s: %s\n", what, detail.c_str());
  std::abort();
}

template <std::size_t N>
const char* Pick(FuzzedDataProvider& in, const std::array<const char*, N>& texts) {
  return texts[in.ConsumeIntegralInRange<std::size_t>(0, N - 1)];
}

// A date record: raw bytes, an earlier QSO's record (so that removals can
// match), or a valid date in the clock's hour (so that checks can block).
ATL::COleDateTime PickDate(FuzzedDataProvider& in, const std::vector<Qso>& log, int hour) {
  switch (in.ConsumeIntegralInRange(0, 2)) {
    case 1:
      if (!log.empty()) return log[in.ConsumeIntegralInRange<std::size_t>(0, log.size() - 1)].time;
      break;
    case 2: return ATL::COleDateTime(46361.0 + (hour + 0.5) / 24.0, ATL::COleDateTime::valid);
    default: break;
  }
  std::vector<uint8_t> bytes = in.ConsumeBytes<uint8_t>(kDateBytes);
  bytes.resize(kDateBytes);
  ATL::COleDateTime date;
  std::memcpy(&date.m_dt, bytes.data(), sizeof date.m_dt);
  std::memcpy(&date.m_status, bytes.data() + sizeof date.m_dt, sizeof date.m_status);
  return date;
}

Qso PickQso(FuzzedDataProvider& in, const std::vector<Qso>& log, int hour) {
  Qso q;
  q.call = Pick(in, kCalls);
  q.band = Pick(in, kBands);
  q.mode = Pick(in, kModes);
  q.sent = Pick(in, kExchanges);
  q.rcvd = Pick(in, kExchanges);
  q.prefix = Pick(in, kPrefixes);
  q.time = PickDate(in, log, hour);
  return q;
}

std::string Describe(const Qso& q) {
  char date[64];
  std::snprintf(date, sizeof date, "%a/%d", q.time.m_dt, static_cast<int>(q.time.m_status));
  return q.call + " " + q.band + " " + q.mode + " " + q.sent + " " + q.rcvd + " " + q.prefix + " " +
         date;
}

int Add(const Qso& q) {
  ATL::COleDateTime time = q.time;
  return AddData0("DL1ABC", q.call.c_str(), &time, nullptr, nullptr, nullptr, 0, 3580000,
                  q.mode.c_str(), "599", "599", q.sent.c_str(), q.rcvd.c_str(), "", "", "", "", "",
                  "", "", "", "", q.prefix.c_str(), 0, 0, 0, 0.0, 0.0, "", "", "", q.band.c_str(),
                  "");
}

int Remove(const Qso& q) {
  ATL::COleDateTime time = q.time;
  return RemoveData0("DL1ABC", q.call.c_str(), &time, nullptr, nullptr, nullptr, 0, 3580000,
                     q.mode.c_str(), "599", "599", q.sent.c_str(), q.rcvd.c_str(), "", "", "", "",
                     "", "", "", "", "", q.prefix.c_str(), 0, 0, 0, 0.0, 0.0, "", "", "",
                     q.band.c_str(), "");
}

int Check(const Qso& q) {
  char warning[512] = {};
  return CheckCall0(q.call.c_str(), 0, 0, q.mode.c_str(), "", "", "", "", "", "", "", "", "", "", 0,
                    0, 0, 0.0, 0.0, "", "", "", "", "", q.band.c_str(), "", nullptr, warning);
}

// The same date record: same status and, for a valid one, the same bits;
// two null records match, an invalid one matches nothing.
bool SameRecord(const ATL::COleDateTime& a, const ATL::COleDateTime& b) {
  if (a.m_status != b.m_status) return false;
  if (a.m_status == ATL::COleDateTime::null) return true;
  return a.m_status == ATL::COleDateTime::valid && std::memcmp(&a.m_dt, &b.m_dt, 8) == 0;
}

void ModelRemove(std::vector<Qso>& log, const Qso& q) {
  if (q.sent.empty() || q.rcvd.empty()) return;
  for (auto it = log.begin(); it != log.end(); ++it) {
    if (it->call == q.call && it->mode == q.mode && it->band == q.band &&
        SameRecord(it->time, q.time)) {
      log.erase(it);
      return;
    }
  }
}

bool ModelBlocks(const std::vector<Qso>& log, const Qso& q, int hour) {
  for (const Qso& logged : log) {
    if (logged.call == q.call && logged.band == q.band && logged.mode == q.mode &&
        logged.time.GetStatus() == ATL::COleDateTime::valid &&
        stats::TourOfHour(logged.time.GetHour()) == stats::TourOfHour(hour)) {
      return true;
    }
  }
  return false;
}

// With no own call set, a Moscow call is worth the points across the
// boundary and any other those within one side; a record without a call is
// not counted.
void CheckResult(const std::vector<Qso>& log, const char* text) {
  long long qsos = 0, points = 0;
  for (const Qso& q : log) {
    if (q.call.empty()) continue;
    ++qsos;
    points += stats::IsMoscowCall(q.call) == 1 ? stats::kPointsAcrossMoscowBoundary
                                               : stats::kPointsWithinOneSide;
  }
  const char* total = std::strstr(text, "Total\t");
  long long gotQsos = -1, gotPoints = -1, moscow = -1, rda = -1;
  if (total == nullptr || std::sscanf(total, "Total\t %lld\t %lld\t %lld\t %lld", &gotQsos,
                                      &gotPoints, &moscow, &rda) != 4) {
    Mismatch("result", std::string("no total line in ") + text);
  }
  if (gotQsos != qsos || gotPoints != points) {
    Mismatch("result", "model " + std::to_string(qsos) + " QSOs " + std::to_string(points) +
                           " points, module " + std::to_string(gotQsos) + " QSOs " +
                           std::to_string(gotPoints) + " points");
  }
  if (stats::g_nScore != points * (moscow + rda)) {
    Mismatch("score", std::to_string(stats::g_nScore) + " is not " + std::to_string(points) + "*(" +
                          std::to_string(moscow) + "+" + std::to_string(rda) + ")");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  stats::fuzz::EnterScratchDirectory();
  static stats::PortablePlatform platform;
  FuzzedDataProvider in(data, size);
  const int hour = in.ConsumeIntegralInRange(0, 23);
  platform.fixedNow = stats::UtcTime{2026, 12, 5, hour, 30, 0};
  platform.messages.clear();
  std::remove(stats::PosixPath(stats::kJournalPath).c_str());
  stats::RestoreLoadState();
  stats::RestoreReportsLoadState();
  stats::SetCurrentPlatform(&platform);

  std::vector<Qso> log;
  while (in.remaining_bytes() > 0) {
    const int op = in.ConsumeIntegralInRange(0, 3);
    if (op == 3) {
      int result = 0;
      CheckResult(log, GetResult0(&result));
      continue;
    }
    const Qso q = PickQso(in, log, hour);
    if (op == 0) {
      const int accepted = Add(q);
      if (accepted == 1) log.push_back(q);
      const stats::ContestStateLock state;
      if (state.Log().size() != log.size()) {
        Mismatch("add", Describe(q) + " answered " + std::to_string(accepted) + ", log holds " +
                            std::to_string(state.Log().size()));
      }
    } else if (op == 1) {
      if (Remove(q) != (q.sent.empty() || q.rcvd.empty() ? 0 : 1)) Mismatch("remove", Describe(q));
      ModelRemove(log, q);
      const stats::ContestStateLock state;
      if (state.Log().size() != log.size()) Mismatch("remove", Describe(q));
    } else {
      const int expected = ModelBlocks(log, q, hour) ? 4 : 1;
      const int verdict = Check(q);
      if (verdict != expected) {
        Mismatch("call check", Describe(q) + " answered " + std::to_string(verdict) + ", model " +
                                   std::to_string(expected));
      }
    }
  }
  stats::SetCurrentPlatform(nullptr);
  return 0;
}
