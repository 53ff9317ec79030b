// The display's life inside the host's process: unloading the module while
// its windows are shown, and many show/hide cycles.
#include "session_fixture.h"
// after <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "message_pump_win.h"
#include "platform/win32_handles.h"
#include "resources/resource.h"

namespace session {
namespace {

constexpr int kShowMoscowBox = IDC_SHOW_MOSCOW;
constexpr int kShowRdaBox = IDC_SHOW_RDA;

int ThreadCount() {
  const stats::UniqueKernelObject owned(
      stats::OrNull(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0)));
  if (!owned) return -1;
  HANDLE snapshot = owned.get();
  int count = 0;
  THREADENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
  }
  return count;
}

// Kernel handles in use. Where the system does not count them, the lowest
// free handle slot stands in: handles are given out from the lowest free
// slot, so a leak pushes it up cycle after cycle.
unsigned long KernelHandleMeasure() {
  DWORD count = 0;
  if (GetProcessHandleCount(GetCurrentProcess(), &count) && count != 0) return count;
  HANDLE probe = nullptr;
  DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &probe, 0, FALSE,
                  DUPLICATE_SAME_ACCESS);
  CloseHandle(probe);
  return static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(probe));
}

// GDI objects in use: GetGuiResources answers 0 here, so the highest table
// slot that 64 fresh brushes occupy stands in. Freed slots are given out
// again first; leaked objects push the highest slot up.
unsigned long GdiMeasure() {
  std::vector<HBRUSH> brushes;
  unsigned long highest = 0;
  for (int i = 0; i < 64; ++i) {
    HBRUSH brush = CreateSolidBrush(RGB(i, 0, 0));
    brushes.push_back(brush);
    highest = std::max(highest, static_cast<unsigned long>(
                                    reinterpret_cast<UINT_PTR>(brush) & 0xFFFF));
  }
  for (HBRUSH brush : brushes) DeleteObject(brush);
  return highest;
}

struct Resources {
  int windows, threads;
  unsigned long kernelHandles, gdi;
};

Resources Measure() {
  return {DisplaySessionTest::DialogWindowCount(), ThreadCount(), KernelHandleMeasure(),
          GdiMeasure()};
}

class LifecycleTest : public DisplaySessionTest {
 protected:
  void ShowAllWindows() {
    Command("SHOWINFO");
    ASSERT_TRUE(WaitShown(ModuleWindow::Moscow));
    ASSERT_TRUE(WaitShown(ModuleWindow::Rda));
    // Let the first update step fill and paint them.
    orvosim::PumpFor(400);
  }
};

TEST_F(LifecycleTest, UnloadWhileShownReturnsPromptlyAndLeavesNothingRunning) {
  WriteSetting("RusObl", "1");
  WriteSetting("DXCC", "1");
  const int threadsBefore = ThreadCount();
  for (int round = 0; round < 20; ++round) {
    if (!m_module) LoadModule();
    QuietReset();
    Tune(3520000);
    ShowAllWindows();
    const double ms = UnloadModule();
    EXPECT_LT(ms, 1000.0) << "round " << round;
    EXPECT_TRUE(WaitUntil([] { return DialogWindowCount() == 0; }, 2000))
        << "windows left after unload, round " << round;
  }
  // A thread of the module still running after its unload would have
  // crashed the process by now.
  orvosim::PumpFor(500);
  EXPECT_TRUE(WaitUntil([&] { return ThreadCount() <= threadsBefore; }, 2000))
      << ThreadCount() << " threads, " << threadsBefore << " before";
}

TEST_F(LifecycleTest, HundredShowHideCyclesLeaveNothingBehind) {
  QuietReset();
  Tune(3520000);
  Resources atTen{}, atHundred{};
  for (int cycle = 1; cycle <= 100; ++cycle) {
    Command("SHOWINFO");
    ASSERT_TRUE(WaitShown(ModuleWindow::Information)) << "cycle " << cycle;
    // Both district windows, opened at once by their boxes (the settings
    // would reopen them only at the first update step).
    if (!Shown(ModuleWindow::Moscow)) Click(kShowMoscowBox);
    if (!Shown(ModuleWindow::Rda)) Click(kShowRdaBox);
    ASSERT_TRUE(Shown(ModuleWindow::Moscow) && Shown(ModuleWindow::Rda)) << "cycle " << cycle;
    if (cycle % 10 == 0) {
      // Now and then a whole update step: captions, ticks and the call view.
      Type("DL1AA");
      orvosim::PumpFor(400);
    }
    Command("HIDEINFO");
    ASSERT_EQ(DialogWindowCount(), 0) << "cycle " << cycle;
    if (cycle == 10) atTen = Measure();
    if (cycle == 100) atHundred = Measure();
  }
  std::printf("after cycle 10 / 100: windows %d / %d, threads %d / %d, kernel handles %lu / %lu, "
              "GDI slot %lu / %lu\n",
              atTen.windows, atHundred.windows, atTen.threads, atHundred.threads,
              atTen.kernelHandles, atHundred.kernelHandles, atTen.gdi, atHundred.gdi);
  EXPECT_EQ(atHundred.windows, atTen.windows);
  EXPECT_EQ(atHundred.threads, atTen.threads);
  EXPECT_LE(atHundred.kernelHandles, atTen.kernelHandles + 8) << "kernel handles";
  EXPECT_LE(atHundred.gdi, atTen.gdi + 8) << "GDI objects";
}

}  // namespace
}  // namespace session
