// What a real host's window thread does while the plug-in works, tried
// during each moment of the display's life: "SHOWINFO" (over a shown
// display), "HIDEINFO", a reset whose "Start" rule starts the display, and
// the unload. The host's window is active; another thread of the host sends
// its window a message whose handler calls an export or unloads the module;
// the operator has the information window's system menu open, moves it by
// keyboard or drags it with the mouse; the exports come from a thread with
// no message loop; another component built with the same toolchain has its
// shared runtime in the process. Every cell must end without a crash, in the
// state of the last command given, within every bound, leave nothing of the
// module after its unload and let a fresh load show the display; the
// fixture's TearDown adds: no last resort used, every display thread ended
// by itself with exit code 0, no export entered inside another.
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <thread>

#include "message_pump_win.h"
#include "process_probe.h"
#include "resources/resource.h"
#include "session_fixture.h"

namespace session {
namespace {

enum class Moment { Show, Hide, StartingReset, Unload };
constexpr Moment kMoments[] = {Moment::Show, Moment::Hide, Moment::StartingReset, Moment::Unload};

const char* NameOf(Moment moment) {
  switch (moment) {
    case Moment::Show: return "SHOWINFO";
    case Moment::Hide: return "HIDEINFO";
    case Moment::StartingReset: return "reset starting the display";
    case Moment::Unload: return "unload";
  }
  return "?";
}

// Every export of the table returns within this, the unload included (its
// own wait for the display is bounded by it); a cell that needs more has
// used a last resort.
constexpr double kExportBoundMs = 1000.0;
constexpr DWORD kCellGuardMs = 30000;
constexpr DWORD kAfterUnloadMs = 2000;
// The display answers the operator's click within this even when the host
// never answers it.
constexpr DWORD kClickAnsweredMs = 3000;
// A call check's refresh has come and gone (its delay is 330 ms).
constexpr DWORD kRefreshSettledMs = 700;

constexpr const wchar_t* kHostWindowClass = L"HostBoundaryMainWindow";
constexpr UINT kRunHandlerMessage = WM_APP + 20;

enum class DisplayState { Hidden, Shown, Unloaded };

const char* NameOf(DisplayState state) {
  switch (state) {
    case DisplayState::Hidden: return "hidden";
    case DisplayState::Shown: return "shown";
    case DisplayState::Unloaded: return "unloaded";
  }
  return "?";
}

// msvcrt's malloc in the module's import table answers null while this
// lives: the module's next allocation fails and throws.
class FailingAllocations {
 public:
  explicit FailingAllocations(HMODULE module) : m_slot(MallocSlot(module)) {
    if (m_slot != nullptr) Swap(reinterpret_cast<void*>(&NoMemory));
  }
  ~FailingAllocations() {
    if (m_slot != nullptr) Swap(m_original);
  }
  FailingAllocations(const FailingAllocations&) = delete;
  FailingAllocations& operator=(const FailingAllocations&) = delete;
  bool Armed() const { return m_slot != nullptr; }

 private:
  static void* __cdecl NoMemory(size_t) { return nullptr; }

  static void** MallocSlot(HMODULE module) {
    auto* base = reinterpret_cast<BYTE*>(module);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         entry->Name != 0; ++entry) {
      if (lstrcmpiA(reinterpret_cast<const char*>(base + entry->Name), "msvcrt.dll") != 0) continue;
      auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
      auto* slots = reinterpret_cast<void**>(base + entry->FirstThunk);
      for (int i = 0; names[i].u1.AddressOfData != 0; ++i) {
        if (IMAGE_SNAP_BY_ORDINAL(names[i].u1.Ordinal)) continue;
        const auto* byName =
            reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names[i].u1.AddressOfData);
        if (std::strcmp(reinterpret_cast<const char*>(byName->Name), "malloc") == 0) {
          return &slots[i];
        }
      }
    }
    return nullptr;
  }

