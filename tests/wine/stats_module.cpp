#include "stats_module.h"

#include <cstdlib>

namespace host {
namespace {

template <typename Function>
Function BindOne(const StatsModule& module, const ExportNames& names, Binding binding) {
  const char* name =
      binding == Binding::Plain && names.plain != nullptr ? names.plain : names.decorated;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(module.Find(name)));
}

std::string WindowsPath(std::string path) {
  if (!path.empty() && path.front() == '/') path = "Z:" + path;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

}  // namespace

StatsModule::StatsModule(const std::string& path) {
  m_module = LoadLibraryA(path.c_str());
  if (m_module == nullptr) m_loadError = GetLastError();
}

StatsModule::~StatsModule() {
  if (m_module != nullptr) FreeLibrary(m_module);
}

FARPROC StatsModule::Find(const char* name) const {
  if (m_module == nullptr || name == nullptr) return nullptr;
  return GetProcAddress(m_module, name);
}

EntryPoints StatsModule::Bind(Binding binding) const {
  EntryPoints entry;
  entry.addData = BindOne<AddDataFn>(*this, kAddData0, binding);
  entry.removeData = BindOne<AddDataFn>(*this, kRemoveData0, binding);
  entry.checkCall = BindOne<CheckCallFn>(*this, kCheckCall0, binding);
  entry.isValidExchg = BindOne<IsValidExchgFn>(*this, kIsValidExchg0, binding);
  entry.getExchgCount = BindOne<GetExchgCountFn>(*this, kGetExchgCount0, binding);
  entry.getNumberOfSets = BindOne<GetNumberOfSetsFn>(*this, kGetNumberOfSets, binding);
  entry.getSetName = BindOne<GetSetNameFn>(*this, kGetSetName, binding);
  entry.setupSet = BindOne<SetupSetFn>(*this, kSetupSet0, binding);
  entry.resetStats = BindOne<ResetStatsFn>(*this, kResetStats0, binding);
  entry.getResult = BindOne<GetResultFn>(*this, kGetResult0, binding);
  entry.runCommand = BindOne<RunCommandFn>(*this, kRunCommand0, binding);
  return entry;
}

std::string StatsDllPath() {
  const char* fromEnvironment = std::getenv("STATS_DLL");
  if (fromEnvironment != nullptr && fromEnvironment[0] != '\0') {
    return WindowsPath(fromEnvironment);
  }
  return WindowsPath(STATS_DLL_PATH);
}

const char* BindingName(Binding binding) {
  return binding == Binding::Plain ? "plain" : "decorated";
}

}  // namespace host
