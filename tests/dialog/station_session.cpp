#include "station_session.h"

#include "resources/resource.h"
#include "window_driver_win.h"

namespace dialog_test {
namespace {

// The station dialog by its caption alone: a test of its template may not
// presume which controls it has.
constexpr host::DialogSign kStationDialog{L"KESTREL-RTTY"};
constexpr host::DialogSign kOutputBox{L"Output"};
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
  host::RunWithHelper(
      [&] { seen.returned = module.ResetStats(1, ownCall, kOwnPrefix); },
      [&] {
        HWND dialog = host::WaitForDialog(kStationDialog, kWindowTimeoutMs);
        seen.dialog = ProbeDialog(dialog, StationControlIds());
        if (dialog == nullptr) return;
        for (const auto& [id, text] : actions.typed) host::SetText(GetDlgItem(dialog, id), text);
        host::Press(dialog, actions.button);
      });
  return seen;
}

ResultSeen ResultWithMessageBox(StatsModule& module) {
  ResultSeen seen;
  host::RunWithHelper(
      [&] { seen.returned = module.GetResult(seen.result); },
      [&] {
        HWND box = host::WaitForDialog(kOutputBox, kWindowTimeoutMs);
        if (box == nullptr) return;
        seen.boxFound = true;
        seen.boxText = host::MessageBoxText(box);
        host::Press(box, IDOK);
      });
  return seen;
}

}  // namespace dialog_test
