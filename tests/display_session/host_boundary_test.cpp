// What a real host's window thread does while the plug-in works, tried
// during each moment of the display's life: "SHOWINFO" (over a shown
// display), "HIDEINFO", a reset whose "Start" rule starts the display, and
// the unload. The host's window is active; another thread of the host sends
// its window a message whose handler calls an export or unloads the module;
// the operator has the information window's system menu open, moves it by
// keyboard or drags it with the mouse, or holds a mouse button on a caption
// button or a caption; the exports come from a thread with no message loop;
// another component built with the same toolchain has its shared runtime in
// the process; the heap is exhausted; another host thread unloads the module
// while a request of the display waits for the courier; the host attaches
// its input to the display thread; a host member runs a loop of its own, or
// runs a macro late. Every cell must end without a crash, in the
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
#include <optional>
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

// One of msvcrt's functions in the module's import table, replaced while
// this lives.
class ImportSwap {
 public:
  ImportSwap(HMODULE module, const char* function, void* replacement)
      : m_slot(ImportSlot(module, function)) {
    if (m_slot != nullptr) Swap(replacement);
  }
  ~ImportSwap() {
    if (m_slot != nullptr) Swap(m_original);
  }
  ImportSwap(const ImportSwap&) = delete;
  ImportSwap& operator=(const ImportSwap&) = delete;
  bool Armed() const { return m_slot != nullptr; }

