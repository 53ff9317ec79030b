#!/usr/bin/env bash
# Builds the plug-in (dist/Stats.dll) and the host simulator.
# STATS_WARNINGS_AS_ERRORS=ON stops on any compiler warning (the test
# command sets it; the build directory keeps the choice until it is set
# again, so that alternating commands do not rebuild everything).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/ensure-deps.sh"
cmake -S "$root" -B "$root/build/win32" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
  ${STATS_WARNINGS_AS_ERRORS:+-DCMAKE_COMPILE_WARNING_AS_ERROR="$STATS_WARNINGS_AS_ERRORS"} >/dev/null
cmake --build "$root/build/win32"
