#pragma once
// The plug-in as the host holds it: loaded from its path, its exports bound
// by their plain names, unloaded and loaded again when the operator
// switches contests. While it is unloaded no export may be called.
#include <memory>
#include <string>

#include "host_session_win.h"
#include "stats_module_win.h"

namespace orvosim {

class PluginSlot {
 public:
  // `path` as StatsModule takes it.
  explicit PluginSlot(std::string path);
  PluginSlot(const PluginSlot&) = delete;
  PluginSlot& operator=(const PluginSlot&) = delete;

  // LoadLibrary and the binding of every export; false with the reason in
  // `error` (and nothing loaded) when either fails.
  bool Load(std::string& error);
  // FreeLibrary; nothing when nothing is loaded.
  void Unload();

  bool IsLoaded() const { return m_module != nullptr; }
  // Whether a module of the plug-in's path is mapped in the process, loaded
  // by the host or not: after an unload, a module that still holds a
  // reference to itself stays mapped, and a load then gets it back.
  bool IsMapped() const;
  // The exports of the loaded plug-in; null while it is unloaded.
  HostSession* Session() { return IsLoaded() ? &m_session : nullptr; }
  // The full path of the last load, in UTF-8 for messages.
  const std::string& Path() const { return m_path; }

 private:
  // Until the first load, the path as given; then the full path.
  std::string m_path;
  std::wstring m_widePath;  // empty until the first load
  std::unique_ptr<host::StatsModule> m_module;
  // Kept across unloads: an unload from inside a host member may happen
  // while one of its calls is still on the stack.
  HostSession m_session{host::EntryPoints{}};
};

}  // namespace orvosim
