// Resource ids of the module: dialog templates, their controls and the icon.
#ifndef STATS_RESOURCES_RESOURCE_H
#define STATS_RESOURCES_RESOURCE_H

#define IDD_CABRILLO 101
#define IDD_OBLAST 106
#define IDD_BAUD 107
#define IDD_DXCC 108
#define IDI_STATS 110

// Station dialog controls.
#define IDC_SOAPBOX 1001
#define IDC_ADDRESS 1002
#define IDC_ADDRESS_CITY 1003
#define IDC_EMAIL 1004
#define IDC_CLUB 1005
#define IDC_OPERATORS 1006
#define IDC_NAME 1007
#define IDC_CLAIMED 1008
#define IDC_CONTEST 1009
#define IDC_CALLSIGN 1010
#define IDC_ADDRESS_POSTALCODE 1011
#define IDC_ADDRESS_COUNTRY 1012
#define IDC_CATEGORY_OPERATOR 1013
#define IDC_CATEGORY_BAND 1124
#define IDC_LOCATION 1127
#define IDC_CATEGORY_TRANSMITTER 1128

// RDA window control (ids are per dialog: 1003 is also a station field).
#define IDC_INFO_BUTTON 1003

// Information window controls.
#define IDC_SHOW_MOSCOW 1121
#define IDC_SHOW_RDA 1122
#define IDC_VIEW_LABEL 1123

#endif
