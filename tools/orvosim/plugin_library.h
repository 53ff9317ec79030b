#pragma once
// The plug-in as the host sees it: a loaded module and the entry points the
// host binds by name. The module is freed when the owner goes.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

namespace orvosim {

// The host's date-time record: OLE automation date, then status
// (0 valid, 1 invalid, 2 null).
struct HostDateTime {
  double date = 0.0;
  std::int32_t status = 2;
};

using Text = const char*;
using AddDataFn = int(__cdecl*)(Text, Text, HostDateTime*, HostDateTime*, HostDateTime*,
                                HostDateTime*, unsigned, unsigned, Text, Text, Text, Text, Text,
                                Text, Text, Text, Text, Text, Text, Text, Text, Text, Text, int,
                                int, int, double, double, Text, Text, Text, Text, Text);
using CheckCallFn = int(__cdecl*)(Text, unsigned, unsigned, Text, Text, Text, Text, Text, Text,
                                  Text, Text, Text, Text, Text, int, int, int, double, double,
                                  Text, Text, Text, Text, Text, Text, Text, char*, char*);
using ResetStatsFn = int(__cdecl*)(Text, int, Text, HostDateTime*, HostDateTime*, Text, Text, Text,
                                   Text, Text, Text, Text, Text, Text, Text, int, int, int, double,
                                   double, Text, Text, Text);
using GetResultFn = Text(__cdecl*)(int*);
using RunCommandFn = Text(__cdecl*)(int, Text);

class PluginLibrary {
 public:
  // Null with the reason in `error` when the file does not load or an entry
  // point is missing.
  static std::unique_ptr<PluginLibrary> Load(const std::string& path, std::string& error);
  ~PluginLibrary();
  PluginLibrary(const PluginLibrary&) = delete;
  PluginLibrary& operator=(const PluginLibrary&) = delete;

  ResetStatsFn resetStats = nullptr;
  AddDataFn addData = nullptr;
  AddDataFn removeData = nullptr;  // same parameters as AddData0
  CheckCallFn checkCall = nullptr;
  GetResultFn getResult = nullptr;
  RunCommandFn runCommand = nullptr;

 private:
  explicit PluginLibrary(HMODULE module) : m_module(module) {}
  HMODULE m_module;
};

}  // namespace orvosim
