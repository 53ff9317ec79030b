#pragma once
// The entry points the host binds, with the parameter lists it calls them
// with. Every function uses the C calling convention (the caller removes the
// arguments), so GetExchgCount0 can share the code of GetNumberOfSets. The
// module definition file adds the host compiler's decorated names.
#include "platform/ole_date_time.h"

using HostText = char const*;
using HostDate = ATL::COleDateTime*;

extern "C" {

int AddData0(HostText ownCall, HostText call, HostDate time, HostDate, HostDate, HostDate,
             unsigned int, unsigned int freqHz, HostText mode, HostText rstSent, HostText rstRcvd,
             HostText sent, HostText rcvd, HostText, HostText, HostText, HostText, HostText,
             HostText, HostText, HostText, HostText, HostText countryPrefix, int, int, int, double,
             double, HostText, HostText extra, HostText, HostText band, HostText);
int RemoveData0(HostText ownCall, HostText call, HostDate time, HostDate, HostDate, HostDate,
                unsigned int, unsigned int freqHz, HostText mode, HostText rstSent,
                HostText rstRcvd, HostText sent, HostText rcvd, HostText, HostText, HostText,
                HostText, HostText, HostText, HostText, HostText, HostText, HostText countryPrefix,
                int, int, int, double, double, HostText, HostText extra, HostText, HostText band,
                HostText);
int CheckCall0(HostText call, unsigned int, unsigned int, HostText mode, HostText, HostText,
               HostText, HostText, HostText, HostText, HostText, HostText, HostText, HostText, int,
               int, int, double, double, HostText, HostText, HostText, HostText, HostText,
               HostText band, HostText, char*, char* warning);
int IsValidExchg0(HostText exchange, HostText, HostText countryPrefix, HostText, int, int, int);
int GetNumberOfSets();
HostText GetSetName(int index);
void SetupSet0();
int ResetStats0(HostText, int outputMode, HostText ownCall, HostDate start, HostDate end, HostText,
                HostText, HostText, HostText, HostText, HostText, HostText, HostText, HostText,
                HostText ownCountryPrefix, int, int, int, double, double, HostText, HostText,
                HostText);
HostText GetResult0(int* result);
HostText RunCommand0(int, HostText command);

}  // extern "C"
