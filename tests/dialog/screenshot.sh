#!/usr/bin/env bash
# Takes the picture of the station dialog for the README under wine:
#   tests/dialog/screenshot.sh <win32-build-dir>   -> docs/station-dialog.png
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:?usage: screenshot.sh <win32-build-dir>}
build=$(cd "$build" && pwd)

"$root/scripts/ensure-deps.sh" --pictures
ninja -C "$build" station_dialog_screenshot >/dev/null

# shellcheck source=../../scripts/lib/wine-session.sh
source "$root/scripts/lib/wine-session.sh"
WINE_SESSION_NAME=${WINE_SESSION_NAME:-wine-dialog}
export WINE_SESSION_NAME
wine_session_start
shot=$(mktemp -d)
trap 'wine_session_stop; rm -rf "$shot"' EXIT

STATS_DLL="$root/dist/Stats.dll" wine_run wine "$build/tests/dialog/station_dialog_screenshot.exe" \
  "Z:$shot/station-dialog.bmp" </dev/null
mkdir -p "$root/docs"
# ImageMagick's own converter, not a stand-in earlier on the PATH.
/usr/bin/convert "$shot/station-dialog.bmp" -strip "$root/docs/station-dialog.png"
echo "wrote docs/station-dialog.png"
