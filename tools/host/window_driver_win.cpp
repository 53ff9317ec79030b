#include "window_driver_win.h"

#include <thread>
#include <type_traits>

#include "platform/win32_handles.h"
#include "resources/resource.h"
#include "ui/moscow_districts.h"

namespace host {
namespace {

constexpr UINT kMessageTimeoutMs = 2000;
constexpr DWORD kPollMs = 20;
constexpr DWORD kGraceMs = 3000;
constexpr DWORD kCloseRetryMs = 300;
constexpr int kCloseAttempts = 100;

struct DialogSearch {
  const DialogSign& sign;
  HWND found = nullptr;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<DialogSearch*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId() || !IsWindowVisible(window)) return TRUE;
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (lstrcmpW(name, L"#32770") != 0) return TRUE;
  if (search->sign.caption != nullptr) {
    // The text as the window keeps it: no message to a thread that may hang.
    wchar_t caption[256] = {};
    InternalGetWindowText(window, caption, 256);
    if (lstrcmpW(caption, search->sign.caption) != 0) return TRUE;
  }
  if (search->sign.controlId != 0 && GetDlgItem(window, search->sign.controlId) == nullptr) {
    return TRUE;
  }
  if (search->sign.absentId != 0 && GetDlgItem(window, search->sign.absentId) != nullptr) {
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

template <typename Char>
BOOL CALLBACK LongestStatic(HWND child, LPARAM param) {
  auto* longest = reinterpret_cast<std::basic_string<Char>*>(param);
  wchar_t name[32] = {};
  GetClassNameW(child, name, 32);
  if (lstrcmpiW(name, L"Static") != 0) return TRUE;
  std::basic_string<Char> text = TextOf<Char>(child);
  if (text.size() > longest->size()) *longest = std::move(text);
  return TRUE;
}

BOOL CALLBACK PostClose(HWND window, LPARAM) {
  PostMessageW(window, WM_CLOSE, 0, 0);
  return TRUE;
}

// Closes what the blocked thread still shows until it reports back.
void CloseLeftovers(DWORD blockedThread, HANDLE done) {
  if (WaitForSingleObject(done, kGraceMs) == WAIT_OBJECT_0) return;
  for (int attempt = 0; attempt < kCloseAttempts; ++attempt) {
    EnumThreadWindows(blockedThread, &PostClose, 0);
    if (WaitForSingleObject(done, kCloseRetryMs) == WAIT_OBJECT_0) return;
  }
}

template <typename Char>
LRESULT SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                        DWORD_PTR& answer) {
  if constexpr (std::is_same_v<Char, wchar_t>) {
    return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kMessageTimeoutMs,
                               &answer);
  } else {
    return SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kMessageTimeoutMs,
                               &answer);
  }
}

template <typename Char>
void SetTextOf(HWND window, const std::basic_string<Char>& text) {
  DWORD_PTR ignored = 0;
  SendWithTimeout<Char>(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), ignored);
}

struct WindowSign {
  int controlId;  // a control this window has
  int absentId;   // a control that another window with `controlId` has
  const char* name;
};

// The grid's first box (district AF): only the Moscow window has it.
int FirstGridBox() { return stats::MoscowBoxes().front().id; }

WindowSign SignOf(ModuleWindow which) {
  switch (which) {
    case ModuleWindow::Information: return {IDC_SHOW_MOSCOW, FirstGridBox(), "info"};
    case ModuleWindow::Moscow: return {FirstGridBox(), 0, "moscow"};
    case ModuleWindow::Rda: return {IDC_INFO_BUTTON, IDC_CALLSIGN, "rda"};
  }
  return {0, 0, ""};
}

}  // namespace

HWND FindDialog(const DialogSign& sign) {
  DialogSearch search{sign};
  EnumWindows(&MatchDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitForDialog(const DialogSign& sign, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  do {
    if (HWND found = FindDialog(sign)) return found;
    Sleep(kPollMs);
  } while (GetTickCount() - start < timeoutMs);
  return nullptr;
}

template <typename Char>
std::basic_string<Char> TextOf(HWND window) {
  DWORD_PTR length = 0;
  if (!SendWithTimeout<Char>(window, WM_GETTEXTLENGTH, 0, 0, length)) {
    const char unanswered[] = "<no answer>";
    return std::basic_string<Char>(unanswered, unanswered + sizeof unanswered - 1);
  }
  std::basic_string<Char> text(length + 1, Char());
  DWORD_PTR copied = 0;
  SendWithTimeout<Char>(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()),
                        copied);
  text.resize(copied);
  return text;
}
template std::string TextOf<char>(HWND);
template std::wstring TextOf<wchar_t>(HWND);

void SetText(HWND window, const std::string& text) { SetTextOf(window, text); }
void SetText(HWND window, const std::wstring& text) { SetTextOf(window, text); }

void Press(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

template <typename Char>
std::basic_string<Char> MessageBoxText(HWND box) {
  std::basic_string<Char> longest;
  EnumChildWindows(box, &LongestStatic<Char>, reinterpret_cast<LPARAM>(&longest));
  return longest;
}
template std::string MessageBoxText<char>(HWND);
template std::wstring MessageBoxText<wchar_t>(HWND);

void RunWithHelper(const std::function<void()>& blocking, const std::function<void()>& helper) {
  stats::UniqueKernelObject done(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  const DWORD blockedThread = GetCurrentThreadId();
  std::thread watcher([&] {
    helper();
    CloseLeftovers(blockedThread, done.get());
  });
  blocking();
  SetEvent(done.get());
  watcher.join();
}

HWND FindModuleWindow(ModuleWindow which) {
  const WindowSign sign = SignOf(which);
  return FindDialog({nullptr, sign.controlId, sign.absentId});
}

const char* ModuleWindowName(ModuleWindow which) { return SignOf(which).name; }

}  // namespace host
