#include "dialog_probe.h"

#include "window_driver_win.h"

namespace dialog_test {
namespace {

constexpr UINT kMessageTimeoutMs = 2000;

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

LRESULT Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR answer = static_cast<DWORD_PTR>(-1);
  SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kMessageTimeoutMs,
                      &answer);
  return static_cast<LRESULT>(answer);
}

std::vector<std::string> ComboEntries(HWND combo) {
  std::vector<std::string> entries;
  const LRESULT count = Ask(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = Ask(combo, CB_GETLBTEXTLEN, i, 0);
    if (length < 0) break;
    std::string entry(static_cast<size_t>(length) + 1, '\0');
    Ask(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry.data()));
    entry.resize(static_cast<size_t>(length));
    entries.push_back(entry);
  }
  return entries;
}

ControlState ProbeControl(HWND dialog, HWND control) {
  ControlState state;
  state.exists = true;
  state.className = ClassOf(control);
  state.text = host::TextOf(control);
  state.style = GetWindowLongA(control, GWL_STYLE);
  GetWindowRect(control, &state.rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&state.rect), 2);
  if (lstrcmpiA(state.className.c_str(), "ComboBox") == 0) state.entries = ComboEntries(control);
  return state;
}

BOOL CALLBACK NoteLabel(HWND child, LPARAM param) {
  auto* labels = reinterpret_cast<std::map<std::string, bool>*>(param);
  if (lstrcmpiA(ClassOf(child).c_str(), "Static") == 0) {
    (*labels)[host::TextOf(child)] = IsWindowEnabled(child) != FALSE;
  }
  return TRUE;
}

}  // namespace

DialogState ProbeDialog(HWND dialog, const std::vector<int>& ids) {
  DialogState state;
  if (dialog == nullptr) return state;
  state.found = true;
  state.caption = host::TextOf(dialog);
  state.style = GetWindowLongA(dialog, GWL_STYLE);
  RECT client{};
  GetClientRect(dialog, &client);
  state.client = {client.right, client.bottom};
  RECT base{0, 0, 4, 8};
  MapDialogRect(dialog, &base);
  state.baseX = base.right;
  state.baseY = base.bottom;
  for (int id : ids) {
    HWND control = GetDlgItem(dialog, id);
    if (control != nullptr) state.controls[id] = ProbeControl(dialog, control);
  }
  EnumChildWindows(dialog, &NoteLabel, reinterpret_cast<LPARAM>(&state.labelsEnabled));
  return state;
}

RECT TemplateRectToPixels(const DialogState& state, int x, int y, int width, int height) {
  const LONG left = MulDiv(x, state.baseX, 4);
  const LONG top = MulDiv(y, state.baseY, 8);
  return {left, top, left + MulDiv(width, state.baseX, 4), top + MulDiv(height, state.baseY, 8)};
}

}  // namespace dialog_test
