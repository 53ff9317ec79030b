#!/usr/bin/env bash
# Runs every test: the native unit tests (with the address and
# undefined-behaviour sanitizers, and the display's race test with the
# thread sanitizer), the fuzz targets over their corpus and briefly on new
# inputs, then everything the Windows build registers, under
# wine: the export-table check of dist/Stats.dll, the host tests, the station
# dialog tests, the automation object's tests, the RDA window's painting
# tests and the display sessions against the real DLL; last, the main job
# three times on fresh wine prefixes and the unload session through the host
# simulator.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/scripts/ensure-deps.sh"

jobs=$(nproc)
# Every build here stops on any compiler warning.
export STATS_WARNINGS_AS_ERRORS=ON
werror=-DCMAKE_COMPILE_WARNING_AS_ERROR=ON
step() { printf '\n== %s\n' "$*"; }

# The native unit tests run once, under the sanitizers: the same tests
# without them would find nothing more.
step "native unit tests with address and undefined-behaviour sanitizers"
cmake -S . -B build/native-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSTATS_SANITIZE=ON "$werror" >/dev/null
cmake --build build/native-asan -j "$jobs" --target unit_tests orvosim_tests
ctest --test-dir build/native-asan --output-on-failure -j "$jobs"

step "fuzz targets over their seed corpus, then 3 s of new inputs each"
"$root/scripts/fuzz.sh" 3

step "display reads against host writes under the thread sanitizer"
cmake -S . -B build/native-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSTATS_SANITIZE_THREAD=ON "$werror" >/dev/null
cmake --build build/native-tsan -j "$jobs" --target display_race_test
build/native-tsan/tests/race/display_race_test

step "Windows build"
"$root/scripts/build.sh"

step "export table, host, station dialog, automation and display tests of dist/Stats.dll under wine"
export STATS_DLL="$root/dist/Stats.dll"
"$root/tests/wine/run.sh" "$root/build/win32"

step "the main job three times, each on a fresh wine prefix, then the unload session"
# The simulator is a host like the real one; run.sh fails on a crash at any
# point (process exit included), a hang or an error.
for round in 1 2 3; do
  rm -rf "$root/build/wineprefix-sample-run"
  "$root/scripts/run.sh" --no-build >"$root/build/main-job-$round.log" 2>&1 ||
    { cat "$root/build/main-job-$round.log"; echo "main job, round $round: failed" >&2; exit 1; }
done
"$root/scripts/run.sh" --no-build --session samples/unload-session.txt >"$root/build/unload-session.log" 2>&1 ||
  { cat "$root/build/unload-session.log"; echo "unload session: failed" >&2; exit 1; }

step "all tests passed"
