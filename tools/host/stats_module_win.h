#pragma once
// The plug-in loaded as the host loads it: LoadLibrary on the DLL's path,
// then every export looked up by name. One loader for the simulator, the
// Windows tests and the wine benchmarks.
#include <windows.h>

#include <string>

#include "platform/win32_handles.h"
#include "stats_exports_host.h"

namespace host {

// The one cast from what GetProcAddress returns to an export's pointer
// type. The detour through a pointer to a function without parameters keeps
// the compiler from taking the cast for a mistake (-Wcast-function-type).
template <typename Fn>
Fn FunctionCast(FARPROC address) {
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(address));
}

// Which of the two names the host binds.
enum class Binding { Plain, Decorated };

const char* BindingName(Binding binding);

// The name the host looks an export up by: its decorated name when bound
// that way or when it has no plain one.
inline const char* LookupName(const ExportNames& names, Binding binding) {
  return binding == Binding::Plain && names.plain != nullptr ? names.plain : names.decorated;
}

// Every entry point, bound by one kind of name. RunCommand0 has only its
// decorated name and is bound by it either way.
struct EntryPoints {
  AddDataFn addData = nullptr;
  RemoveDataFn removeData = nullptr;
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

// The name of the first entry point that is not bound; null when all are.
const char* FirstUnbound(const EntryPoints& entry, Binding binding);

// Owns one load of the DLL; unloading it ends the module's state.
class StatsModule {
 public:
  // `path` is in the ANSI code page, as the ANSI functions take it. A
  // relative path is taken from the working directory, as the host keeps
  // its plug-in folder (LoadLibrary would search the system path for a bare
  // name). The DLL is loaded by the wide functions from the full path, so
  // that a folder whose name the code page cannot spell, or whose path is
  // longer than 259 characters, loads too.
  explicit StatsModule(const std::string& path);
  // The same for a path in UTF-16.
  explicit StatsModule(const std::wstring& path);

  bool IsLoaded() const { return static_cast<bool>(m_module); }
  HMODULE Handle() const { return m_module.get(); }
  DWORD LoadError() const { return m_loadError; }
  // The full path the DLL was loaded from, in UTF-8 for messages.
  const std::string& Path() const { return m_path; }
  // The same for the wide functions.
  const std::wstring& WidePath() const { return m_widePath; }

  // The export of that exact name, or null.
  FARPROC Find(const char* name) const;
  // One export by the chosen kind of name; null when it is not found.
  template <typename Fn>
  Fn Bind(const Export<Fn>& names, Binding binding) const {
    return FunctionCast<Fn>(Find(LookupName(names, binding)));
  }
  // Binds every entry point by the chosen names; a name that is not found
  // leaves its pointer null.
  EntryPoints Bind(Binding binding) const;

 private:
  std::wstring m_widePath;
  std::string m_path;
  stats::UniqueModule m_module;
  DWORD m_loadError = 0;
};

// The DLL under test: $STATS_DLL when set, else `fallback`. Linux paths are
// turned into the wine drive that maps the root. In the ANSI code page.
std::string StatsDllPath(const std::string& fallback);

}  // namespace host
