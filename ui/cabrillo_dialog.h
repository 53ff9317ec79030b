#pragma once
// The station dialog "Cabrillo" (template 101): the station data of the
// Cabrillo header, checked and changed by the operator.
#include <string>

#include "ui/dialog.h"

namespace stats {

class Cabrillo : public CDialog {
 public:
  explicit Cabrillo(HWND parent = nullptr);
  ~Cabrillo() override;

  INT_PTR DoModal() override;

  std::string m_strCallsign;
  std::string m_strName;
  std::string m_strAddress;
  std::string m_strClaimed;
  std::string m_strContest;
  std::string m_strEmail;
  std::string m_strClub;
  std::string m_strSoapbox;
  std::string m_strOperators;
  std::string m_strCategoryOperator;
  std::string m_strCategoryBand;
  std::string m_strPower;  // no control: carried from open to close
  std::string m_strLocation;
  std::string m_strCity;
  std::string m_strPostalCode;
  std::string m_strCountry;
  std::string m_strCategoryTransmitter;

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  void DoDataExchange(DataExchange& dx) override;
  BOOL OnInitDialog() override;

 private:
  // No timer is started for this dialog; a stray one gets default handling.
  bool OnTimer(UINT_PTR id);
};

}  // namespace stats
