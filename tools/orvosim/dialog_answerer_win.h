#pragma once
// The simulated operator in output mode. A thread of its own watches for
// the station dialog (caption "KESTREL-RTTY") and fills it from the answer
// script, then for the "Output" message box, whose text it prints before
// pressing OK. The host's thread is meanwhile blocked inside the plug-in's
// modal loops, which is why the answers have to come from elsewhere.
#include <windows.h>

#include <atomic>

#include "answer_script.h"
#include "platform/win32_handles.h"

namespace orvosim {

class DialogAnswerer {
 public:
  DialogAnswerer(AnswerScript script, DWORD timeoutMs);
  ~DialogAnswerer();
  DialogAnswerer(const DialogAnswerer&) = delete;
  DialogAnswerer& operator=(const DialogAnswerer&) = delete;

  bool Start();
  // Asks the thread to stop and waits for it (with a time limit).
  void Finish();

  bool AnsweredDialog() const { return m_answeredDialog; }
  bool DismissedOutput() const { return m_dismissedOutput; }

 private:
  static DWORD WINAPI ThreadProc(void* self);
  void Run();
  void Answer(HWND dialog);
  void Dismiss(HWND box);

  AnswerScript m_script;
  DWORD m_timeoutMs;
  stats::UniqueKernelObject m_thread;
  std::atomic<bool> m_stop{false};
  std::atomic<bool> m_answeredDialog{false};
  std::atomic<bool> m_dismissedOutput{false};
};

}  // namespace orvosim
