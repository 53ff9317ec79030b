// Sessions an operator would have with the display, walked through against
// the real DLL and a registered host automation object.
#include <algorithm>

#include "message_pump_win.h"
#include "platform/win32_handles.h"
#include "resources/resource.h"
#include "session_fixture.h"
#include "ui/moscow_districts.h"

namespace session {
namespace {

constexpr int kShowMoscowBox = IDC_SHOW_MOSCOW;
constexpr int kShowRdaBox = IDC_SHOW_RDA;

// The Moscow window's box that carries the code.
int BoxOf(const char* code) { return stats::FindMoscowBox(code)->id; }
const int kBoxAF = BoxOf("AF"), kBoxZZ = BoxOf("ZZ"), kBoxBU = BoxOf("BU"), kBoxMO = BoxOf("MO");
const int kBoxKS = BoxOf("KS");  // row 7: bound to no district

bool IsTicked(HWND dialog, int id) {
  return SendMessageW(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool Received(orvosim::AutomationObject& host, const std::wstring& macro) {
  const auto macros = host.Macros();
  return std::find(macros.begin(), macros.end(), macro) != macros.end();
}

class SessionTest : public DisplaySessionTest {
 protected:
  // Two Moscow districts and one RDA district on 80m, a DX station on 80m
  // (13:10) and 40m.
  void LogContest() {
    Log("UA3AAA", "80m", "AF");
    Log("UA3BBB", "80m", "ZZ");
    Log("RA3CCC", "80m", "MO01");
    Log("DL1AA", "40m", "0017", "DL", 12, 5);
    Log("DL1AA", "80m", "0020", "DL", 13, 10);
    int status = 0;
    Host().GetResult(&status);
  }
};

TEST_F(SessionTest, ShowTuneTickTypeChangeBandHideAndRestore) {
  QuietReset("DL");
  LogContest();
  Tune(3520000);
  Command("SHOWINFO");
  ASSERT_TRUE(WaitShown(ModuleWindow::Information));
  EXPECT_EQ(Caption(Shown(ModuleWindow::Information)), L"Setup KESTREL-RTTY");
  EXPECT_TRUE(WaitUntil([&] { return Received(HostObject(), L"<SP1>"); }))
      << "the first update step tunes the host";
  const auto macros = HostObject().Macros();
  ASSERT_GE(macros.size(), 3u);
  EXPECT_EQ(macros[0], L"<MODE:RTTY>");
  EXPECT_EQ(macros[1], L"<BAUDRATE:45.45>");

  Click(kShowMoscowBox);
  ASSERT_TRUE(WaitCaption(ModuleWindow::Moscow, L"QX9-2026 Moscow worked on 80m 2 of 146"));
  HWND moscow = Shown(ModuleWindow::Moscow);
  EXPECT_TRUE(IsTicked(moscow, kBoxAF) && IsTicked(moscow, kBoxZZ)) << "worked on 80m";
  EXPECT_FALSE(IsTicked(moscow, kBoxBU)) << "not worked";
  EXPECT_EQ(Setting("RusObl"), "1");

  Click(kShowRdaBox);
  ASSERT_TRUE(WaitCaption(ModuleWindow::Rda, L"QX9-2026  RDA worked on 80m 1"));
  EXPECT_EQ(Setting("DXCC"), "1");

  Type("DL1AA");
  EXPECT_TRUE(WaitCaption(ModuleWindow::Rda, L"QX9-2026 worked with DL1AA")) << "call view";

  Tune(7030000);
  Type("");
  EXPECT_TRUE(WaitCaption(ModuleWindow::Rda, L"QX9-2026  RDA worked on 40m 0"));
  EXPECT_TRUE(WaitCaption(ModuleWindow::Moscow, L"QX9-2026 Moscow worked on 40m 0 of 146"));
  EXPECT_FALSE(IsTicked(Shown(ModuleWindow::Moscow), kBoxAF)) << "nothing worked on 40m";

  Command("HIDEINFO");
  EXPECT_EQ(DialogWindowCount(), 0) << "hidden windows are destroyed, not kept";
  EXPECT_EQ(Setting("RusObl"), "1") << "the stop keeps which windows were open";
  EXPECT_EQ(Setting("DXCC"), "1");

  Command("SHOWINFO");
  ASSERT_TRUE(WaitShown(ModuleWindow::Moscow)) << "restored from the settings";
  ASSERT_TRUE(WaitShown(ModuleWindow::Rda)) << "restored from the settings";
  HWND info = Shown(ModuleWindow::Information);
  EXPECT_TRUE(IsTicked(info, kShowMoscowBox) && IsTicked(info, kShowRdaBox));

  const int before = DialogWindowCount();
  Click(kShowMoscowBox);
  EXPECT_EQ(DialogWindowCount(), before - 1) << "closed through its box: destroyed";
  EXPECT_EQ(Setting("RusObl"), "0");
  Command("HIDEINFO");
  EXPECT_EQ(DialogWindowCount(), 0);
}

TEST_F(SessionTest, WindowClosedByHandStaysUntilItsBoxIsCleared) {
  QuietReset();
  Command("SHOWINFO");
  ASSERT_TRUE(WaitShown(ModuleWindow::Information));
  Click(kShowMoscowBox);
  ASSERT_TRUE(WaitShown(ModuleWindow::Moscow));
  SendMessageW(Shown(ModuleWindow::Moscow), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(WaitUntil([] { return Shown(ModuleWindow::Moscow) == nullptr; }))
      << "hidden by its close box";
  EXPECT_EQ(DialogWindowCount(), 2) << "but still there";
  EXPECT_EQ(Setting("RusObl"), "1");
  Click(kShowMoscowBox);
  EXPECT_EQ(DialogWindowCount(), 1) << "the box closes it for good";
  EXPECT_EQ(Setting("RusObl"), "0");
}

TEST_F(SessionTest, OnlyTheDistrictBoxesFollowTheLog) {
  QuietReset();
  LogContest();
  Tune(3520000);
  WriteSetting("RusObl", "1");
  Command("SHOWINFO");
  ASSERT_TRUE(WaitCaption(ModuleWindow::Moscow, L"QX9-2026 Moscow worked on 80m 2 of 146"));
  HWND moscow = Shown(ModuleWindow::Moscow);
  SendMessageW(GetDlgItem(moscow, kBoxKS), BM_CLICK, 0, 0);
  SendMessageW(GetDlgItem(moscow, kBoxMO), BM_CLICK, 0, 0);
  ASSERT_TRUE(IsTicked(moscow, kBoxKS) && IsTicked(moscow, kBoxMO)) << "ticked by hand";
  Type("DL1AA");
  EXPECT_TRUE(WaitUntil([&] { return !IsTicked(moscow, kBoxMO); }))
      << "MO is not worked: the next update step clears it";
  EXPECT_TRUE(IsTicked(moscow, kBoxKS)) << "KS is no district: the module never touches it";
  EXPECT_TRUE(IsTicked(moscow, kBoxAF)) << "worked";
}


TEST_F(SessionTest, OperatorClosingTheInformationWindowEndsTheDisplay) {
  QuietReset();
  WriteSetting("DXCC", "1");
  Command("SHOWINFO");
  ASSERT_TRUE(WaitShown(ModuleWindow::Rda));
  SendMessageW(Shown(ModuleWindow::Information), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(WaitUntil([] { return DialogWindowCount() == 0; })) << "its windows go with it";
  Command("SHOWINFO");
  EXPECT_TRUE(WaitShown(ModuleWindow::Information)) << "a later show starts anew";
  EXPECT_TRUE(WaitShown(ModuleWindow::Rda));
}

TEST_F(SessionTest, QuickRestartsAndTheResetMakeOneInformationWindow) {
  WriteSetting("Start", "0");
  host::ResetArgs args;
  args.end = host::MakeDateTime(2026, 12, 6, 23, 59);
  Host().ResetStats(args);
  EXPECT_EQ(Setting("Start"), "1") << "the reset opened the display";
  Command("SHOWINFO");
  Command("SHOWINFO");
  ASSERT_TRUE(WaitShown(ModuleWindow::Information));
  orvosim::PumpFor(400);
  EXPECT_EQ(DialogWindowCount(), 1);
  Command("HIDEINFO");
  Command("HIDEINFO");
  EXPECT_EQ(DialogWindowCount(), 0);
}

TEST_F(SessionTest, RussianTextsReadRightInEveryCodePage) {
  QuietReset("UA");
  LogContest();
  Tune(3520000);
  WriteSetting("RusObl", "1");
  WriteSetting("DXCC", "1");
  Command("SHOWINFO");
  ASSERT_TRUE(WaitShown(ModuleWindow::Information));
  HWND info = Shown(ModuleWindow::Information);
  EXPECT_EQ(Caption(info), L"Установки KESTREL-RTTY");
  EXPECT_EQ(Caption(GetDlgItem(info, kShowMoscowBox)), L"Районы Москвы");
  EXPECT_TRUE(WaitCaption(ModuleWindow::Moscow, L"QX9-2026  Москва на 80m 2 из 146 рай."));
  EXPECT_TRUE(WaitCaption(ModuleWindow::Rda, L"QX9-2026 RDA районы отраб. на 80m"));
  Type("DL1AA");
  EXPECT_TRUE(WaitCaption(ModuleWindow::Rda, L"QX9-2026 проведено с DL1AA"));
}

class NoHostTest : public SessionTest {
 protected:
  void SetUp() override {
    m_bStartHost = false;
    SessionTest::SetUp();
  }
};

TEST_F(NoHostTest, WindowsOpenWithoutHostAndTheHostIsFoundAtTheNextStart) {
  QuietReset();
  WriteSetting("RusObl", "1");
  Command("SHOWINFO");
  ASSERT_TRUE(WaitShown(ModuleWindow::Information));
  EXPECT_TRUE(WaitShown(ModuleWindow::Moscow)) << "windows reopen without a host";
  EXPECT_EQ(Caption(Shown(ModuleWindow::Moscow)), L"Moscow Region") << "nothing read";
  StartHost();
  Type("UA3AAA");
  orvosim::PumpFor(600);
  EXPECT_TRUE(HostObject().Macros().empty()) << "a display keeps the host it found at start";
  Command("SHOWINFO");
  EXPECT_TRUE(WaitUntil([&] { return Received(HostObject(), L"<MODE:RTTY>"); }))
      << "found at the next start";
}

TEST_F(NoHostTest, AVanishedDisplayThreadNeitherBlocksNorPreventsANewDisplay) {
  QuietReset();
  Command("SHOWINFO");
  ASSERT_TRUE(WaitShown(ModuleWindow::Information));
  // Ended while it waits for messages, past its first update step: a thread
  // ended inside a system call may leave that call's locks held.
  orvosim::PumpFor(800);
  // As at process exit: the system ends the display thread, and the module
  // still holds its information window.
  const DWORD id = GetWindowThreadProcessId(Shown(ModuleWindow::Information), nullptr);
  const stats::UniqueKernelObject thread(OpenThread(THREAD_TERMINATE | SYNCHRONIZE, FALSE, id));
  ASSERT_TRUE(thread);
  TerminateThread(thread.get(), 9);
  WaitForSingleObject(thread.get(), 2000);
  // Ended here, not by the module: the watch sees it, and lets it go.
  EXPECT_EQ(m_moduleThreads.EndedBadly(2000), "a display thread ended with exit code 9\n");
  const ULONGLONG before = GetTickCount64();
  Command("HIDEINFO");
  EXPECT_LT(GetTickCount64() - before, 1000u) << "the stop finds the thread gone";
  Command("SHOWINFO");
  EXPECT_TRUE(WaitShown(ModuleWindow::Information)) << "a new display";
}

struct HostFault {
  orvosim::HostMember member;
  orvosim::MemberFault fault;
  const char* what;
  const char* name;  // of the test case
};

class FailingHostTest : public SessionTest, public ::testing::WithParamInterface<HostFault> {};

TEST_P(FailingHostTest, DisplayStaysUpAndStopsPromptly) {
  const HostFault& c = GetParam();
  QuietReset();
  LogContest();
  Tune(3520000);
  HostObject().SetFault(c.member, c.fault);
  WriteSetting("RusObl", "1");
  WriteSetting("DXCC", "1");
  Command("SHOWINFO");
  ASSERT_TRUE(WaitShown(ModuleWindow::Rda)) << c.what;
  ASSERT_TRUE(WaitShown(ModuleWindow::Moscow)) << c.what;
  Type("DL1AA");
  orvosim::PumpFor(500);
  Type("UA3AAA");
  orvosim::PumpFor(500);
  EXPECT_NE(Shown(ModuleWindow::Information), nullptr) << c.what;
  const ULONGLONG before = GetTickCount64();
  Command("HIDEINFO");
  EXPECT_LT(GetTickCount64() - before, 2000u) << c.what;
  EXPECT_EQ(DialogWindowCount(), 0) << c.what;
}

using orvosim::HostMember;
using orvosim::MemberFault;
INSTANTIATE_TEST_SUITE_P(
    EachMember, FailingHostTest,
    ::testing::Values(
        HostFault{HostMember::EntryField, MemberFault::Fail(RPC_E_DISCONNECTED), "call, gone",
                  "CallHostGone"},
        HostFault{HostMember::EntryField, MemberFault::WrongType(VT_DISPATCH), "call, object",
                  "CallNotText"},
        HostFault{HostMember::Frequency, MemberFault::Fail(DISP_E_MEMBERNOTFOUND),
                  "frequency, missing", "FrequencyMissing"},
        HostFault{HostMember::Frequency, MemberFault::WrongType(VT_BSTR), "frequency, text",
                  "FrequencyNotNumber"},
        HostFault{HostMember::RunMacro, MemberFault::Fail(E_FAIL), "macro, failing",
                  "MacroFailing"}),
    [](const ::testing::TestParamInfo<HostFault>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace session
