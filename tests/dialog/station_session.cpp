#include "station_session.h"

#include "resources/resource.h"
#include "window_driver.h"

namespace dialog_test {
namespace {

constexpr const char* kDialogClass = "#32770";
constexpr const char* kStationCaption = "KESTREL-RTTY";
constexpr const char* kOutputCaption = "Output";
constexpr DWORD kWindowTimeoutMs = 10000;
constexpr const char* kOwnPrefix = "UA";

}  // namespace

const std::vector<int>& StationControlIds() {
  static const std::vector<int> ids = {
      IDC_CONTEST,  IDC_CALLSIGN,         IDC_CLAIMED,   IDC_CATEGORY_OPERATOR,
      IDC_LOCATION, IDC_CATEGORY_BAND,    IDC_CATEGORY_TRANSMITTER,
      IDC_NAME,     IDC_ADDRESS,          IDC_ADDRESS_CITY,
      IDC_ADDRESS_POSTALCODE, IDC_ADDRESS_COUNTRY, IDC_OPERATORS,
      IDC_CLUB,     IDC_SOAPBOX,          IDC_EMAIL,     IDOK, IDCANCEL};
  return ids;
}

ResetSeen ResetWithDialog(StatsModule& module, const std::string& ownCall,
                          const OperatorActions& actions) {
  ResetSeen seen;
  RunWithHelper(
      [&] { seen.returned = module.ResetStats(1, ownCall, kOwnPrefix); },
      [&] {
        HWND dialog = WaitForWindow(kDialogClass, kStationCaption, kWindowTimeoutMs);
        seen.dialog = ProbeDialog(dialog, StationControlIds());
        if (dialog == nullptr) return;
        for (const auto& [id, text] : actions.typed) SetText(GetDlgItem(dialog, id), text);
        Press(dialog, actions.button);
      });
  return seen;
}

ResultSeen ResultWithMessageBox(StatsModule& module) {
  ResultSeen seen;
  RunWithHelper(
      [&] { seen.returned = module.GetResult(seen.result); },
      [&] {
        HWND box = WaitForWindow(kDialogClass, kOutputCaption, kWindowTimeoutMs);
        if (box == nullptr) return;
        seen.boxFound = true;
        seen.boxText = MessageBoxText(box);
        Press(box, IDOK);
      });
  return seen;
}

}  // namespace dialog_test
