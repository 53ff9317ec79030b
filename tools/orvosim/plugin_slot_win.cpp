#include "plugin_slot_win.h"

#include <utility>

namespace orvosim {

PluginSlot::PluginSlot(std::string path) : m_path(std::move(path)) {}

bool PluginSlot::Load(std::string& error) {
  if (IsLoaded()) return true;
  // Loaded again from where the first load found it.
  auto module = m_widePath.empty() ? std::make_unique<host::StatsModule>(m_path)
                                   : std::make_unique<host::StatsModule>(m_widePath);
  if (!module->IsLoaded()) {
    error = "cannot load " + module->Path() + " (error " + std::to_string(module->LoadError()) +
            ")";
    return false;
  }
  // The host binds the plain names (RunCommand0 has only its decorated one).
  const host::EntryPoints entry = module->Bind(host::Binding::Plain);
  if (const char* missing = host::FirstUnbound(entry, host::Binding::Plain)) {
    error = std::string("entry point not found: ") + missing;
    return false;  // the module owner unloads it again
  }
  m_path = module->Path();
  m_widePath = module->WidePath();
  m_session = HostSession(entry);
  m_module = std::move(module);
  return true;
}

bool PluginSlot::IsMapped() const {
  if (m_widePath.empty()) return false;  // never loaded
  HMODULE module = nullptr;
  return GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT, m_widePath.c_str(),
                            &module) != 0;
}

void PluginSlot::Unload() {
  // Marked unloaded before FreeLibrary: whatever the host's thread runs
  // while the module detaches finds no plug-in to call.
  std::unique_ptr<host::StatsModule> module = std::move(m_module);
  module.reset();
}

}  // namespace orvosim
