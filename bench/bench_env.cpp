#include "bench_env.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>

#include "engine/contest_state.h"
#include "engine/moscow_table.h"
#include "platform/platform.h"
#include "plugin/exports.h"

namespace bench {
namespace {

namespace fs = std::filesystem;

constexpr int kForeignStations = 1500;
constexpr int kMoscowStations = 600;
constexpr int kRdaStations = 2400;

// Three letters from a number, distinct for numbers below 26^3.
std::string Suffix(int n) {
  std::string s(3, 'A');
  for (int i = 2; i >= 0; --i) {
    s[i] = static_cast<char>('A' + n % 26);
    n /= 26;
  }
  return s;
}

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

double OleDate(int year, int month, int day, int hour) {
  return stats::CalendarToOleDate({year, month, day, hour, 0, 0});
}

struct Station {
  std::string call, prefix;
  int district;  // index into the Moscow table or the RDA codes, -1 for none
};

}  // namespace

Environment& Environment::Get() {
  static Environment environment;
  return environment;
}

void Environment::Create() {
  m_previousDir = fs::current_path().string();
  std::string pattern = (fs::temp_directory_path() / "stats-bench-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  m_dir = pattern;
  fs::current_path(m_dir);
  fs::create_directory("Plugins");

  // District lines "XX-NN<TAB>name", with a region heading (no hyphen, so
  // it contributes nothing) before every hundred of them.
  std::string rda;
  m_rdaCodes.clear();
  for (int i = 0; i < kRdaCodeCount; ++i) {
    const int pair = i / 100;
    const std::string letters = {static_cast<char>('A' + pair / 26),
                                 static_cast<char>('A' + pair % 26)};
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02d", i % 100);
    if (i % 100 == 0) rda += "Region " + letters + "\r\n";
    rda += letters + "-" + digits + "\tDistrict " + std::to_string(i) + "\r\n";
    m_rdaCodes.push_back(letters + digits);
  }
  WriteBytes("Plugins/rda_rus.dat", rda);
  WriteBytes("Plugins/KESTREL-RTTY.ini", "[Settings]\r\nStart=1\r\n");

  stats::RestoreLoadState();
  stats::SetCurrentPlatform(&m_platform);
}

void Environment::Destroy() {
  stats::SetCurrentPlatform(nullptr);
  fs::current_path(m_previousDir);
  std::error_code ignored;
  fs::remove_all(m_dir, ignored);
}

int Environment::Reset() {
  ATL::COleDateTime start(OleDate(2024, 2, 10, 0), ATL::COleDateTime::valid);
  ATL::COleDateTime end(OleDate(2024, 2, 11, 23), ATL::COleDateTime::valid);
  return ResetStats0(nullptr, 0, kOwnCall, &start, &end, nullptr, nullptr, nullptr, nullptr,
                     nullptr, nullptr, nullptr, nullptr, nullptr, kOwnPrefix, 0, 0, 0, 0.0, 0.0,
                     nullptr, nullptr, nullptr);
}

int Environment::Add(HostQso& q) {
  return AddData0(kOwnCall, q.call.c_str(), &q.time, nullptr, nullptr, nullptr, 0, q.freqHz,
                  q.mode.c_str(), q.rstSent.c_str(), q.rstRcvd.c_str(), q.sent.c_str(),
                  q.rcvd.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                  nullptr, nullptr, q.prefix.c_str(), 0, 0, 0, 0.0, 0.0, nullptr,
                  q.extra.c_str(), nullptr, q.band.c_str(), nullptr);
}

std::vector<HostQso> Environment::MakeStream(std::size_t count, const QsoMix& mix) const {
  static const char* const kForeignPrefixes[] = {"DL", "G",  "F",  "OK", "SP", "I",  "EA", "ON",
                                                 "PA", "HA", "YO", "LZ", "S5", "OH", "SM", "YU"};
  static const char* const kMoscowHeads[] = {"R", "RA", "RK", "RN", "RW", "UA"};
  static const char* const kMoscowFragments[] = {"2A", "3A", "5A", "2B", "3B",
                                                 "5B", "2C", "3C", "5C"};
  static const char* const kRdaHeads[] = {"UA9", "RA9", "UA0", "RV6", "R8", "UA4", "RU1"};
  static const char* const kRefusedBands[] = {"20m", "20m", "15m", "15m", "10m",
                                              "160m", "30m", "17m", "12m"};
  static const char* const kWrongModes[] = {"CW", "SSB", "rtty", "FT8"};

  int moscowCount = 0;
  while (stats::g_pszMoscowCodes[moscowCount] != nullptr) ++moscowCount;

  std::vector<Station> foreign, moscow, russianRda;
  for (int i = 0; i < kForeignStations; ++i) {
    const char* prefix = kForeignPrefixes[i % 16];
    foreign.push_back({std::string(prefix) + "1" + Suffix(i), prefix, -1});
  }
  for (int i = 0; i < kMoscowStations; ++i) {
    moscow.push_back({std::string(kMoscowHeads[i % 6]) + kMoscowFragments[i % 9] + Suffix(i),
                      "UA", i % moscowCount});
  }
  for (int i = 0; i < kRdaStations; ++i) {
    russianRda.push_back({std::string(kRdaHeads[i % 7]) + Suffix(i), i % 2 ? "UA9" : "UA",
                          (i * 7) % kRdaCodeCount});
  }

  std::mt19937 rng(mix.seed);
  auto percent = [&rng] { return static_cast<int>(rng() % 100); };
  const double base = OleDate(2024, 2, 10, 0);
  std::vector<HostQso> stream(count);
  for (std::size_t i = 0; i < count; ++i) {
    HostQso& q = stream[i];
    q.time = ATL::COleDateTime(base + 2.0 * static_cast<double>(i) / static_cast<double>(count),
                               ATL::COleDateTime::valid);
    const bool upper = rng() % 2 == 0;
    q.band = upper ? "80m" : "40m";
    q.freqHz = (upper ? 3580000u : 7040000u) + static_cast<unsigned>(rng() % 30000);
    q.mode = "RTTY";
    char serial[8];
    std::snprintf(serial, sizeof serial, "%03zu", i % 10000 + 1);
    q.sent = serial;

    // Who is worked.
    const int kind = percent();
    const Station& station = kind < 40   ? foreign[rng() % foreign.size()]
                             : kind < 65 ? moscow[rng() % moscow.size()]
                                         : russianRda[rng() % russianRda.size()];
    q.call = station.call;
    q.prefix = station.prefix;
    if (kind < 40) {
      std::snprintf(serial, sizeof serial, "%03u", static_cast<unsigned>(rng() % 2000 + 1));
      q.rcvd = serial;
    } else if (kind < 65) {
      const int form = percent();
      q.rcvd = form < 3 ? "QQ" : stats::g_pszMoscowCodes[station.district];
      if (form >= 3 && form < 23) q.rcvd = Lower(q.rcvd);
    } else {
      const std::string& code = m_rdaCodes[station.district];
      const std::string hyphened = code.substr(0, 2) + "-" + code.substr(2);
      const int form = percent();
      q.rcvd = form < 3 ? "ZZ-99" : form < 28 ? Lower(hyphened) : form < 53 ? hyphened : code;
    }

    // Refused ones: mostly on bands outside the contest, some in the wrong
    // mode, a few without the received exchange.
    if (percent() < mix.refusedPercent) {
      const int why = percent();
      if (why < 80) {
        q.band = kRefusedBands[rng() % 9];
      } else if (why < 94) {
        q.mode = kWrongModes[rng() % 4];
      } else {
        q.rcvd.clear();
      }
    }
  }
  return stream;
}

std::size_t LoadLog(std::vector<HostQso>& stream) {
  Environment::Get().Reset();
  std::size_t accepted = 0;
  for (HostQso& q : stream) accepted += static_cast<std::size_t>(Environment::Add(q));
  return accepted;
}

void EnsureMostlyAcceptedLog() {
  constexpr unsigned kStreamId = 2;
  Environment& env = Environment::Get();
  std::size_t logged;
  {
    const stats::ContestStateLock state;
    logged = state.Log().size();
  }
  if (env.loadedStream == kStreamId && logged > kLogSize / 2) return;
  std::vector<HostQso> stream = env.MakeStream(kLogSize, {5, 2024});
  LoadLog(stream);
  env.loadedStream = kStreamId;
}

}  // namespace bench
