#!/usr/bin/env bash
# Pictures of the plug-in's windows for the docs and the operator's guides:
# plays the sample operator session (samples/session.txt) in the host
# simulator under wine at 96 DPI twice, once as a station outside Russia
# (English wording) and once as a Russian station (Russian wording; the
# wording is chosen by the own prefix and kept while the plug-in stays
# loaded, hence two runs). The three windows of each picture go side by
# side into docs/display-<en|ru>-<picture>.png. Then both wordings once
# more at 192 DPI (the display scaled to 200 %), of which the district view
# and the call view go to docs/display-<en|ru>-<view>-192dpi.png.
#   --no-build   use the binaries already built
# Runs in a wine prefix and host folders of its own (build/screenshots/),
# without a terminal and without input (CI).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_dir="${ORVOSIM_BUILD_DIR:-$root/build/win32}"
work="$root/build/screenshots"
docs="$root/docs"
own_call=R3XYZ
contest_end=2026-12-06T23:59

build=1
for arg in "$@"; do
  case "$arg" in
    --no-build) build=0 ;;
    *) echo "screenshots.sh: unknown argument $arg" >&2; exit 2 ;;
  esac
done

if [ "$build" -eq 1 ]; then
  "$root/scripts/build.sh"
fi
"$root/scripts/ensure-deps.sh" --pictures
for f in "$build_dir/Stats.dll" "$build_dir/tools/orvosim/OrvoSim.exe"; do
  [ -f "$f" ] || { echo "screenshots.sh: $f is missing; build first" >&2; exit 1; }
done

# shellcheck source=lib/wine-session.sh
source "$root/scripts/lib/wine-session.sh"
WINE_SESSION_NAME=wineprefix-screenshots wine_session_start
trap wine_session_stop EXIT

# Plays the session in a fresh host folder, own prefix $1, at $2 DPI (wine
# takes the scale from the prefix when the simulator starts); leaves the
# window pictures there as PNG files.
play() {
  local prefix=$1 dpi=$2
  local run="$work/$prefix-$dpi"
  rm -rf "$run"
  mkdir -p "$run/Plugins"
  cp "$build_dir/tools/orvosim/OrvoSim.exe" "$run/"
  cp "$build_dir/Stats.dll" "$root/samples/Plugins/rda_rus.dat" "$run/Plugins/"
  cp "$root/samples/sample.adi" "$root/samples/session.txt" "$run/"
  wine_run wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
    >/dev/null 2>&1 </dev/null
  if ! (cd "$run" && wine_run timeout --kill-after=10 300 wine OrvoSim.exe --call "$own_call" \
    --prefix "$prefix" --end "$contest_end" --session session.txt sample.adi \
    </dev/null >simulator.txt 2>&1); then
    echo "screenshots.sh: the simulator failed ($prefix, $dpi DPI); see $run/simulator.txt" >&2
    exit 1
  fi
  for bmp in "$run"/*.bmp; do
    convert "$bmp" "${bmp%.bmp}.png" && rm "$bmp"
  done
}

# Joins <picture>-info/-moscow/-rda.png of a host folder into one image.
#   compose FOLDER OUTPUT-PREFIX [PICTURE]   (every picture when none is named)
compose() {
  local run=$1 output=$2 only=${3:-} picture parts
  for info in "$run"/*-info.png; do
    picture=$(basename "${info%-info.png}")
    [ -z "$only" ] || [ "$picture" = "$only" ] || continue
    parts=()
    for window in info moscow rda; do
      [ -f "$run/$picture-$window.png" ] && parts+=("$run/$picture-$window.png")
    done
    local target="$docs/$output-$picture.png"
    [ -z "$only" ] || target="$docs/$output-$picture-${run##*-}dpi.png"
    convert -background white "${parts[@]}" -bordercolor white -border 6 -gravity north +append \
      +repage "$target"
    echo "$target"
  done
}

mkdir -p "$docs"
play DL 96
compose "$work/DL-96" display-en
play UA 96
compose "$work/UA-96" display-ru
for prefix in DL UA; do
  wording=en
  [ "$prefix" = UA ] && wording=ru
  play "$prefix" 192
  compose "$work/$prefix-192" "display-$wording" district-view
  compose "$work/$prefix-192" "display-$wording" call-view
done
