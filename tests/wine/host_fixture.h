#pragma once
// A small host for one test: a fresh working directory holding
// Plugins\rda_rus.dat, and the plug-in freshly loaded and bound by the
// plain or the decorated export names (the test's parameter). Every
// behaviour test runs under both bindings. ResetStats0 is never called in
// output mode here: that would show the modal station dialog.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "host_calls_win.h"
#include "scratch_folder.h"
#include "stats_module_win.h"

namespace host {

// The RDA list installed beside the host. Codes it yields: "AD01", "AD02",
// "MOK-" (first hyphen at position 4: first two and fourth and fifth
// characters); the line starting with "-" and the one without a hyphen
// yield nothing.
inline constexpr const char* kRdaFile =
    "AD-01 Adygea\r\n"
    "AD-02\r\n"
    "-XX-99\r\n"
    "NOHYPHEN\r\n"
    "MOSK-77 extra text\r\n";

inline constexpr const char* kRdaFilePath = "Plugins\\rda_rus.dat";
inline constexpr const char* kSettingsPath = "Plugins\\KESTREL-RTTY.ini";
inline constexpr const char* kJournalPath = "err.txt";

class HostTest : public ::testing::TestWithParam<Binding> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_folder.IsReady()) << "no working directory at " << m_folder.Path().string();
    m_folder.Write(kRdaFilePath, kRdaFile);
    LoadModule();
  }

  void TearDown() override {
    m_host.reset();
    m_module.reset();
  }

  // A fresh module state: unload the DLL and load it again.
  void LoadModule() {
    m_host.reset();
    m_module.reset();
    m_module = std::make_unique<StatsModule>(StatsDllPath(STATS_DLL_PATH));
    ASSERT_TRUE(m_module->IsLoaded())
        << "LoadLibrary(" << m_module->Path() << ") failed, error " << m_module->LoadError();
    m_host = std::make_unique<HostCalls>(m_module->Bind(GetParam()));
    const char* missing = FirstUnbound(m_host->Entry(), GetParam());
    ASSERT_EQ(missing, nullptr) << "entry point missing by its " << BindingName(GetParam())
                                << " name: " << missing;
  }

  HostCalls& Host() { return *m_host; }
  const EntryPoints& Entry() { return m_host->Entry(); }
  StatsModule& Module() { return *m_module; }
  ScratchFolder& Folder() { return m_folder; }

  // A reset that never starts the display: "Start" is stored as 1 first,
  // so the reset reads 1 and only stores 0.
  int QuietReset(const ResetArgs& args = ResetArgs()) {
    WriteSetting("Start", "1");
    return m_host->ResetStats(args);
  }

  std::string Journal() const { return m_folder.Read(kJournalPath); }

  // A key of the plug-in's settings, as the profile functions read it;
  // "<missing>" when absent.
  std::string Setting(const char* key) const {
    char value[256] = {};
    GetPrivateProfileStringA("Settings", key, "<missing>", value, sizeof value,
                             SettingsFile().c_str());
    return value;
  }

  void WriteSetting(const char* key, const char* value) const {
    WritePrivateProfileStringA("Settings", key, value, SettingsFile().c_str());
  }

 private:
  std::string SettingsFile() const { return (m_folder.Path() / kSettingsPath).string(); }

  ScratchFolder m_folder;  // made current before the module loads
  std::unique_ptr<StatsModule> m_module;
  std::unique_ptr<HostCalls> m_host;
};

inline std::string BindingParamName(const ::testing::TestParamInfo<Binding>& info) {
  return BindingName(info.param);
}

// Runs a test suite derived from HostTest under the names the host binds.
// ExportNamesTest shows that both names of an export reach the same code,
// so the behaviour is tested once.
#define INSTANTIATE_FOR_THE_HOSTS_BINDING(Suite)                                   \
  INSTANTIATE_TEST_SUITE_P(ByName, Suite, ::testing::Values(::host::Binding::Plain), \
                           ::host::BindingParamName)

}  // namespace host
