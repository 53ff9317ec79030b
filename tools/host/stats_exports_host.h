#pragma once
// Stats.dll as the host program sees it: the exports it binds with
// GetProcAddress, by their plain or their decorated names, and the parameter
// lists it calls them with. Written from the host's side and on purpose
// independent of the plug-in's own headers (plugin/exports.h and what it
// includes), so that a parameter list changed on one side shows as a
// difference instead of being changed on both at once.
//
// Every export uses the C calling convention: the caller removes the
// arguments, which is also why GetExchgCount0 may lead to the code of
// GetNumberOfSets although the host passes it three texts.
#include <cstddef>
#include <cstdint>

namespace host {

// The host's date-time record, passed by pointer: an OLE automation date
// (days since 30 December 1899, the fraction is the time of day), then a
// 32-bit status word. A default record is valid and holds 0.0, as the
// host's own date-time class starts out.
struct DateTime {
  enum Status : std::int32_t { kValid = 0, kInvalid = 1, kNull = 2 };
  double date = 0.0;
  std::int32_t status = kValid;
};

// The record the host passes where it has no date.
inline constexpr DateTime kNullDateTime{0.0, DateTime::kNull};

#if defined(_WIN32) && !defined(_WIN64)
// On i686 the plug-in reads 12 bytes: the date at offset 0, the status word
// at offset 8. (The compilers pad the record to 16 bytes for the double's
// alignment; the padding is never read.)
static_assert(sizeof(double) == 8 && offsetof(DateTime, status) == 8 &&
                  offsetof(DateTime, status) + sizeof(DateTime::status) == 12,
              "the host's date-time record is 12 bytes: double date, 32-bit status");
#endif

using Text = const char*;

using AddDataFn = int(__cdecl*)(Text ownCall, Text call, DateTime* time, DateTime*, DateTime*,
                                DateTime*, unsigned int, unsigned int freqHz, Text mode,
                                Text rstSent, Text rstRcvd, Text sent, Text rcvd, Text, Text, Text,
                                Text, Text, Text, Text, Text, Text, Text countryPrefix, int, int,
                                int, double, double, Text, Text extra, Text, Text band, Text);
using RemoveDataFn = AddDataFn;  // the same parameters as AddData0
using CheckCallFn = int(__cdecl*)(Text call, unsigned int, unsigned int, Text mode, Text, Text,
                                  Text, Text, Text, Text, Text, Text, Text, Text, int, int, int,
                                  double, double, Text, Text, Text, Text, Text, Text band, Text,
                                  char* unused, char* warning);
using IsValidExchgFn = int(__cdecl*)(Text exchange, Text, Text countryPrefix, Text, int, int, int);
using GetExchgCountFn = int(__cdecl*)(Text, Text, Text);
using GetNumberOfSetsFn = int(__cdecl*)();
using GetSetNameFn = Text(__cdecl*)(int index);
using SetupSetFn = void(__cdecl*)();
using ResetStatsFn = int(__cdecl*)(Text, int outputMode, Text ownCall, DateTime* start,
                                   DateTime* end, Text, Text, Text, Text, Text, Text, Text, Text,
                                   Text, Text ownCountryPrefix, int, int, int, double, double, Text,
                                   Text, Text);
using GetResultFn = Text(__cdecl*)(int* result);
using RunCommandFn = Text(__cdecl*)(int, Text command);

// The two names of an export: the plain one (null when there is none) and
// the host compiler's decorated one.
struct ExportNames {
  const char* plain;
  const char* decorated;
};

// An export's names together with the pointer type it is called through.
template <typename Fn>
struct Export : ExportNames {
  using Pointer = Fn;
};

inline constexpr Export<AddDataFn> kAddData0{
    {"AddData0", "?AddData0@@YAHPBD0PAVCOleDateTime@ATL@@111II000000000000000HHHNN00000@Z"}};
inline constexpr Export<RemoveDataFn> kRemoveData0{
    {"RemoveData0", "?RemoveData0@@YAHPBD0PAVCOleDateTime@ATL@@111II000000000000000HHHNN00000@Z"}};
inline constexpr Export<CheckCallFn> kCheckCall0{
    {"CheckCall0", "?CheckCallFunc0@@YAHPBDII00000000000HHHNN0000000PAD1@Z"}};
inline constexpr Export<IsValidExchgFn> kIsValidExchg0{
    {"IsValidExchg0", "?StatsIsValidExchg0@@YAHPBD000HHH@Z"}};
inline constexpr Export<GetExchgCountFn> kGetExchgCount0{
    {"GetExchgCount0", "?StatsGetExchgCount0@@YAHPBD00@Z"}};
inline constexpr Export<GetNumberOfSetsFn> kGetNumberOfSets{
    {"GetNumberOfSets", "?GetNumberOfSets@@YAHXZ"}};
inline constexpr Export<GetSetNameFn> kGetSetName{{"GetSetName", "?GetSetName@@YAPBDH@Z"}};
inline constexpr Export<SetupSetFn> kSetupSet0{{"SetupSet0", "?SetupSet0@@YAXXZ"}};
inline constexpr Export<ResetStatsFn> kResetStats0{
    {"ResetStats0", "?ResetStats0@@YAHPBDH0PAVCOleDateTime@ATL@@10000000000HHHNN000@Z"}};
inline constexpr Export<GetResultFn> kGetResult0{{"GetResult0", "?GetResult0@@YAPBDPAH@Z"}};
inline constexpr Export<RunCommandFn> kRunCommand0{{nullptr, "?RunCommand0@@YAPBDHPBD@Z"}};

}  // namespace host
