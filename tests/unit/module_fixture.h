#pragma once
// A fresh module for every test: the contest state as after load, a
// portable platform the test can watch and break, and an empty working
// directory of its own (journal, settings and RDA file live there).
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "engine/contest_state.h"
#include "fake_ports.h"
#include "platform/portable_platform.h"
#include "reports/result.h"

class ModuleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_previousDir = std::filesystem::current_path();
    char pattern[] = "/tmp/stats-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    m_dir = pattern;
    std::filesystem::current_path(m_dir);
    std::filesystem::create_directory(m_dir / "Plugins");
    stats::RestoreLoadState();
    stats::RestoreReportsLoadState();
    stats::SetCurrentPlatform(&platform);
    stats::SetCurrentDisplay(&display);
    stats::SetCurrentStationDialog(&stationDialog);
  }

  void TearDown() override {
    stats::SetCurrentPlatform(nullptr);
    stats::SetCurrentDisplay(nullptr);
    stats::SetCurrentStationDialog(nullptr);
    std::filesystem::current_path(m_previousDir);
    std::error_code ignored;
    std::filesystem::remove_all(m_dir, ignored);
  }

  // Whole file in the working directory ("" when missing); Windows-style
  // relative paths are accepted.
  std::string ReadFile(const std::string& path) {
    std::ifstream in(stats::PosixPath(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(stats::PosixPath(path), std::ios::binary);
    out << bytes;
  }

  stats::PortablePlatform platform;
  FakeDisplay display;
  FakeStationDialog stationDialog;
  std::filesystem::path m_dir;

 private:
  std::filesystem::path m_previousDir;
};
