#include "reports/cabrillo_dialog_win.h"

#include <algorithm>
#include <array>

#include "engine/contest_rules.h"
#include "resources/resource.h"

namespace stats {
namespace {

// The combo lists of template 101. windres has no dialog initialisation
// data resource, so the base fills them from here before OnInitDialog.
constexpr std::array<const char*, 2> kOperatorCategories = {"SINGLE-OP", "CHECKLOG"};
// "ALL", then every band's own category in band order.
constexpr std::size_t kBandCategoryCount =
    1 +
    static_cast<std::size_t>(std::count_if(kBands.begin(), kBands.end(), [](const BandRule& band) {
      return !band.cabrilloCategory.empty();
    }));
constexpr std::array<const char*, kBandCategoryCount> kBandCategories = [] {
  std::array<const char*, kBandCategoryCount> choices{"ALL"};
  std::size_t next = 1;
  for (const BandRule& band : kBands) {
    // The table's texts are literals: each ends in its terminator.
    if (!band.cabrilloCategory.empty()) choices[next++] = band.cabrilloCategory.data();
  }
  return choices;
}();
constexpr std::array<const char*, 1> kTransmitterCategories = {"ONE"};

constexpr std::array<ComboListInit, 3> kInitialLists = {{
    {IDC_CATEGORY_OPERATOR, kOperatorCategories},
    {IDC_CATEGORY_BAND, kBandCategories},
    {IDC_CATEGORY_TRANSMITTER, kTransmitterCategories},
}};

// Which control shows which field, in template order.
struct TextField {
  int id;
  std::string Cabrillo::*field;
  bool combo;
};

constexpr std::array<TextField, 16> kFields = {{
    {IDC_CONTEST, &Cabrillo::m_strContest, false},
    {IDC_CALLSIGN, &Cabrillo::m_strCallsign, false},
    {IDC_CLAIMED, &Cabrillo::m_strClaimed, false},
    {IDC_CATEGORY_OPERATOR, &Cabrillo::m_strCategoryOperator, true},
    {IDC_LOCATION, &Cabrillo::m_strLocation, false},
    {IDC_CATEGORY_BAND, &Cabrillo::m_strCategoryBand, true},
    {IDC_CATEGORY_TRANSMITTER, &Cabrillo::m_strCategoryTransmitter, true},
    {IDC_NAME, &Cabrillo::m_strName, false},
    {IDC_ADDRESS, &Cabrillo::m_strAddress, false},
    {IDC_ADDRESS_CITY, &Cabrillo::m_strCity, false},
    {IDC_ADDRESS_POSTALCODE, &Cabrillo::m_strPostalCode, false},
    {IDC_ADDRESS_COUNTRY, &Cabrillo::m_strCountry, false},
    {IDC_OPERATORS, &Cabrillo::m_strOperators, false},
    {IDC_CLUB, &Cabrillo::m_strClub, false},
    {IDC_SOAPBOX, &Cabrillo::m_strSoapbox, false},
    {IDC_EMAIL, &Cabrillo::m_strEmail, false},
}};

}  // namespace

Cabrillo::Cabrillo(HWND parent) : CDialog(IDD_CABRILLO, parent, kInitialLists) {}

BOOL Cabrillo::OnInitDialog() {
  CDialog::OnInitDialog();
  // No edit accepts more than a station key keeps in the settings file.
  for (const TextField& entry : kFields) {
    if (!entry.combo) {
      SendDlgItemMessageA(GetSafeHwnd(), entry.id, EM_LIMITTEXT,
                          static_cast<WPARAM>(kMaxStationValue), 0);
    }
  }
  return TRUE;
}

void Cabrillo::DoDataExchange(DataExchange& dx) {
  for (const TextField& entry : kFields) {
    if (entry.combo) {
      DDX_CBString(dx, entry.id, this->*entry.field);
    } else {
      DDX_Text(dx, entry.id, this->*entry.field);
    }
  }
}

}  // namespace stats
