#include "window_driver.h"

#include <thread>

#include "platform/win32_handles.h"

namespace dialog_test {
namespace {

constexpr UINT kMessageTimeoutMs = 2000;
constexpr DWORD kPollMs = 20;
constexpr DWORD kGraceMs = 3000;
constexpr DWORD kCloseRetryMs = 300;
constexpr int kCloseAttempts = 100;

using UniqueEvent = stats::UniqueHandle<HANDLE, nullptr, decltype(&CloseHandle), &CloseHandle>;

struct WindowSearch {
  const char* className;
  const char* caption;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId()) return TRUE;
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpA(name, search->className) != 0 || TextOf(window) != search->caption) return TRUE;
  search->found = window;
  return FALSE;
}

BOOL CALLBACK LongestStatic(HWND child, LPARAM param) {
  auto* longest = reinterpret_cast<std::string*>(param);
  char name[32] = {};
  GetClassNameA(child, name, sizeof name);
  if (lstrcmpiA(name, "Static") != 0) return TRUE;
  const std::string text = TextOf(child);
  if (text.size() > longest->size()) *longest = text;
  return TRUE;
}

BOOL CALLBACK PostClose(HWND window, LPARAM) {
  PostMessageA(window, WM_CLOSE, 0, 0);
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

}  // namespace

HWND WaitForWindow(const char* className, const char* caption, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  do {
    WindowSearch search{className, caption, nullptr};
    EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr && IsWindowVisible(search.found)) return search.found;
    Sleep(kPollMs);
  } while (GetTickCount() - start < timeoutMs);
  return nullptr;
}

std::string TextOf(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs,
                           &length)) {
    return "<no answer>";
  }
  std::string text(length + 1, '\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()),
                      SMTO_ABORTIFHUNG, kMessageTimeoutMs, &copied);
  text.resize(copied);
  return text;
}

void SetText(HWND window, const std::string& text) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                      SMTO_ABORTIFHUNG, kMessageTimeoutMs, &ignored);
}

void Press(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::string MessageBoxText(HWND box) {
  std::string longest;
  EnumChildWindows(box, &LongestStatic, reinterpret_cast<LPARAM>(&longest));
  return longest;
}

void RunWithHelper(const std::function<void()>& blocking, const std::function<void()>& helper) {
  UniqueEvent done(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  const DWORD blockedThread = GetCurrentThreadId();
  std::thread watcher([&] {
    helper();
    CloseLeftovers(blockedThread, done.get());
  });
  blocking();
  SetEvent(done.get());
  watcher.join();
}

}  // namespace dialog_test
