#include "dialog_answerer_win.h"

#include <cstdio>
#include <string>
#include <utility>

#include "console_text_win.h"
#include "message_pump_win.h"
#include "resources/resource.h"
#include "window_driver_win.h"

namespace orvosim {
namespace {

// The station dialog by a control that only it has: other windows of the
// plug-in may carry the same caption.
constexpr host::DialogSign kStationDialog{L"KESTREL-RTTY", IDC_CALLSIGN};
constexpr host::DialogSign kOutputBox{L"Output"};
constexpr DWORD kPollMs = 50;
constexpr DWORD kFinishMs = 5000;

void Say(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

}  // namespace

DialogAnswerer::DialogAnswerer(AnswerScript script, DWORD timeoutMs)
    : m_script(std::move(script)), m_timeoutMs(timeoutMs) {}

DialogAnswerer::~DialogAnswerer() {
  Finish();
}

bool DialogAnswerer::Start() {
  m_thread.reset(CreateThread(nullptr, 0, &DialogAnswerer::ThreadProc, this, 0, nullptr));
  return static_cast<bool>(m_thread);
}

void DialogAnswerer::Finish() {
  if (!m_thread) return;
  m_stop = true;
  // Pump while waiting: the thread may still be sending to our windows.
  PumpUntilSignalled(m_thread.get(), kFinishMs);
  m_thread.reset();
}

DWORD WINAPI DialogAnswerer::ThreadProc(void* self) {
  static_cast<DialogAnswerer*>(self)->Run();
  return 0;
}

void DialogAnswerer::Run() {
  const ULONGLONG deadline = GetTickCount64() + m_timeoutMs;
  while (!m_stop && !m_dismissedOutput && GetTickCount64() < deadline) {
    if (!m_answeredDialog) {
      if (HWND dialog = host::FindDialog(kStationDialog)) {
        Answer(dialog);
        m_answeredDialog = true;
      }
    }
    if (HWND box = host::FindDialog(kOutputBox)) {
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
    host::SetText(control, WideFromFileText(entry.text));
    Say("dialog: " + std::to_string(entry.id) + " = " +
        Utf8FromWide(host::TextOf<wchar_t>(control)));
  }
  host::Press(dialog, m_script.confirm ? IDOK : IDCANCEL);
  Say(m_script.confirm ? "dialog: OK" : "dialog: CANCEL");
}

void DialogAnswerer::Dismiss(HWND box) {
  Say("Output: " + Utf8FromWide(host::MessageBoxText<wchar_t>(box)));
  host::Press(box, IDOK);
}

}  // namespace orvosim
