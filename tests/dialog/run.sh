#!/usr/bin/env bash
# Runs the station dialog tests under wine on a virtual display:
#   tests/dialog/run.sh <win32-build-dir> [extra ctest arguments]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:?usage: run.sh <win32-build-dir> [ctest arguments]}
shift
build=$(cd "$build" && pwd)

ninja -C "$build" station_dialog_test >/dev/null

# shellcheck source=../../scripts/lib/wine-session.sh
source "$root/scripts/lib/wine-session.sh"
WINE_SESSION_NAME=${WINE_SESSION_NAME:-wine-dialog}
export WINE_SESSION_NAME
wine_session_start
trap wine_session_stop EXIT
wine_run ctest --test-dir "$build" -R '^dialog\.' --output-on-failure "$@"
