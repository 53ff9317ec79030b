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
#   scripts/run.sh --session FILE
#                             the same with another session script, e.g.
#                             samples/unload-session.txt
#   --no-build                use the binaries already built
# Further arguments go to OrvoSim.exe (e.g. --check R3ABC 80m RTTY, or
# --object-thread for the automation object on a thread of its own).
# Fails when the simulator crashed (its own report or wine's, at any point
# including process exit), hung or exited with an error; its stderr is
# shown as it comes.
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
session_file="$root/samples/session.txt"
build=1
sim_args=()
sim_timeout=120  # the simulator's own default
while [ $# -gt 0 ]; do
  case "$1" in
    --output) output=(--output --answer station-answers.txt) ;;
    --session)
      # An argument that is no option names the script.
      if [ $# -gt 1 ] && [ "${2#-}" = "$2" ]; then
        session_file=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
        shift
      fi
      session=(--session "$(basename "$session_file")") ;;
    --no-build) build=0 ;;
    --timeout)
      sim_args+=("$1")
      if [ $# -gt 1 ]; then
        [[ "$2" =~ ^[0-9]+$ ]] && sim_timeout=$2
        sim_args+=("$2")
        shift
      fi ;;
    *) sim_args+=("$1") ;;
  esac
  shift
done
if [ ${#session[@]} -gt 0 ] && [ ! -f "$session_file" ]; then
  echo "run.sh: no session script $session_file" >&2
  exit 2
fi

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
cp "$root/samples/sample.adi" "$root/samples/station-answers.txt" "$run_dir/"
if [ ${#session[@]} -gt 0 ]; then
  cp "$session_file" "$run_dir/"
fi

# shellcheck source=lib/wine-session.sh
source "$root/scripts/lib/wine-session.sh"
WINE_SESSION_NAME=wineprefix-sample-run wine_session_start
trap wine_session_stop EXIT

# The simulator's stderr is shown as it comes and kept, for the crash
# reports of wine itself. Its own watchdog ends a hang; the outer limit is
# for a process that cannot even end itself.
stderr_log="$run_dir/orvosim-stderr.txt"
outer_limit=$((sim_timeout + 120))
exec 3>&1
set +e
(cd "$run_dir" && wine_run timeout --kill-after=10 "$outer_limit" wine OrvoSim.exe \
   --call "$own_call" --prefix "$own_prefix" --end "$contest_end" \
   ${output[@]+"${output[@]}"} ${session[@]+"${session[@]}"} \
   ${sim_args[@]+"${sim_args[@]}"} sample.adi </dev/null) 2>&1 1>&3 3>&- |
  tee "$stderr_log" >&2
status=${PIPESTATUS[0]}
set -e
exec 3>&-

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

# What went wrong, in words. The simulator's exit codes: 2 usage, 3 no end
# in time, 4 a session command failed, 5 a crash it caught itself; a crash
# report of wine's own counts whatever the exit code.
verdict=""
if [ "$status" -eq 5 ] ||
  grep -qE 'Unhandled exception|Unhandled page fault|wine: Unhandled|orvosim: crash' "$stderr_log"; then
  verdict="crashed"
elif [ "$status" -eq 3 ] || [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
  verdict="hung"
elif [ "$status" -ne 0 ]; then
  verdict="failed"
fi
if [ -n "$verdict" ]; then
  echo "run.sh: OrvoSim $verdict (exit $status)" >&2
  [ "$status" -ne 0 ] || status=1
fi
exit "$status"
