// Opens the station dialog of the real DLL with sample station data, saves
// a picture of it and cancels: station_dialog_screenshot <out.bmp>.
#include <cstdio>
#include <string>

#include "resources/resource.h"
#include "stats_module.h"
#include "tests/wine/scratch_folder.h"
#include "window_capture_win.h"
#include "window_driver_win.h"

namespace {

// Sample data as an operator fills it in; the city in code page 1251.
constexpr struct {
  int id;
  const char* text;
} kSample[] = {
    {IDC_LOCATION, "MOS"},
    {IDC_NAME, "Ivan Petrov"},
    {IDC_ADDRESS, "Lenina 1"},
    {IDC_ADDRESS_CITY, "\xCC\xEE\xF1\xEA\xE2\xE0"},
    {IDC_ADDRESS_POSTALCODE, "101000"},
    {IDC_ADDRESS_COUNTRY, "Russia"},
    {IDC_CLUB, "Radio Club"},
    {IDC_SOAPBOX, "73 to all\r\nThanks for the contest"},
    {IDC_EMAIL, "ua3abc@example.org"},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: station_dialog_screenshot <out.bmp>\n");
    return 2;
  }
  const std::string out = argv[1];
  host::ScratchFolder dir;
  dialog_test::StatsModule module;
  if (!dir.IsReady() || !module.Loaded()) {
    std::fprintf(stderr, "cannot load %s\n", module.Path().c_str());
    return 1;
  }
  bool saved = false;
  host::RunWithHelper([&] { module.ResetStats(1, "UA3ABC", "UA"); },
                      [&] {
                        HWND dialog = host::WaitForDialog({L"KESTREL-RTTY", IDC_CALLSIGN}, 10000);
                        if (dialog == nullptr) return;
                        for (const auto& field : kSample) {
                          host::SetText(GetDlgItem(dialog, field.id), field.text);
                        }
                        Sleep(500);  // the dialog's thread repaints
                        saved = host::SaveWindowBitmap(dialog, out);
                        host::Press(dialog, IDCANCEL);
                      });
  if (!saved) std::fprintf(stderr, "no picture of the station dialog\n");
  return saved ? 0 : 1;
}
