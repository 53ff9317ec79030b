#pragma once
// Fakes of the host and of the display's windows for the update step, which
// record in one list what the step asked of them and in which order.
#include <string>
#include <vector>

#include "ui/display_windows.h"
#include "ui/host_link.h"
#include "ui/moscow_districts.h"

using Events = std::vector<std::string>;

class FakeHost : public stats::HostLink {
 public:
  explicit FakeHost(Events& events) : m_events(events) {}
  bool ReadEntryField(std::string& out) override {
    m_events.push_back("entry");
    out = call;
    return failAt != "entry";
  }
  bool ReadFrequency(double& out) override {
    m_events.push_back("frequency");
    out = hz;
    return failAt != "frequency";
  }
  bool RunMacro(const std::string& macro) override {
    m_events.push_back("macro " + macro);
    return failAt != "macro";
  }

  std::string call;
  double hz = 3'550'000;
  std::string failAt;  // the member that fails, if any

 private:
  Events& m_events;
};

class FakeWindows : public stats::DisplayWindows {
 public:
  explicit FakeWindows(Events& events) : m_events(events) {}
  void KillUpdateTimer() override { m_events.push_back("kill timer"); }
  bool IsMoscowWindowOpen() override { return moscowOpen; }
  void OpenMoscowWindow() override {
    m_events.push_back("open moscow");
    moscowOpen = true;
  }
  bool IsRdaWindowOpen() override { return rdaOpen; }
  void OpenRdaWindow() override {
    m_events.push_back("open rda");
    rdaOpen = true;
  }
  void SetMoscowCaption(const std::string& text) override {
    m_events.push_back("moscow caption " + text);
  }
  void SetRdaCaption(const std::string& text) override {
    m_events.push_back("rda caption " + text);
  }
  void SetMoscowTicks(const stats::MoscowTicks& set) override {
    m_events.push_back("ticks");
    ticks = set;
  }
  void RepaintRdaButton() override { m_events.push_back("repaint"); }

  bool moscowOpen = false;
  bool rdaOpen = false;
  stats::MoscowTicks ticks{};

 private:
  Events& m_events;
};

// The macros among `events`, in order.
inline std::vector<std::string> MacrosOf(const Events& events) {
  const std::string mark = "macro ";
  std::vector<std::string> macros;
  for (const std::string& event : events) {
    if (event.rfind(mark, 0) == 0) macros.push_back(event.substr(mark.size()));
  }
  return macros;
}
