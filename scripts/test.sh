#!/usr/bin/env bash
# Runs every test: the native unit and simulator tests and the fuzz targets
# over their seed corpus, in one build under the address and
# undefined-behaviour sanitizers, the display's race test under the thread
# sanitizer, then everything the Windows build registers, under wine: the
# export-table check of dist/Stats.dll, the host tests, the station dialog
# tests, the automation object's tests, the RDA window's painting tests and
# the display sessions against the real DLL; then the main job through the
# host simulator, against its stored result; last, the release archive of
# the tested DLL.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/scripts/ensure-deps.sh"

jobs=$(nproc)
# Every build here stops on any compiler warning.
export STATS_WARNINGS_AS_ERRORS=ON
werror=-DCMAKE_COMPILE_WARNING_AS_ERROR=ON
step() { printf '\n== %s\n' "$*"; }

# The native tests run once, under the sanitizers, in the fuzz targets'
# build: one sanitized build serves both. Longer fuzzing is scripts/fuzz.sh's.
step "native tests, then the fuzz targets over their seed corpus, with address and undefined-behaviour sanitizers"
STATS_FUZZ_BUILD=build/native-asan "$root/scripts/fuzz.sh" --with-tests 0

step "display reads against host writes under the thread sanitizer"
cmake -S . -B build/native-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSTATS_SANITIZE_THREAD=ON "$werror" >/dev/null
cmake --build build/native-tsan -j "$jobs" --target display_race_test
build/native-tsan/tests/race/display_race_test

step "Windows build"
"$root/scripts/build.sh"

step "export table, host, station dialog, automation and display tests of dist/Stats.dll under wine"
export STATS_DLL="$root/dist/Stats.dll"
"$root/tests/wine/run.sh" "$root/build/win32"

step "the main job on a fresh wine prefix, against its stored result"
# The simulator is a host like the real one; run.sh fails on a crash at any
# point (process exit included), a hang or an error. What it prints is the
# result and the journal of the sample log, which must not change unless
# the stored result changes with it (samples/main-job-result.txt).
rm -rf "$root/build/wineprefix-sample-run"
"$root/scripts/run.sh" --no-build >"$root/build/main-job.txt" 2>"$root/build/main-job-stderr.txt" ||
  { cat "$root/build/main-job.txt" "$root/build/main-job-stderr.txt"; echo "main job: failed" >&2; exit 1; }
diff -u "$root/samples/main-job-result.txt" "$root/build/main-job.txt" ||
  { echo "main job: its output differs from samples/main-job-result.txt" >&2; exit 1; }

step "the release archive of the tested DLL: reproducible and complete"
"$root/tests/release/check_release.sh"

step "all tests passed"
