#include "ui/station_dialog_runner.h"

#include <array>
#include <string>

#include "reports/station.h"
#include "ui/cabrillo_dialog.h"

namespace stats {
namespace {

// The station fields and the dialog's fields of the same name.
struct FieldPair {
  std::string StationFields::*station;
  std::string Cabrillo::*dialog;
};

constexpr std::array<FieldPair, 17> kFieldPairs = {{
    {&StationFields::m_strCallsign, &Cabrillo::m_strCallsign},
    {&StationFields::m_strName, &Cabrillo::m_strName},
    {&StationFields::m_strAddress, &Cabrillo::m_strAddress},
    {&StationFields::m_strClaimed, &Cabrillo::m_strClaimed},
    {&StationFields::m_strContest, &Cabrillo::m_strContest},
    {&StationFields::m_strEmail, &Cabrillo::m_strEmail},
    {&StationFields::m_strClub, &Cabrillo::m_strClub},
    {&StationFields::m_strSoapbox, &Cabrillo::m_strSoapbox},
    {&StationFields::m_strOperators, &Cabrillo::m_strOperators},
    {&StationFields::m_strCategoryOperator, &Cabrillo::m_strCategoryOperator},
    {&StationFields::m_strCategoryBand, &Cabrillo::m_strCategoryBand},
    {&StationFields::m_strPower, &Cabrillo::m_strPower},
    {&StationFields::m_strLocation, &Cabrillo::m_strLocation},
    {&StationFields::m_strCity, &Cabrillo::m_strCity},
    {&StationFields::m_strPostalCode, &Cabrillo::m_strPostalCode},
    {&StationFields::m_strCountry, &Cabrillo::m_strCountry},
    {&StationFields::m_strCategoryTransmitter, &Cabrillo::m_strCategoryTransmitter},
}};

}  // namespace

bool RunCabrilloDialog(StationFields& fields) {
  Cabrillo dialog;
  for (const FieldPair& pair : kFieldPairs) dialog.*pair.dialog = fields.*pair.station;
  if (dialog.DoModal() != IDOK) return false;
  for (const FieldPair& pair : kFieldPairs) fields.*pair.station = dialog.*pair.dialog;
  return true;
}

}  // namespace stats
