#include "framework/dialog.h"

#include "platform/fault_boundary.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace stats {

HINSTANCE ModuleInstance() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

CDialog::CDialog(UINT templateId, HWND parent, std::span<const ComboListInit> lists)
    : m_nTemplate(templateId), m_hParent(parent), m_arrComboLists(lists) {}

CDialog::~CDialog() {
  // A modeless window must not outlive the object its procedure points to.
  // It is let go first, so that no message of its destruction reaches a
  // handler of the half-destroyed object.
  if (m_hWnd != nullptr && !m_bModal) {
    HWND window = m_hWnd;
    SetWindowLongPtrA(window, DWLP_USER, 0);
    m_hWnd = nullptr;
    ::DestroyWindow(window);
  }
}

// The dialogs are Unicode windows: the template's texts, Cyrillic among
// them, reach the controls whole whatever the system's ANSI code page. The
// ANSI text functions used on them convert as usual.
INT_PTR CDialog::DoModal() {
  m_bModal = true;
  return DialogBoxParamW(ModuleInstance(), MAKEINTRESOURCEW(m_nTemplate), m_hParent, &DialogProc,
                         reinterpret_cast<LPARAM>(this));
}

bool CDialog::Create(HWND parent) {
  m_bModal = false;
  m_hParent = parent;
  return CreateDialogParamW(ModuleInstance(), MAKEINTRESOURCEW(m_nTemplate), parent, &DialogProc,
                            reinterpret_cast<LPARAM>(this)) != nullptr;
}

void CDialog::DestroyWindow() {
  if (m_hWnd != nullptr) ::DestroyWindow(m_hWnd);
}

void CDialog::LetGoOfWindow() {
  if (m_hWnd == nullptr) return;
  SetWindowLongPtrA(m_hWnd, DWLP_USER, 0);
  // The system's dialog procedure calls none of the module's code.
  SetWindowLongPtrW(m_hWnd, DWLP_DLGPROC, 0);
  m_hWnd = nullptr;
}

void CDialog::UpdateData(bool saveAndValidate) {
  DataExchange dx(m_hWnd, saveAndValidate);
  DoDataExchange(dx);
}

void CDialog::EndDialog(INT_PTR result) { ::EndDialog(m_hWnd, result); }

BOOL CDialog::OnInitDialog() {
  UpdateData(false);
  return TRUE;
}

void CDialog::DoDataExchange(DataExchange&) {}

void CDialog::OnOK() {
  UpdateData(true);
  Close(IDOK);
}

void CDialog::OnCancel() { Close(IDCANCEL); }

bool CDialog::OnMessage(UINT, WPARAM, LPARAM, INT_PTR&) { return false; }

void CDialog::Close(INT_PTR result) {
  if (m_bModal) {
    EndDialog(result);
  } else {
    DestroyWindow();
  }
}

void CDialog::FillInitialLists() {
  for (const ComboListInit& list : m_arrComboLists) {
    HWND combo = GetDlgItem(m_hWnd, list.id);
    for (const char* entry : list.entries) {
      SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
    }
  }
}

// The one procedure of every dialog: the object arrives with WM_INITDIALOG
// and is kept in the window's DWLP_USER slot until the window goes.
INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CDialog* self = nullptr;
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<CDialog*>(lParam);
    self->m_hWnd = window;
    SetWindowLongPtrA(window, DWLP_USER, lParam);
  } else {
    self = reinterpret_cast<CDialog*>(GetWindowLongPtrA(window, DWLP_USER));
  }
  if (self == nullptr) return FALSE;  // messages before WM_INITDIALOG
  // Nothing may unwind through the system's own frames.
  try {
    return self->HandleMessage(message, wParam, lParam);
  } catch (...) {
    TraceCaughtFault("dialog procedure");
    return FALSE;
  }
}

INT_PTR CDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  INT_PTR result = FALSE;
  switch (message) {
    case WM_INITDIALOG: FillInitialLists(); return OnInitDialog();
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDOK) {
        OnOK();
        return TRUE;
      }
      if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDCANCEL) {
        OnCancel();
        return TRUE;
      }
      break;
    case WM_NCDESTROY:
      SetWindowLongPtrA(m_hWnd, DWLP_USER, 0);
      m_hWnd = nullptr;
      PostNcDestroy();
      return FALSE;
  }
  return OnMessage(message, wParam, lParam, result) ? result : FALSE;
}

}  // namespace stats
