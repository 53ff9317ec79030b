#include "host_window_win.h"

#include <utility>

namespace orvosim {
namespace {

constexpr const wchar_t* kClassName = L"OrvoSimMainWindow";
constexpr const wchar_t* kTitle = L"OrvoSim";
constexpr int kEntryId = 100;
// The host's own message: take the next step.
constexpr UINT kStepMessage = WM_APP + 1;
constexpr UINT_PTR kWaitTimer = 1;

}  // namespace

HostWindow::~HostWindow() {
  if (m_hWnd != nullptr) DestroyWindow(m_hWnd);
}

bool HostWindow::Create(std::string& error) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &WindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kClassName;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  if (RegisterClassExW(&wc) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    error = "cannot register the main window class (error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  m_hWnd = CreateWindowExW(0, kClassName, kTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                           CW_USEDEFAULT, 400, 120, nullptr, nullptr, wc.hInstance, this);
  if (m_hWnd == nullptr) {
    error = "cannot create the main window (error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  m_hEntry = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                             WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 8, 8, 200,
                             24, m_hWnd, reinterpret_cast<HMENU>(kEntryId),
                             wc.hInstance, nullptr);
  if (m_hEntry == nullptr) {
    error = "cannot create the entry field (error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  return true;
}

void HostWindow::SetEntryText(const std::wstring& text) { SetWindowTextW(m_hEntry, text.c_str()); }

void HostWindow::Run(StepSource next, EntryChanged onEntryChanged) {
  m_next = std::move(next);
  m_onEntryChanged = std::move(onEntryChanged);
  PostMessageW(m_hWnd, kStepMessage, 0, 0);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  m_next = nullptr;
  m_onEntryChanged = nullptr;
}

LRESULT CALLBACK HostWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                        LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<HostWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr || self->m_hWnd != window) {
    return DefWindowProcW(window, message, wParam, lParam);
  }
  return self->Handle(message, wParam, lParam);
}

LRESULT HostWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kStepMessage: TakeStep(); return 0;
    case WM_TIMER:
      if (wParam != kWaitTimer) break;
      KillTimer(m_hWnd, kWaitTimer);
      TakeStep();
      return 0;
    case WM_COMMAND: OnCommand(wParam); return 0;
  }
  return DefWindowProcW(m_hWnd, message, wParam, lParam);
}

// The entry field's change notification: what a host does on every
// keystroke in its call field.
void HostWindow::OnCommand(WPARAM wParam) {
  if (LOWORD(wParam) != kEntryId || HIWORD(wParam) != EN_CHANGE || !m_onEntryChanged) return;
  const int length = GetWindowTextLengthW(m_hEntry);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(m_hEntry, text.data(), length + 1)));
  m_onEntryChanged(text);
}

// One step at a time: the next is triggered only once this one is done, so
// steps never nest, even when a step's export serves the host's messages.
void HostWindow::TakeStep() {
  if (!m_next) return;
  const HostStep step = m_next();
  switch (step.kind) {
    case HostStep::Kind::Next: PostMessageW(m_hWnd, kStepMessage, 0, 0); return;
    case HostStep::Kind::After: SetTimer(m_hWnd, kWaitTimer, step.ms, nullptr); return;
    case HostStep::Kind::Stop: PostQuitMessage(0); return;
  }
}

}  // namespace orvosim
