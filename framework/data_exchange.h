#pragma once
// Moves values between a dialog's controls and its fields, in one direction
// per pass: to the controls when a dialog opens, back to the fields on OK.
#include <windows.h>

#include <string>
#include <vector>

namespace stats {

class DataExchange {
 public:
  DataExchange(HWND dialog, bool saveAndValidate)
      : m_hDialog(dialog), m_bSaveAndValidate(saveAndValidate) {}

  // True when the controls are read into the fields.
  bool IsSaving() const { return m_bSaveAndValidate; }
  HWND Control(int id) const { return GetDlgItem(m_hDialog, id); }

 private:
  HWND m_hDialog;
  bool m_bSaveAndValidate;
};

// An edit control's text.
void DDX_Text(DataExchange& dx, int id, std::string& value);
// An editable combo box. Shown: the first list entry that begins with the
// value (case-insensitive) is selected, otherwise the value goes into the
// edit part. Read: the edit part's text.
void DDX_CBString(DataExchange& dx, int id, std::string& value);
// A check box: 0 unchecked, 1 checked, 2 indeterminate.
void DDX_Check(DataExchange& dx, int id, int& value);

// Index of the first entry that begins with `prefix`, ignoring case; -1 when
// none does. An empty prefix matches the first entry.
int FindEntryWithPrefix(const std::vector<std::string>& entries, const std::string& prefix);

// A window's whole text, however long.
std::string WindowText(HWND window);

}  // namespace stats
