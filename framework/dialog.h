#pragma once
// The dialog base of the module's windows: a dialog built from a template,
// run modally (DoModal) or created modeless (Create, DestroyWindow), with its
// fields exchanged with the controls by DoDataExchange.
#include <windows.h>

#include <span>

#include "framework/data_exchange.h"

namespace stats {

// Entries a combo box of a template gets when the dialog is created, before
// OnInitDialog runs.
struct ComboListInit {
  int id;
  std::span<const char* const> entries;
};

class CDialog {
 public:
  CDialog(UINT templateId, HWND parent, std::span<const ComboListInit> lists = {});
  virtual ~CDialog();
  CDialog(const CDialog&) = delete;
  CDialog& operator=(const CDialog&) = delete;

  // Runs the dialog on the calling thread until it is ended; returns the
  // value given to EndDialog (IDOK, IDCANCEL), or -1 when it could not open.
  virtual INT_PTR DoModal();

  // Modeless: creates the window and returns at once; false on failure. The
  // window is destroyed by DestroyWindow, by OK or Cancel (unless a derived
  // class overrides them), or with the object. The object is never deleted
  // by its window: whoever created it owns it and deletes it once.
  bool Create(HWND parent);
  void DestroyWindow();
  // Lets go of the window without destroying it: no message reaches the
  // object, nor any code of the module, any more. Whoever called this
  // destroys the window (the system's dialog procedure frees what it made
  // for it then).
  void LetGoOfWindow();

  HWND GetSafeHwnd() const { return m_hWnd; }

  // true: controls to fields; false: fields to controls.
  void UpdateData(bool saveAndValidate);
  void EndDialog(INT_PTR result);

 protected:
  // Fills the controls from the fields; returns TRUE to let the system set
  // the focus.
  virtual BOOL OnInitDialog();
  virtual void DoDataExchange(DataExchange& dx);
  // Reads the controls back and closes with IDOK.
  virtual void OnOK();
  virtual void OnCancel();
  // Every message the base leaves alone. Returns true when handled, with the
  // dialog procedure's result in `result`; false gives default processing.
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);
  // The window is gone; the object lives on until its owner deletes it.
  virtual void PostNcDestroy() {}

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void FillInitialLists();
  void Close(INT_PTR result);

  UINT m_nTemplate;
  HWND m_hParent;
  std::span<const ComboListInit> m_arrComboLists;
  HWND m_hWnd = nullptr;
  bool m_bModal = false;
};

// The module (DLL or program) whose resources the dialogs are built from.
HINSTANCE ModuleInstance();

}  // namespace stats
