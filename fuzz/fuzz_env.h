#pragma once
// What every fuzz target that reaches the module needs: one empty working
// directory of its own for the whole run (journal, settings and the RDA
// file live there), made on first use.
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

namespace stats::fuzz {

inline void EnterScratchDirectory() {
  static const bool entered = [] {
    // In memory when the system offers it: the result rewrites the
    // settings file on every call.
    char inMemory[] = "/dev/shm/stats-fuzz-XXXXXX";
    char onDisk[] = "/tmp/stats-fuzz-XXXXXX";
    char* dir = mkdtemp(inMemory);
    if (dir == nullptr) dir = mkdtemp(onDisk);
    if (dir == nullptr || chdir(dir) != 0) {
      std::perror("stats fuzz: scratch directory");
      std::abort();
    }
    std::filesystem::create_directory("Plugins");
    static const std::filesystem::path made = std::filesystem::current_path();
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(made, ignored);
    });
    return true;
  }();
  (void)entered;
}

}  // namespace stats::fuzz
