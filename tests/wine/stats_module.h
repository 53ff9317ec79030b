#pragma once
// The plug-in as the host sees it: a DLL loaded with LoadLibrary and entry
// points looked up by name. Every entry point uses the C calling
// convention; the pointer types below are the host's parameter lists.
#include <windows.h>

#include <string>

namespace host {

// The host's date-time record: OLE automation date, then a status word
// (0 valid, 1 invalid, 2 null).
struct DateTime {
  double date;
  int status;
};

using Text = const char*;

using AddDataFn = int(__cdecl*)(Text, Text, DateTime*, DateTime*, DateTime*, DateTime*,
                                unsigned int, unsigned int, Text, Text, Text, Text, Text, Text,
                                Text, Text, Text, Text, Text, Text, Text, Text, Text, int, int,
                                int, double, double, Text, Text, Text, Text, Text);
using CheckCallFn = int(__cdecl*)(Text, unsigned int, unsigned int, Text, Text, Text, Text, Text,
                                  Text, Text, Text, Text, Text, Text, int, int, int, double,
                                  double, Text, Text, Text, Text, Text, Text, Text, char*, char*);
using IsValidExchgFn = int(__cdecl*)(Text, Text, Text, Text, int, int, int);
using GetExchgCountFn = int(__cdecl*)(Text, Text, Text);
using GetNumberOfSetsFn = int(__cdecl*)();
using GetSetNameFn = Text(__cdecl*)(int);
using SetupSetFn = void(__cdecl*)();
using ResetStatsFn = int(__cdecl*)(Text, int, Text, DateTime*, DateTime*, Text, Text, Text, Text,
                                   Text, Text, Text, Text, Text, Text, int, int, int, double,
                                   double, Text, Text, Text);
using GetResultFn = Text(__cdecl*)(int*);
using RunCommandFn = Text(__cdecl*)(int, Text);

// The two names of an export: the plain one (null when there is none) and
// the host compiler's decorated one.
struct ExportNames {
  const char* plain;
  const char* decorated;
};

inline constexpr ExportNames kAddData0 = {
    "AddData0", "?AddData0@@YAHPBD0PAVCOleDateTime@ATL@@111II000000000000000HHHNN00000@Z"};
inline constexpr ExportNames kRemoveData0 = {
    "RemoveData0", "?RemoveData0@@YAHPBD0PAVCOleDateTime@ATL@@111II000000000000000HHHNN00000@Z"};
inline constexpr ExportNames kCheckCall0 = {
    "CheckCall0", "?CheckCallFunc0@@YAHPBDII00000000000HHHNN0000000PAD1@Z"};
inline constexpr ExportNames kIsValidExchg0 = {"IsValidExchg0",
                                               "?StatsIsValidExchg0@@YAHPBD000HHH@Z"};
inline constexpr ExportNames kGetExchgCount0 = {"GetExchgCount0",
                                                "?StatsGetExchgCount0@@YAHPBD00@Z"};
inline constexpr ExportNames kGetNumberOfSets = {"GetNumberOfSets", "?GetNumberOfSets@@YAHXZ"};
inline constexpr ExportNames kGetSetName = {"GetSetName", "?GetSetName@@YAPBDH@Z"};
inline constexpr ExportNames kSetupSet0 = {"SetupSet0", "?SetupSet0@@YAXXZ"};
inline constexpr ExportNames kResetStats0 = {
    "ResetStats0", "?ResetStats0@@YAHPBDH0PAVCOleDateTime@ATL@@10000000000HHHNN000@Z"};
inline constexpr ExportNames kGetResult0 = {"GetResult0", "?GetResult0@@YAPBDPAH@Z"};
inline constexpr ExportNames kRunCommand0 = {nullptr, "?RunCommand0@@YAPBDHPBD@Z"};

// Which of the two names the host binds.
enum class Binding { Plain, Decorated };

// Every entry point, bound by one kind of name. RunCommand0 has only its
// decorated name and is bound by it either way.
struct EntryPoints {
  AddDataFn addData = nullptr;
  AddDataFn removeData = nullptr;
  CheckCallFn checkCall = nullptr;
  IsValidExchgFn isValidExchg = nullptr;
  GetExchgCountFn getExchgCount = nullptr;
  GetNumberOfSetsFn getNumberOfSets = nullptr;
  GetSetNameFn getSetName = nullptr;
  SetupSetFn setupSet = nullptr;
  ResetStatsFn resetStats = nullptr;
  GetResultFn getResult = nullptr;
  RunCommandFn runCommand = nullptr;
};

// Owns one load of the DLL; unloading it ends the module's state.
class StatsModule {
 public:
  explicit StatsModule(const std::string& path);
  ~StatsModule();
  StatsModule(const StatsModule&) = delete;
  StatsModule& operator=(const StatsModule&) = delete;

  bool IsLoaded() const { return m_module != nullptr; }
  DWORD LoadError() const { return m_loadError; }

  // The export of that exact name, or null.
  FARPROC Find(const char* name) const;
  // Binds every entry point by the chosen names; a name that is not found
  // leaves its pointer null.
  EntryPoints Bind(Binding binding) const;

 private:
  HMODULE m_module = nullptr;
  DWORD m_loadError = 0;
};

// The DLL under test: $STATS_DLL when set, else the build's own product.
// Linux paths are turned into the wine drive that maps the root.
std::string StatsDllPath();

const char* BindingName(Binding binding);

}  // namespace host