  void Swap(void* function) {
    DWORD protection = 0;
    VirtualProtect(m_slot, sizeof *m_slot, PAGE_READWRITE, &protection);
    if (function != m_original) m_original = *m_slot;
    *m_slot = function;
    VirtualProtect(m_slot, sizeof *m_slot, protection, &protection);
  }

  void** m_slot;
  void* m_original = nullptr;
};

// Runs a program of the machine (wine starts a Unix program as it starts
// a Windows one) and waits for it.
bool RunUnixProgram(const std::string& commandLine) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string line = commandLine;
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return false;
  }
  WaitForSingleObject(process.hProcess, 5000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

class HostBoundaryTest;

struct Behaviour {
  const char* name;
  // It acts on a shown display window, so it cannot be there before the
  // reset that starts the display.
  bool needsWindow;
  // Brings the behaviour about, plays the moment with it (test.Play), and
  // lets it go.
  void (*play)(HostBoundaryTest& test, Moment moment);
};

class HostBoundaryTest : public DisplaySessionTest, public ::testing::WithParamInterface<Behaviour> {
 public:
  using DisplaySessionTest::WaitUntil;
  using DisplaySessionTest::WriteSetting;
  DisplayState Expected() const { return m_expected; }

  // ---- the moments, as the host's thread plays them ----------------------

  // Plays the moment on the calling thread; each export is timed.
  void Play(Moment moment) {
    if (m_beforeExport) m_beforeExport();
    switch (moment) {
      case Moment::Show: Time(moment, [this] { ShowDisplay(); }); break;
      case Moment::Hide: Time(moment, [this] { HideDisplay(); }); break;
      case Moment::StartingReset: Time(moment, [this] { StartingReset(); }); break;
      case Moment::Unload: Time(moment, [this] { Unload(); }); break;
    }
  }

  // The host's commands; each one records the state it leaves.
  void ShowDisplay() {
    if (!m_calls) return;
    Host().RunCommand("SHOWINFO");
    m_expected = DisplayState::Shown;
  }
  void HideDisplay() {
    if (!m_calls) return;
    Host().RunCommand("HIDEINFO");
    m_expected = DisplayState::Hidden;
  }
  void StartingReset() {
    if (!m_calls) return;
    WriteSetting("Start", "0");
    host::ResetArgs args;
    args.ownCall = "R3XYZ";
    args.end = host::MakeDateTime(2026, 12, 6, 23, 59);
    Host().ResetStats(args);
    m_expected = DisplayState::Shown;
  }
  void Unload() {
    if (!m_module) return;
    UnloadModule();
    m_expected = DisplayState::Unloaded;
  }
  void CheckCall() {
    if (m_calls) Type("DL1AA");
  }

  // ---- what the behaviours use ---------------------------------------------

  HWND HostWindow() const { return m_hMainWindow; }
  HWND InformationWindow() const { return Shown(ModuleWindow::Information); }
  DWORD DisplayThreadId() const {
    HWND info = InformationWindow();
    return info != nullptr ? GetWindowThreadProcessId(info, nullptr) : 0;
  }
  // The display thread is in a loop of the system's: a menu or a move.
  bool DisplayInSystemLoop(DWORD flags) const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(DisplayThreadId(), &info) && (info.flags & flags) != 0;
  }
  bool WaitForSystemLoop(DWORD flags) {
    return WaitUntil([this, flags] { return DisplayInSystemLoop(flags); }, 3000);
  }
  // Another thread of the host sends the host's window a message, a moment
  // after the export starts; its handler runs `handler` on this thread.
  void SendFromAnotherThreadDuringExport(std::function<void()> handler) {
    m_handler = std::move(handler);
    m_beforeExport = [this] {
      m_sender = std::thread([window = m_hMainWindow] {
        Sleep(2);
        SendMessageW(window, kRunHandlerMessage, 0, 0);
      });
    };
  }
  void FinishSending() {
    m_beforeExport = nullptr;
    if (!m_sender.joinable()) return;
    // The handler runs once this thread serves its messages again.
    WaitUntil([this] { return m_handlerRuns > 0; }, 5000);
    m_sender.join();
    EXPECT_EQ(m_handlerRuns, 1);
    m_handlerRuns = 0;
  }
  void CountHostMessagesInsideExports(bool count) { m_bCountInsideExports = count; }
  int HostMessagesInsideExports() const { return m_messagesInsideExports; }

  // The information window's box "Moscow region", clicked as input is: a
  // posted message, which only a loop that dispatches reaches.
  bool ClickMoscowBoxAndSeeTheWindow() {
    HWND box = GetDlgItem(InformationWindow(), IDC_SHOW_MOSCOW);
    if (box == nullptr) return false;
    PostMessageW(box, BM_CLICK, 0, 0);
    return WaitUntil([] { return Shown(ModuleWindow::Moscow) != nullptr; }, kClickAnsweredMs);
  }
  void ReloadWithSharedRuntimeFirst() {
    Unload();
    m_sharedRuntime = LoadLibraryA("libgcc_s_dw2-1.dll");
    ASSERT_NE(m_sharedRuntime, nullptr) << "the toolchain's shared runtime beside the test";
    LoadModule();
    m_expected = DisplayState::Hidden;
  }
  // An export that throws inside (its allocation fails) answers its neutral
  // value, whatever else is in the process: on this thread, and on two
  // threads of the host that end one after the other (the second takes over
  // the exception record the first handed back as it ended).
  void ExpectAThrowingExportAnswersNeutrally() {
    if (!m_module) return;
    host::Qso qso;
    qso.call = "UA3AAA";
    qso.rcvd = "MO-01";
    qso.countryPrefix = "UA";
    qso.time = host::MakeDateTime(2026, 12, 6, 12, 5);
    const FailingAllocations failing(m_module->Handle());
    ASSERT_TRUE(failing.Armed()) << "the module imports no malloc";
    EXPECT_EQ(Host().AddData(qso), 0) << "AddData0 with every allocation failing";
    for (int thread = 1; thread <= 2; ++thread) {
      int answer = -1;
      std::thread([&] { answer = Host().AddData(qso); }).join();
      EXPECT_EQ(answer, 0) << "AddData0 with every allocation failing, thread " << thread;
    }
  }

 protected:
  void SetUp() override {
    DisplaySessionTest::SetUp();
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &MainWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kHostWindowClass;
    RegisterClassW(&windowClass);  // fails harmlessly when already registered
    m_hMainWindow = CreateWindowExW(0, kHostWindowClass, L"Orvo", WS_OVERLAPPEDWINDOW, 400, 300,
                                    300, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(m_hMainWindow, nullptr);
    SetWindowLongPtrW(m_hMainWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ShowWindow(m_hMainWindow, SW_SHOW);
  }
  void TearDown() override {
    DisplaySessionTest::TearDown();
    if (m_hMainWindow != nullptr) DestroyWindow(m_hMainWindow);
    if (m_sharedRuntime != nullptr) FreeLibrary(m_sharedRuntime);
  }

  void Arrange(Moment moment) {
    if (!m_module) {
      LoadModule();
      m_expected = DisplayState::Hidden;
    }
    QuietReset();
    if (moment == Moment::StartingReset) {
      HideDisplay();
    } else {
      ShowAllWindows();
      m_expected = DisplayState::Shown;
    }
  }

  // The cell's end: the last command's state, then nothing of the module
  // after its unload, then a fresh load that shows the display.
  void CheckCell(const std::string& cell) {
    const ModuleImage image = m_module ? ImageOf(m_module->Handle()) : m_image;
    switch (m_expected) {
      case DisplayState::Shown:
        EXPECT_TRUE(WaitShown(ModuleWindow::Information)) << cell << ": no display";
        break;
      case DisplayState::Hidden:
        // A stop stays a stop: a call check's refresh shows nothing again.
        CheckCall();
        orvosim::PumpFor(kRefreshSettledMs);
        [[fallthrough]];
      case DisplayState::Unloaded:
        EXPECT_TRUE(WaitUntil([&] { return VisibleModuleWindows(image).empty(); }, 500))
            << cell << ": a window of the module visible";
        break;
    }
    WatchModuleThreads();
    if (m_module) Unload();
    EXPECT_TRUE(WaitUntil([&] { return ModuleWindows(image).empty(); }, kAfterUnloadMs))
        << cell << ": a window of the module left after the unload";
    EXPECT_TRUE(WaitUntil([&] { return ThreadCount() <= m_threadsBefore; }, kAfterUnloadMs))
        << cell << ": a thread left after the unload";
    LoadModule();
    QuietReset();
    ShowDisplay();
    WatchModuleThreads();
    EXPECT_TRUE(WaitShown(ModuleWindow::Information)) << cell << ": a fresh load shows nothing";
    HideDisplay();
  }

  void RunCell(const Behaviour& behaviour, Moment moment) {
    const std::string cell = std::string(behaviour.name) + " during " + NameOf(moment);
    const HangGuard guard(cell.c_str(), 0, kCellGuardMs);
    m_threadsBefore = ThreadCount();
    Arrange(moment);
    ASSERT_FALSE(HasFatalFailure()) << cell;
    m_image = ImageOf(m_module->Handle());
    behaviour.play(*this, moment);
    FinishSending();
    ASSERT_FALSE(HasFatalFailure()) << cell;
    std::printf("%s: ends %s\n", cell.c_str(), NameOf(m_expected));
    CheckCell(cell);
  }

  // Each export's time, for docs/performance.md.
  void PrintMeasures() const {
    for (const auto& [moment, times] : m_exportMs) {
      std::printf("measured %s with %s:", NameOf(moment), GetParam().name);
      for (const double ms : times) std::printf(" %.1f", ms);
      std::printf(" ms\n");
    }
  }

  DisplayState m_expected = DisplayState::Hidden;

 private:
  void Time(Moment moment, const std::function<void()>& body) {
    const double ms = MillisecondsOf(body);
    m_exportMs[moment].push_back(ms);
    EXPECT_LT(ms, kExportBoundMs) << NameOf(moment) << " with " << GetParam().name;
  }

  static LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<HostBoundaryTest*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    if (self->m_bCountInsideExports && host::ExportDepth() > 0) ++self->m_messagesInsideExports;
    if (message == kRunHandlerMessage) {
      EXPECT_EQ(host::ExportDepth(), 0) << "the host's handler ran inside an export";
      if (self->m_handler) self->m_handler();
      ++self->m_handlerRuns;
      return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  HWND m_hMainWindow = nullptr;
  HMODULE m_sharedRuntime = nullptr;
  ModuleImage m_image;
  int m_threadsBefore = 0;
  std::function<void()> m_beforeExport;
  std::function<void()> m_handler;
  std::thread m_sender;
  std::atomic<int> m_handlerRuns{0};
  bool m_bCountInsideExports = false;
  int m_messagesInsideExports = 0;
  std::map<Moment, std::vector<double>> m_exportMs;
};

// ---- the behaviours -----------------------------------------------------------

void PlayHostWindowActive(HostBoundaryTest& test, Moment moment) {
  SetForegroundWindow(test.HostWindow());
  SetActiveWindow(test.HostWindow());
  orvosim::PumpFor(100);
  test.CountHostMessagesInsideExports(true);
  test.Play(moment);
  test.CountHostMessagesInsideExports(false);
  EXPECT_EQ(test.HostMessagesInsideExports(), 0)
      << "messages reached the host's window inside the export";
}

template <void (HostBoundaryTest::*Handler)()>
void PlaySentMessage(HostBoundaryTest& test, Moment moment) {
  test.SendFromAnotherThreadDuringExport([&test] { (test.*Handler)(); });
  test.Play(moment);
}

void PlaySystemMenuOpen(HostBoundaryTest& test, Moment moment) {
  PostMessageW(test.InformationWindow(), WM_SYSCOMMAND, SC_KEYMENU, ' ');
  ASSERT_TRUE(test.WaitForSystemLoop(GUI_INMENUMODE)) << "the system menu did not open";
  // Every moment ends the display the menu was open on; a later display's
  // window is left alone.
  test.Play(moment);
}

void PlayKeyboardMove(HostBoundaryTest& test, Moment moment) {
  PostMessageW(test.InformationWindow(), WM_SYSCOMMAND, SC_MOVE, 0);
  ASSERT_TRUE(test.WaitForSystemLoop(GUI_INMOVESIZE)) << "no move loop";
  test.Play(moment);
}

// The operator holds the information window by its caption and drags it,
// with the real mouse of the virtual display.
void PlayMouseDrag(HostBoundaryTest& test, Moment moment) {
  RECT frame{};
  GetWindowRect(test.InformationWindow(), &frame);
  const int x = frame.left + 24;
  const int y = frame.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
  char command[160];
  std::snprintf(command, sizeof command,
                "/usr/bin/xdotool mousemove %d %d mousedown 1 mousemove %d %d", x, y, x + 25,
                y + 15);
  ASSERT_TRUE(RunUnixProgram(command)) << "xdotool did not start";
  ASSERT_TRUE(test.WaitForSystemLoop(GUI_INMOVESIZE)) << "the drag started no move loop";
  test.Play(moment);
  RunUnixProgram("/usr/bin/xdotool mouseup 1");
}

// The exports come from a thread of the host that runs no message loop: it
// plays the moment, then stays busy while the operator clicks.
void PlayFromThreadWithoutLoop(HostBoundaryTest& test, Moment moment) {
  test.WriteSetting("RusObl", "0");
  test.WriteSetting("DXCC", "0");
  const stats::UniqueKernelObject released(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  std::atomic<bool> played{false};
  std::thread hostThread([&] {
    test.Play(moment);
    played = true;
    WaitForSingleObject(released.get(), 10000);
  });
  test.WaitUntil([&] { return played.load(); }, 10000);
  if (test.Expected() == DisplayState::Shown) {
    EXPECT_TRUE(test.ClickMoscowBoxAndSeeTheWindow())
        << "the display took no click while the host's thread runs no loop";
  }
  SetEvent(released.get());
  hostThread.join();
}

void PlaySharedRuntimeLoaded(HostBoundaryTest& test, Moment moment) {
  test.ExpectAThrowingExportAnswersNeutrally();
  test.Play(moment);
  test.ExpectAThrowingExportAnswersNeutrally();
}

TEST_P(HostBoundaryTest, EveryMomentEndsSafelyInTheLastCommandsState) {
  const Behaviour& behaviour = GetParam();
  if (behaviour.play == &PlaySharedRuntimeLoaded) {
    ReloadWithSharedRuntimeFirst();
    ASSERT_FALSE(HasFatalFailure());
  }
  for (const Moment moment : kMoments) {
    if (behaviour.needsWindow && moment == Moment::StartingReset) continue;
    RunCell(behaviour, moment);
    if (HasFatalFailure()) break;
  }
  PrintMeasures();
}

INSTANTIATE_TEST_SUITE_P(
    EachBehaviour, HostBoundaryTest,
    ::testing::Values(
        Behaviour{"HostWindowActive", false, &PlayHostWindowActive},
        Behaviour{"SentCheckCall", false, &PlaySentMessage<&HostBoundaryTest::CheckCall>},
        Behaviour{"SentHide", false, &PlaySentMessage<&HostBoundaryTest::HideDisplay>},
        Behaviour{"SentShow", false, &PlaySentMessage<&HostBoundaryTest::ShowDisplay>},
        Behaviour{"SentUnload", false, &PlaySentMessage<&HostBoundaryTest::Unload>},
        Behaviour{"SystemMenuOpen", true, &PlaySystemMenuOpen},
        Behaviour{"KeyboardMove", true, &PlayKeyboardMove},
        Behaviour{"MouseDrag", true, &PlayMouseDrag},
        Behaviour{"ThreadWithoutLoop", false, &PlayFromThreadWithoutLoop},
        Behaviour{"SharedRuntimeLoaded", false, &PlaySharedRuntimeLoaded}),
    [](const ::testing::TestParamInfo<Behaviour>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace session