 private:
  static void** ImportSlot(HMODULE module, const char* function) {
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
        if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0) {
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

// msvcrt's malloc in the module's import table answers null while this
// lives: the module's next allocation fails and throws. With the heap
// exhausted, calloc too: a new thread finds no memory for its exception
// record either.
class FailingAllocations {
 public:
  FailingAllocations(HMODULE module, bool heapExhausted)
      : m_malloc(module, "malloc", reinterpret_cast<void*>(&NoMemory)) {
    if (heapExhausted) m_calloc.emplace(module, "calloc", reinterpret_cast<void*>(&NoZeroedMemory));
  }
  bool Armed() const { return m_malloc.Armed() && (!m_calloc || m_calloc->Armed()); }

 private:
  static void* __cdecl NoMemory(size_t) { return nullptr; }
  static void* __cdecl NoZeroedMemory(size_t, size_t) { return nullptr; }

  ImportSwap m_malloc;
  std::optional<ImportSwap> m_calloc;
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

constexpr unsigned Only(Moment moment) { return 1u << static_cast<unsigned>(moment); }
constexpr unsigned kEveryMoment = ~0u;
constexpr unsigned kTheStops = Only(Moment::Hide) | Only(Moment::Unload);

struct Behaviour {
  const char* name;
  // It acts on a shown display window, so it cannot be there before the
  // reset that starts the display.
  bool needsWindow;
  // Brings the behaviour about, plays the moment with it (test.Play), and
  // lets it go.
  void (*play)(HostBoundaryTest& test, Moment moment);
  // The moments it is played at, and how often each (a race is played
  // until it would have shown).
  unsigned moments = kEveryMoment;
  int runs = 1;
};

class HostBoundaryTest : public DisplaySessionTest, public ::testing::WithParamInterface<Behaviour> {
 public:
  using DisplaySessionTest::HostObject;
  using DisplaySessionTest::Setting;
  using DisplaySessionTest::Tune;
  using DisplaySessionTest::Type;
  using DisplaySessionTest::WaitCaption;
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
  HWND RdaWindow() const { return Shown(ModuleWindow::Rda); }
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
  // A loop of the system's holds the mouse on the display thread (a button
  // held on a caption button or a caption).
  bool WaitForDisplayCapture() {
    return WaitUntil(
        [this] {
          GUITHREADINFO info{};
          info.cbSize = sizeof info;
          return GetGUIThreadInfo(DisplayThreadId(), &info) && info.hwndCapture != nullptr;
        },
        3000);
  }
  // The middle of the run of caption-row points where `window` answers
  // `hit` (a caption button, the caption), in screen coordinates.
  static bool FindCaptionPoint(HWND window, LRESULT hit, POINT& at) {
    RECT frame{};
    POINT client{0, 0};
    if (!GetWindowRect(window, &frame) || !ClientToScreen(window, &client)) return false;
    const int y = (frame.top + client.y) / 2;
    int first = -1;
    int last = -1;
    for (int x = frame.left; x < frame.right; ++x) {
      if (SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) != hit) continue;
      if (first < 0) first = x;
      last = x;
      if (hit == HTCAPTION && last - first >= 20) break;  // a point well inside will do
    }
    if (first < 0) return false;
    at = {(first + last) / 2, y};
    return true;
  }
  // Another thread of the host unloads the module while a request of the
  // display waits in this thread's queue for the courier; this thread
  // serves its messages `serveAfterMs` later. The unload's time is the
  // other thread's FreeLibrary.
  void UnloadFromAnotherThreadWithCourierQueued(DWORD serveAfterMs) {
    if (!m_module) return;
    CheckCall();  // its refresh asks the host for the call
    ASSERT_TRUE(WaitWithoutServingForCourierRequest(3000)) << "no request reached the courier";
    WatchModuleThreads();
    m_calls.reset();
    std::unique_ptr<host::StatsModule> module = std::move(m_module);
    double unloadMs = 0.0;
    std::thread other([&] { unloadMs = MillisecondsOf([&] { module.reset(); }); });
    if (serveAfterMs > 0) Sleep(serveAfterMs);
    orvosim::PumpFor(50);
    other.join();
    orvosim::PumpFor(50);
    Record(Moment::Unload, unloadMs);
    m_strThreadFaults += m_moduleThreads.Reap();
    m_expected = DisplayState::Unloaded;
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
  // The display's request to the host is in this thread's queue: a message
  // of the application's range for a message-only window of the system's
  // "Static" class (the courier). Nothing is served meanwhile.
  static bool WaitWithoutServingForCourierRequest(DWORD limitMs) {
    const ULONGLONG deadline = GetTickCount64() + limitMs;
    for (;;) {
      MSG message;
      if (PeekMessageW(&message, nullptr, WM_APP, 0xBFFF, PM_NOREMOVE | PM_NOYIELD)) {
        wchar_t name[16] = {};
        GetClassNameW(message.hwnd, name, 16);
        if (lstrcmpiW(name, L"Static") == 0) return true;
      }
      if (GetTickCount64() >= deadline) return false;
      Sleep(2);
    }
  }
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
  // With the heap exhausted, each of those threads' first exception finds
  // no memory for its record either.
  void ExpectAThrowingExportAnswersNeutrally(bool heapExhausted = false) {
    if (!m_module) return;
    host::Qso qso;
    qso.call = "UA3AAA";
    qso.rcvd = "MO-01";
    qso.countryPrefix = "UA";
    qso.time = host::MakeDateTime(2026, 12, 6, 12, 5);
    const FailingAllocations failing(m_module->Handle(), heapExhausted);
    ASSERT_TRUE(failing.Armed()) << "the module imports no malloc or calloc";
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
  void Time(Moment moment, const std::function<void()>& body) { Record(moment, MillisecondsOf(body)); }
  void Record(Moment moment, double ms) {
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

// The operator holds a mouse button on a caption button or a caption: the
// system's tracking loop reads only mouse messages until the release. Then
// the moment, then the release, which does nothing of the module's.
enum class HeldOn { InformationCloseBox, RdaMaximizeBox, InformationCaptionRightButton };
enum class Press { Posted, Real };

template <HeldOn target, Press press>
void PlayHeldCaptionButton(HostBoundaryTest& test, Moment moment) {
  const bool right = target == HeldOn::InformationCaptionRightButton;
  HWND window = target == HeldOn::RdaMaximizeBox ? test.RdaWindow() : test.InformationWindow();
  const LRESULT hit = target == HeldOn::InformationCloseBox ? HTCLOSE
                      : target == HeldOn::RdaMaximizeBox    ? HTMAXBUTTON
                                                            : HTCAPTION;
  POINT at{};
  ASSERT_TRUE(HostBoundaryTest::FindCaptionPoint(window, hit, at)) << "no such caption point";
  const std::string shownBefore = test.Setting("RusObl") + test.Setting("DXCC");
  char command[160];
  if (press == Press::Posted) {
    PostMessageW(window, right ? WM_NCRBUTTONDOWN : WM_NCLBUTTONDOWN, hit, MAKELPARAM(at.x, at.y));
  } else {
    std::snprintf(command, sizeof command, "/usr/bin/xdotool mousemove %ld %ld mousedown %d",
                  at.x, at.y, right ? 3 : 1);
    ASSERT_TRUE(RunUnixProgram(command)) << "xdotool did not start";
  }
  ASSERT_TRUE(test.WaitForDisplayCapture()) << "no loop holds the button";
  test.Play(moment);
  if (press == Press::Posted) {
    PostMessageW(window, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, 0);
  } else {
    std::snprintf(command, sizeof command, "/usr/bin/xdotool mouseup %d", right ? 3 : 1);
    RunUnixProgram(command);
  }
  orvosim::PumpFor(200);
  if (moment != Moment::Unload) {
    EXPECT_EQ(test.Setting("RusObl") + test.Setting("DXCC"), shownBefore)
        << "the release changed which windows a new display opens";
  }
}

// Another thread of the host unloads the module while a request of the
// display waits for the courier, which this thread serves `ms` later.
template <DWORD ms>
void PlayUnloadFromAnotherThreadWithCourierQueued(HostBoundaryTest& test, Moment) {
  test.UnloadFromAnotherThreadWithCourierQueued(ms);
}

// The host attaches its input to the display thread with a display window
// active, as it does to take the foreground back, and lets go after the
// moment (a thread that ended has let go already).
void PlayInputAttached(HostBoundaryTest& test, Moment moment) {
  const DWORD display = test.DisplayThreadId();
  ASSERT_TRUE(AttachThreadInput(GetCurrentThreadId(), display, TRUE)) << "no attach";
  SetActiveWindow(test.InformationWindow());
  orvosim::PumpFor(100);
  ASSERT_EQ(GetActiveWindow(), test.InformationWindow()) << "no display window active";
  test.Play(moment);
  AttachThreadInput(GetCurrentThreadId(), display, FALSE);
}

// A thread of the host that has never thrown before throws into an export
// with the heap exhausted: it answers its neutral value.
void PlayHeapExhausted(HostBoundaryTest& test, Moment moment) {
  test.ExpectAThrowingExportAnswersNeutrally(true);
  test.Play(moment);
}

// The entry-field member runs a loop of its own for longer than the
// display waits: the typed call still reaches the RDA window's caption,
// with no second keystroke.
void PlayMemberWithOwnLoop(HostBoundaryTest& test, Moment moment) {
  test.HostObject().SetPace(orvosim::HostMember::EntryField, {orvosim::MemberPace::Kind::OwnLoop, 1500});
  test.Type("DL1AA");
  EXPECT_TRUE(test.WaitCaption(ModuleWindow::Rda, L"QX9-2026 worked with DL1AA"))
      << "the refresh never arrived";
  test.HostObject().SetPace({});
  test.Play(moment);
}

// The host runs "<SP1>" later than the display waits for it: one change of
// frequency sends it once, over the steps that follow.
void PlayMacroAnsweredLate(HostBoundaryTest& test, Moment moment) {
  const auto sent = [&test] {
    const std::vector<std::wstring> macros = test.HostObject().Macros();
    return std::count(macros.begin(), macros.end(), L"<SP1>");
  };
  const auto before = sent();
  test.HostObject().SetPace(orvosim::HostMember::RunMacro, {orvosim::MemberPace::Kind::Blocking, 1300});
  test.Tune(7020000);
  test.Type("DL1AA");
  EXPECT_TRUE(test.WaitUntil([&] { return sent() > before; }, 4000)) << "no macro";
  test.Type("DL1AB");
  EXPECT_TRUE(test.WaitCaption(ModuleWindow::Rda, L"QX9-2026 worked with DL1AB"));
  orvosim::PumpFor(1500);
  EXPECT_EQ(sent() - before, 1) << "macros for one change of frequency";
  test.HostObject().SetPace({});
  test.Play(moment);
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
    if ((behaviour.moments & Only(moment)) == 0) continue;
    for (int run = 0; run < behaviour.runs && !HasFatalFailure(); ++run) RunCell(behaviour, moment);
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
        Behaviour{"SharedRuntimeLoaded", false, &PlaySharedRuntimeLoaded},
        Behaviour{"HeapExhausted", false, &PlayHeapExhausted},
        Behaviour{"HeldCloseBoxPosted", true,
                  &PlayHeldCaptionButton<HeldOn::InformationCloseBox, Press::Posted>, kTheStops},
        Behaviour{"HeldCloseBoxReal", true,
                  &PlayHeldCaptionButton<HeldOn::InformationCloseBox, Press::Real>, kTheStops},
        Behaviour{"HeldMaximizeBoxPosted", true,
                  &PlayHeldCaptionButton<HeldOn::RdaMaximizeBox, Press::Posted>, kTheStops},
        Behaviour{"HeldMaximizeBoxReal", true,
                  &PlayHeldCaptionButton<HeldOn::RdaMaximizeBox, Press::Real>, kTheStops},
        Behaviour{"HeldCaptionRightButtonPosted", true,
                  &PlayHeldCaptionButton<HeldOn::InformationCaptionRightButton, Press::Posted>,
                  kTheStops},
        Behaviour{"HeldCaptionRightButtonReal", true,
                  &PlayHeldCaptionButton<HeldOn::InformationCaptionRightButton, Press::Real>,
                  kTheStops},
        // A race that hit one run in four: four runs each of four delays.
        Behaviour{"UnloadFromAnotherThreadCourierServedAt0ms", true,
                  &PlayUnloadFromAnotherThreadWithCourierQueued<0>, Only(Moment::Unload), 4},
        Behaviour{"UnloadFromAnotherThreadCourierServedAt5ms", true,
                  &PlayUnloadFromAnotherThreadWithCourierQueued<5>, Only(Moment::Unload), 4},
        Behaviour{"UnloadFromAnotherThreadCourierServedAt10ms", true,
                  &PlayUnloadFromAnotherThreadWithCourierQueued<10>, Only(Moment::Unload), 4},
        Behaviour{"UnloadFromAnotherThreadCourierServedAt30ms", true,
                  &PlayUnloadFromAnotherThreadWithCourierQueued<30>, Only(Moment::Unload), 4},
        Behaviour{"InputAttached", true, &PlayInputAttached,
                  Only(Moment::Show) | kTheStops},
        Behaviour{"MemberWithOwnLoop", true, &PlayMemberWithOwnLoop},
        Behaviour{"MacroAnsweredLate", true, &PlayMacroAnsweredLate}),
    [](const ::testing::TestParamInfo<Behaviour>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace session
