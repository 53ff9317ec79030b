#include "ui/display/last_resort_win.h"

#include <windows.h>

#include <atomic>
#include <cstdio>

namespace stats {
namespace {

std::atomic<unsigned> g_nLastResorts{0};

}  // namespace

void NoteLastResort(const char* what) noexcept {
  const unsigned count = g_nLastResorts.fetch_add(1) + 1;
  char line[160];
  std::snprintf(line, sizeof line, "Stats.dll: last resort %u: %s\n", count, what);
  OutputDebugStringA(line);
}

}  // namespace stats
