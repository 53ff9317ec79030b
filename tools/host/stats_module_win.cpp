#include "stats_module_win.h"

#include <cstddef>
#include <cstdlib>

namespace host {
namespace {

std::wstring WideFrom(const std::string& text, UINT codePage) {
  if (text.empty()) return std::wstring();
  const int size = static_cast<int>(text.size());
  const int n = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), n);
  return wide;
}

std::string Utf8From(const std::wstring& wide) {
  if (wide.empty()) return std::string();
  const int size = static_cast<int>(wide.size());
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return std::string();
  std::string text(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, text.data(), n, nullptr, nullptr);
  return text;
}

// Resolved against the working directory, at any length.
std::wstring FullPath(const std::wstring& path) {
  const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return path;
  std::wstring full(needed, L'\0');
  const DWORD n = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
  if (n == 0 || n >= needed) return path;
  full.resize(n);
  return full;
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

StatsModule::StatsModule(const std::string& path) : StatsModule(WideFrom(path, CP_ACP)) {}

StatsModule::StatsModule(const std::wstring& path)
    : m_widePath(FullPath(path)),
      m_path(Utf8From(m_widePath)),
      m_module(LoadLibraryW(m_widePath.c_str())) {
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
