#include "plugin_library.h"

namespace orvosim {
namespace {

// The names the host looks up; RunCommand0 exists only in its decorated form.
constexpr const char* kResetStats = "ResetStats0";
constexpr const char* kAddData = "AddData0";
constexpr const char* kRemoveData = "RemoveData0";
constexpr const char* kCheckCall = "CheckCall0";
constexpr const char* kGetResult = "GetResult0";
constexpr const char* kRunCommand = "?RunCommand0@@YAPBDHPBD@Z";

template <typename Fn>
bool Bind(HMODULE module, const char* name, Fn& fn, std::string& error) {
  fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  if (fn == nullptr && error.empty()) error = std::string("entry point not found: ") + name;
  return fn != nullptr;
}

// The plug-in directory is given relative to the working directory, as the
// host keeps it; LoadLibrary would search the system path for a bare name.
std::string FullPath(const std::string& path) {
  char buffer[MAX_PATH * 2];
  const DWORD n = GetFullPathNameA(path.c_str(), sizeof buffer, buffer, nullptr);
  return n == 0 || n >= sizeof buffer ? path : std::string(buffer, n);
}

}  // namespace

std::unique_ptr<PluginLibrary> PluginLibrary::Load(const std::string& path, std::string& error) {
  const std::string full = FullPath(path);
  HMODULE module = LoadLibraryA(full.c_str());
  if (module == nullptr) {
    error = "cannot load " + full + " (error " + std::to_string(GetLastError()) + ")";
    return nullptr;
  }
  std::unique_ptr<PluginLibrary> lib(new PluginLibrary(module));
  error.clear();
  Bind(module, kResetStats, lib->resetStats, error);
  Bind(module, kAddData, lib->addData, error);
  Bind(module, kRemoveData, lib->removeData, error);
  Bind(module, kCheckCall, lib->checkCall, error);
  Bind(module, kGetResult, lib->getResult, error);
  Bind(module, kRunCommand, lib->runCommand, error);
  if (!error.empty()) return nullptr;
  return lib;
}

PluginLibrary::~PluginLibrary() { FreeLibrary(m_module); }

}  // namespace orvosim
