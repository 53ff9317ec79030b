#include "stats_module_win.h"

#include <cstdlib>

namespace host {
namespace {

std::string FullPath(const std::string& path) {
  char buffer[MAX_PATH * 2];
  const DWORD n = GetFullPathNameA(path.c_str(), sizeof buffer, buffer, nullptr);
  return n == 0 || n >= sizeof buffer ? path : std::string(buffer, n);
}

std::string WindowsPath(std::string path) {
  if (!path.empty() && path.front() == '/') path = "Z:" + path;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

}  // namespace

const char* BindingName(Binding binding) {
  return binding == Binding::Plain ? "plain" : "decorated";
}

const char* FirstUnbound(const EntryPoints& e, Binding binding) {
  const auto name = [binding](const ExportNames& names) { return LookupName(names, binding); };
  if (e.addData == nullptr) return name(kAddData0);
  if (e.removeData == nullptr) return name(kRemoveData0);
  if (e.checkCall == nullptr) return name(kCheckCall0);
  if (e.isValidExchg == nullptr) return name(kIsValidExchg0);
  if (e.getExchgCount == nullptr) return name(kGetExchgCount0);
  if (e.getNumberOfSets == nullptr) return name(kGetNumberOfSets);
  if (e.getSetName == nullptr) return name(kGetSetName);
  if (e.setupSet == nullptr) return name(kSetupSet0);
  if (e.resetStats == nullptr) return name(kResetStats0);
  if (e.getResult == nullptr) return name(kGetResult0);
  if (e.runCommand == nullptr) return name(kRunCommand0);
  return nullptr;
}

StatsModule::StatsModule(const std::string& path)
    : m_path(FullPath(path)), m_module(LoadLibraryA(m_path.c_str())) {
  if (!m_module) m_loadError = GetLastError();
}

FARPROC StatsModule::Find(const char* name) const {
  if (!m_module || name == nullptr) return nullptr;
  return GetProcAddress(m_module.get(), name);
}

EntryPoints StatsModule::Bind(Binding binding) const {
  EntryPoints entry;
  entry.addData = Bind(kAddData0, binding);
  entry.removeData = Bind(kRemoveData0, binding);
  entry.checkCall = Bind(kCheckCall0, binding);
  entry.isValidExchg = Bind(kIsValidExchg0, binding);
  entry.getExchgCount = Bind(kGetExchgCount0, binding);
  entry.getNumberOfSets = Bind(kGetNumberOfSets, binding);
  entry.getSetName = Bind(kGetSetName, binding);
  entry.setupSet = Bind(kSetupSet0, binding);
  entry.resetStats = Bind(kResetStats0, binding);
  entry.getResult = Bind(kGetResult0, binding);
  entry.runCommand = Bind(kRunCommand0, binding);
  return entry;
}

std::string StatsDllPath(const std::string& fallback) {
  const char* fromEnvironment = std::getenv("STATS_DLL");
  if (fromEnvironment != nullptr && fromEnvironment[0] != '\0') {
    return WindowsPath(fromEnvironment);
  }
  return WindowsPath(fallback);
}

}  // namespace host
