#pragma once
// The host's main window, as a host application has one: created on the
// host's main thread, with the entry field the operator types calls into,
// and the message loop that runs the host's work one step per message.
// Every export is called from a handler of this window, so the plug-in sees
// the host's thread inside a message handler, as in the real host. The
// window stays hidden: it would cover the plug-in's windows in the pictures.
#include <windows.h>

#include <functional>
#include <string>

#include "host_step.h"

namespace orvosim {

class HostWindow {
 public:
  using EntryChanged = std::function<void(const std::wstring& text)>;

  HostWindow() = default;
  ~HostWindow();
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;

  // The window and its entry field, on the calling thread; false with the
  // reason in `error`.
  bool Create(std::string& error);
  // Puts the text into the entry field as a keystroke does. The field's
  // change notification reaches the window at once, which hands the text
  // to the EntryChanged of Run.
  void SetEntryText(const std::wstring& text);
  // The host's message loop: takes one step of `next` per posted message,
  // or from a timer when a step asks to wait, until a step says Stop.
  void Run(StepSource next, EntryChanged onEntryChanged);

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void OnCommand(WPARAM wParam);
  void TakeStep();

  HWND m_hWnd = nullptr;
  HWND m_hEntry = nullptr;
  StepSource m_next;
  EntryChanged m_onEntryChanged;
};

}  // namespace orvosim
