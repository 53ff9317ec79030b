#!/usr/bin/env bash
# Builds the Windows build and runs its tests (the wine host tests, the
# export-table check, the station dialog tests) inside a wine session of its
# own; exits with ctest's status.
#
#   tests/wine/run.sh [build-dir] [ctest arguments...]
#   tests/wine/run.sh build/win32 -R '^dialog\.'    the dialog tests alone
#
# The build directory defaults to build/win32 and is configured when it has
# no cache yet. WINE_SESSION_NAME names the wine prefix under build/
# (default: wine-<name of the build directory>).
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${1:-$root/build/win32}
[ $# -gt 0 ] && shift
mkdir -p "$build"
build=$(cd "$build" && pwd)

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null || exit 1
fi
cmake --build "$build" || exit 1

# shellcheck source=../../scripts/lib/wine-session.sh
source "$root/scripts/lib/wine-session.sh"
export WINE_SESSION_NAME=${WINE_SESSION_NAME:-wine-$(basename "$build")}
wine_session_start || exit 1

# As root, a 64 KB disk for the export's full-disk test (which skips
# without one), unmounted when the run ends.
full_disk="$build/full-disk"
full_disk_mounted=0
if [ "$(id -u)" = 0 ] && mkdir -p "$full_disk" &&
  mount -t tmpfs -o size=64k tmpfs "$full_disk" 2>/dev/null; then
  full_disk_mounted=1
  export STATS_FULL_DISK_DIR="$full_disk"
fi
finish() {
  # wine first: its server may still hold files on the small disk.
  wine_session_stop
  if [ "$full_disk_mounted" = 1 ]; then umount "$full_disk" 2>/dev/null || umount -l "$full_disk"; fi
}
trap finish EXIT

if [ $# -gt 0 ]; then
  wine_run ctest --test-dir "$build" --output-on-failure "$@"
  exit
fi
# Every test: the host, dialog and export tests two at a time (each program
# keeps to its own windows and folder); the display and automation tests
# one at a time, since each registers the one host automation object.
status=0
wine_run ctest --test-dir "$build" --output-on-failure -j 2 -LE 'display|automation' || status=$?
wine_run ctest --test-dir "$build" --output-on-failure -L 'display|automation' || status=$?
exit "$status"
