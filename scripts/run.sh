#!/usr/bin/env bash
# The main job: builds the plug-in and the host simulator, then lets the
# simulator play the host on the sample log under wine and prints the
# result and the journal (err.txt).
#   scripts/run.sh            result and journal
#   scripts/run.sh --output   output mode: answers the station dialog from
#                             samples/station-answers.txt and prints the
#                             Cabrillo file as well
#   scripts/run.sh --session  after the log, plays the operator session of
#                             samples/session.txt with the plug-in's windows
#                             (the simulator offers the host's automation
#                             object) and leaves the window pictures as PNG
#                             files in build/sample-run/
#   --no-build                use the binaries already built
# Further arguments go to OrvoSim.exe (e.g. --check R3ABC 80m RTTY).
# Runs without a terminal and without input (CI).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_dir="${ORVOSIM_BUILD_DIR:-$root/build/win32}"
run_dir="$root/build/sample-run"
own_call=R3XYZ
own_prefix=UA
contest_end=2026-12-06T23:59

output=()
session=()
build=1
sim_args=()
for arg in "$@"; do
  case "$arg" in
    --output) output=(--output --answer station-answers.txt) ;;
    --session) session=(--session session.txt) ;;
    --no-build) build=0 ;;
    *) sim_args+=("$arg") ;;
  esac
done

if [ "$build" -eq 1 ]; then
  "$root/scripts/build.sh"
fi
if [ ${#session[@]} -gt 0 ]; then
  "$root/scripts/ensure-deps.sh" --pictures
fi
for f in "$build_dir/Stats.dll" "$build_dir/tools/orvosim/OrvoSim.exe"; do
  [ -f "$f" ] || { echo "run.sh: $f is missing; build first" >&2; exit 1; }
done

# A fresh host folder: the executable, its plug-in directory, the log.
rm -rf "$run_dir"
mkdir -p "$run_dir/Plugins"
cp "$build_dir/tools/orvosim/OrvoSim.exe" "$run_dir/"
cp "$build_dir/Stats.dll" "$root/samples/Plugins/rda_rus.dat" "$run_dir/Plugins/"
cp "$root/samples/sample.adi" "$root/samples/station-answers.txt" "$root/samples/session.txt" \
  "$run_dir/"

# shellcheck source=lib/wine-session.sh
source "$root/scripts/lib/wine-session.sh"
WINE_SESSION_NAME=wineprefix-sample-run wine_session_start
trap wine_session_stop EXIT

status=0
(cd "$run_dir" && wine_run wine OrvoSim.exe --call "$own_call" --prefix "$own_prefix" \
   --end "$contest_end" ${output[@]+"${output[@]}"} ${session[@]+"${session[@]}"} \
   ${sim_args[@]+"${sim_args[@]}"} sample.adi </dev/null) || status=$?

if [ ${#session[@]} -gt 0 ]; then
  echo "----- window pictures -----"
  shopt -s nullglob
  pictures=("$run_dir"/*.bmp)
  [ ${#pictures[@]} -gt 0 ] || echo "(no window was shown)"
  for bmp in ${pictures[@]+"${pictures[@]}"}; do
    convert "$bmp" "${bmp%.bmp}.png" && rm "$bmp"
    echo "${bmp%.bmp}.png"
  done
fi

if [ ${#output[@]} -gt 0 ]; then
  echo "----- $own_call.cbr -----"
  if [ -f "$run_dir/$own_call.cbr" ]; then
    tr -d '\r' <"$run_dir/$own_call.cbr"
  else
    echo "(no $own_call.cbr was written)"
  fi
fi
exit "$status"
