#include "session_fixture.h"

#include "message_pump_win.h"

namespace session {
namespace {

constexpr const char* kSettingsPath = "Plugins\\KESTREL-RTTY.ini";
constexpr const wchar_t* kHostWindowClass = L"SessionHostWindow";
constexpr UINT kKeystrokeMessage = WM_APP + 1;
constexpr UINT kUnloadMessage = WM_APP + 2;

BOOL CALLBACK CountDialog(HWND window, LPARAM count) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char className[16] = {};
  GetClassNameA(window, className, sizeof className);
  if (process == GetCurrentProcessId() && std::string(className) == "#32770") {
    ++*reinterpret_cast<int*>(count);
  }
  return TRUE;
}

}  // namespace

std::wstring From1251(const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  const int n = MultiByteToWideChar(1251, 0, text.data(), static_cast<int>(text.size()),
                                    wide.data(), static_cast<int>(wide.size()));
  wide.resize(n > 0 ? n : 0);
  return wide;
}

void DisplaySessionTest::SetUp() {
  ASSERT_TRUE(m_folder.IsReady());
  m_reentriesBefore = host::ReentryCount();
  m_folder.Write("Plugins\\rda_rus.dat", kRdaFile);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = &HostWindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kHostWindowClass;
  RegisterClassW(&windowClass);  // fails harmlessly when already registered
  m_hHostWindow = CreateWindowExW(0, kHostWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(m_hHostWindow, nullptr);
  SetWindowLongPtrW(m_hHostWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  if (m_bStartHost) StartHost();
  LoadModule();
}

void DisplaySessionTest::TearDown() {
  // A host hides the display before it unloads the module; unloading at
  // every other moment has tests of its own.
  if (m_host) HostObject().SetPace({});
  if (m_module) {
    Host().RunCommand("HIDEINFO");
    UnloadModule();
  }
  StopHost();
  if (m_hHostWindow != nullptr) DestroyWindow(m_hHostWindow);
  EXPECT_EQ(host::ReentryCount() - m_reentriesBefore, 0)
      << "an export was entered while another was on this thread's stack";
  EXPECT_EQ(m_lastResorts.Count(), 0) << "the module used a last resort: " << m_lastResorts.Last();
  EXPECT_EQ(m_strThreadFaults + m_moduleThreads.EndedBadly(2000), "");
}

void DisplaySessionTest::WatchModuleThreads() {
  if (m_module) m_moduleThreads.Discover(ImageOf(m_module->Handle()));
  m_strThreadFaults += m_moduleThreads.Reap();
}

void DisplaySessionTest::StartHost() {
  m_host = std::make_unique<orvosim::AutomationHost>();
  std::string error;
  ASSERT_TRUE(m_host->StartOnThisThread(error)) << error;
}

void DisplaySessionTest::StopHost() {
  if (m_host) m_host->Stop();
  m_host.reset();
}

void DisplaySessionTest::LoadModule() {
  m_module = std::make_unique<host::StatsModule>(host::StatsDllPath(STATS_DLL_PATH));
  ASSERT_TRUE(m_module->IsLoaded()) << "LoadLibrary failed, error " << m_module->LoadError();
  m_calls = std::make_unique<host::HostCalls>(m_module->Bind(host::Binding::Decorated));
}

double DisplaySessionTest::UnloadModule() {
  // The host never unloads the module from inside one of its exports.
  const host::ExportCall unload;
  WatchModuleThreads();
  m_calls.reset();
  m_lastUnloadMs = MillisecondsOf([this] { m_module.reset(); });
  m_strThreadFaults += m_moduleThreads.Reap();
  return m_lastUnloadMs;
}

void DisplaySessionTest::PostKeystroke(const std::string& call) {
  m_strKeystroke = call;
  PostMessageW(m_hHostWindow, kKeystrokeMessage, 0, 0);
}

void DisplaySessionTest::PostUnload() { PostMessageW(m_hHostWindow, kUnloadMessage, 0, 0); }

LRESULT CALLBACK DisplaySessionTest::HostWindowProc(HWND window, UINT message, WPARAM wParam,
                                                    LPARAM lParam) {
  auto* self =
      reinterpret_cast<DisplaySessionTest*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self != nullptr && message == kKeystrokeMessage && self->m_calls) {
    self->Type(self->m_strKeystroke);
    return 0;
  }
  if (self != nullptr && message == kUnloadMessage && self->m_module) {
    self->UnloadModule();
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void DisplaySessionTest::QuietReset(const std::string& ownPrefix) {
  WriteSetting("Start", "1");
  host::ResetArgs args;
  args.ownCall = "R3XYZ";
  args.ownCountryPrefix = ownPrefix;
  args.end = host::MakeDateTime(2026, 12, 6, 23, 59);
  ASSERT_EQ(Host().ResetStats(args), 1);
}

void DisplaySessionTest::Log(const std::string& call, const std::string& band,
                             const std::string& rcvd, const std::string& prefix, int hour,
                             int minute) {
  host::Qso qso;
  qso.call = call;
  qso.band = band;
  qso.rcvd = rcvd;
  qso.countryPrefix = prefix;
  qso.time = host::MakeDateTime(2026, 12, 6, hour, minute);
  ASSERT_EQ(Host().AddData(qso), 1) << call << " " << band << " " << rcvd;
}

void DisplaySessionTest::Command(const char* text) {
  const char* result = Host().RunCommand(text);
  WatchModuleThreads();
  ASSERT_NE(result, nullptr) << text;
  EXPECT_STREQ(result, "") << text;
}

void DisplaySessionTest::Type(const std::string& call) {
  HostObject().SetEntryField(std::wstring(call.begin(), call.end()));
  char warning[100] = {};
  Host().CheckCall(call, "RTTY", "80m", warning);
}

void DisplaySessionTest::Click(int boxId) {
  HWND info = Shown(ModuleWindow::Information);
  ASSERT_NE(info, nullptr) << "no information window to click " << boxId;
  SendMessageW(GetDlgItem(info, boxId), BM_CLICK, 0, 0);
}

void DisplaySessionTest::ShowAllWindows() {
  WriteSetting("RusObl", "1");
  WriteSetting("DXCC", "1");
  Tune(3520000);
  Command("SHOWINFO");
  ASSERT_TRUE(WaitShown(ModuleWindow::Moscow));
  ASSERT_TRUE(WaitShown(ModuleWindow::Rda));
  orvosim::PumpFor(400);
}

bool DisplaySessionTest::WaitUntil(const std::function<bool()>& done, DWORD limitMs) {
  const ULONGLONG deadline = GetTickCount64() + limitMs;
  while (!done()) {
    if (GetTickCount64() >= deadline) return false;
    orvosim::PumpFor(20);
  }
  return true;
}

int DisplaySessionTest::DialogWindowCount() {
  int count = 0;
  EnumWindows(&CountDialog, reinterpret_cast<LPARAM>(&count));
  return count;
}

std::wstring DisplaySessionTest::Caption(HWND window) {
  wchar_t text[512] = {};
  // Another thread's window: the text as the window keeps it.
  InternalGetWindowText(window, text, 512);
  return text;
}

bool DisplaySessionTest::WaitCaption(ModuleWindow which, const std::wstring& caption) {
  return WaitUntil([&] {
    HWND window = Shown(which);
    return window != nullptr && Caption(window) == caption;
  });
}

std::string DisplaySessionTest::Setting(const char* key) const {
  char value[256] = {};
  GetPrivateProfileStringA("Settings", key, "<missing>", value, sizeof value,
                           (m_folder.Path() / kSettingsPath).string().c_str());
  return value;
}

void DisplaySessionTest::WriteSetting(const char* key, const char* value) const {
  WritePrivateProfileStringA("Settings", key, value,
                             (m_folder.Path() / kSettingsPath).string().c_str());
}

}  // namespace session
