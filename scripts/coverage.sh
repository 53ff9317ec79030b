#!/usr/bin/env bash
# Line and branch coverage of the module's code, per source folder and for
# the Windows-only (*_win) files together: under the native tests (g++ with
# gcov counters, build/coverage-native) and under the wine tests (mingw with
# gcov counters, build/coverage-win32, every test of tests/wine/run.sh
# against that build's DLL). Not part of the test command: the counters
# slow the module and change its imports, so the XP import check fails in
# that build by design; the figures cover whatever ran.
#
#   scripts/coverage.sh             both, built and run afresh
#   scripts/coverage.sh native      the native figures only
#   scripts/coverage.sh wine        the wine figures only
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/ensure-deps.sh"
which=${1:-both}

native() {
  local build="$root/build/coverage-native"
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSTATS_COVERAGE=ON >/dev/null
  cmake --build "$build" --target unit_tests
  find "$build" -name '*.gcda' -delete
  "$build/tests/unit/unit_tests" >/dev/null
  echo "native tests:"
  python3 "$root/scripts/lib/coverage_report.py" gcov "$build" "$root"
}

wine_tests() {
  local build="$root/build/coverage-win32"
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" -DSTATS_COVERAGE=ON >/dev/null
  cmake --build "$build"
  find "$build" -name '*.gcda' -delete
  # The tests load this build's DLL, not dist/Stats.dll.
  STATS_DLL='' WINE_SESSION_NAME=wine-coverage "$root/tests/wine/run.sh" "$build" >"$build/tests.log" 2>&1 ||
    echo "coverage: some tests failed under the counters (see $build/tests.log)" >&2
  echo "wine tests:"
  python3 "$root/scripts/lib/coverage_report.py" i686-w64-mingw32-gcov-posix "$build" "$root"
}

case "$which" in
  native) native ;;
  wine) wine_tests ;;
  both) native; wine_tests ;;
  *) echo "coverage.sh: unknown argument $which" >&2; exit 2 ;;
esac
