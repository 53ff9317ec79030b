#include "framework/data_exchange.h"

namespace stats {
namespace {

// Upper case in the process's ANSI code page, so Cyrillic letters compare
// the way the operator reads them.
std::string Upper(std::string text) {
  if (!text.empty()) CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

std::vector<std::string> ComboEntries(HWND combo) {
  std::vector<std::string> entries;
  const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, i, 0);
    if (length < 0) continue;
    std::string entry(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry.data()));
    entry.resize(static_cast<size_t>(length));
    entries.push_back(std::move(entry));
  }
  return entries;
}

}  // namespace

std::string WindowText(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

int FindEntryWithPrefix(const std::vector<std::string>& entries, const std::string& prefix) {
  const std::string wanted = Upper(prefix);
  for (size_t i = 0; i < entries.size(); ++i) {
    if (Upper(entries[i]).compare(0, wanted.size(), wanted) == 0) return static_cast<int>(i);
  }
  return -1;
}

void DDX_Text(DataExchange& dx, int id, std::string& value) {
  HWND control = dx.Control(id);
  if (control == nullptr) return;
  if (dx.IsSaving()) {
    value = WindowText(control);
  } else {
    SetWindowTextA(control, value.c_str());
  }
}

void DDX_CBString(DataExchange& dx, int id, std::string& value) {
  HWND combo = dx.Control(id);
  if (combo == nullptr) return;
  if (dx.IsSaving()) {
    value = WindowText(combo);
    return;
  }
  const int entry = FindEntryWithPrefix(ComboEntries(combo), value);
  if (entry >= 0) {
    SendMessageA(combo, CB_SETCURSEL, entry, 0);
  } else {
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SetWindowTextA(combo, value.c_str());
  }
}

void DDX_Check(DataExchange& dx, int id, int& value) {
  HWND control = dx.Control(id);
  if (control == nullptr) return;
  if (dx.IsSaving()) {
    value = static_cast<int>(SendMessageA(control, BM_GETCHECK, 0, 0));
  } else {
    SendMessageA(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
  }
}

}  // namespace stats
