#include "dialog_answerer.h"

#include <cstdio>
#include <string>
#include <utility>

#include "console_text.h"

namespace orvosim {
namespace {

constexpr wchar_t kDialogClass[] = L"#32770";
constexpr wchar_t kStationCaption[] = L"KESTREL-RTTY";
constexpr wchar_t kOutputCaption[] = L"Output";
// Controls that only the station dialog has (CONTEST, CALLSIGN): other
// windows of the plug-in may carry the same caption.
constexpr int kContestControl = 1009;
constexpr int kCallsignControl = 1010;
constexpr DWORD kPollMs = 50;
constexpr UINT kSendTimeoutMs = 2000;

void Say(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

HWND FindStationDialog() {
  HWND candidate = nullptr;
  while ((candidate = FindWindowExW(nullptr, candidate, kDialogClass, kStationCaption)) != nullptr) {
    // Shown only after its initialisation has filled the controls, so
    // nothing typed here is overwritten.
    if (GetDlgItem(candidate, kContestControl) != nullptr &&
        GetDlgItem(candidate, kCallsignControl) != nullptr && IsWindowVisible(candidate)) {
      return candidate;
    }
  }
  return nullptr;
}

HWND FindOutputBox() {
  HWND box = FindWindowW(kDialogClass, kOutputCaption);
  return box != nullptr && IsWindowVisible(box) ? box : nullptr;
}

std::wstring WindowText(HWND window) {
  wchar_t buffer[1024] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, sizeof buffer / sizeof buffer[0],
                      reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, kSendTimeoutMs, &copied);
  return buffer;
}

// A message box's text sits in its one static control that has any text
// (the icon is a static too).
BOOL CALLBACK CollectStaticText(HWND child, LPARAM param) {
  wchar_t className[32] = {};
  GetClassNameW(child, className, 32);
  if (lstrcmpiW(className, L"Static") != 0) return TRUE;
  std::wstring text = WindowText(child);
  if (text.empty()) return TRUE;
  *reinterpret_cast<std::wstring*>(param) = std::move(text);
  return FALSE;
}

void PressButton(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

}  // namespace

DialogAnswerer::DialogAnswerer(AnswerScript script, DWORD timeoutMs)
    : m_script(std::move(script)), m_timeoutMs(timeoutMs) {}

DialogAnswerer::~DialogAnswerer() {
  Finish();
}

bool DialogAnswerer::Start() {
  m_thread = CreateThread(nullptr, 0, &DialogAnswerer::ThreadProc, this, 0, nullptr);
  return m_thread != nullptr;
}

void DialogAnswerer::Finish() {
  if (m_thread == nullptr) return;
  m_stop = true;
  // Pump while waiting: the thread may still be sending to our windows.
  const ULONGLONG deadline = GetTickCount64() + 5000;
  while (GetTickCount64() < deadline) {
    const DWORD left = static_cast<DWORD>(deadline - GetTickCount64());
    const DWORD r = MsgWaitForMultipleObjects(1, &m_thread, FALSE, left, QS_ALLINPUT);
    if (r != WAIT_OBJECT_0 + 1) break;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
  CloseHandle(m_thread);
  m_thread = nullptr;
}

DWORD WINAPI DialogAnswerer::ThreadProc(void* self) {
  static_cast<DialogAnswerer*>(self)->Run();
  return 0;
}

void DialogAnswerer::Run() {
  const ULONGLONG deadline = GetTickCount64() + m_timeoutMs;
  while (!m_stop && !m_dismissedOutput && GetTickCount64() < deadline) {
    if (!m_answeredDialog) {
      if (HWND dialog = FindStationDialog()) {
        Answer(dialog);
        m_answeredDialog = true;
      }
    }
    if (HWND box = FindOutputBox()) {
      Dismiss(box);
      m_dismissedOutput = true;
    }
    Sleep(kPollMs);
  }
  if (!m_stop && !m_dismissedOutput) Say("dialog: gave up waiting after " +
                                         std::to_string(m_timeoutMs / 1000) + " s");
}

void DialogAnswerer::Answer(HWND dialog) {
  Say("dialog: station dialog found");
  for (const ControlText& entry : m_script.texts) {
    HWND control = GetDlgItem(dialog, entry.id);
    if (control == nullptr) {
      Say("dialog: no control " + std::to_string(entry.id));
      continue;
    }
    // For a drop-down combo box this sets the text of its edit part.
    const std::wstring text = WideFromFileText(entry.text);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                        SMTO_ABORTIFHUNG, kSendTimeoutMs, &ignored);
    Say("dialog: " + std::to_string(entry.id) + " = " + Utf8FromWide(WindowText(control)));
  }
  PressButton(dialog, m_script.confirm ? IDOK : IDCANCEL);
  Say(m_script.confirm ? "dialog: OK" : "dialog: CANCEL");
}

void DialogAnswerer::Dismiss(HWND box) {
  std::wstring text;
  EnumChildWindows(box, &CollectStaticText, reinterpret_cast<LPARAM>(&text));
  Say("Output: " + Utf8FromWide(text));
  PressButton(box, IDOK);
}

}  // namespace orvosim
