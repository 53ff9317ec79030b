#!/usr/bin/env bash
# Pictures of the plug-in's windows for the README: plays the sample
# operator session (scripts/run.sh --session) twice, once as a station
# outside Russia (English wording) and once as a Russian station (Russian
# wording; the wording is chosen by the own prefix and kept while the
# plug-in stays loaded, hence two runs), and puts the three windows of each
# picture side by side in docs/display-<en|ru>-<picture>.png.
#   --no-build   use the binaries already built
# Runs without a terminal and without input (CI).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
run_dir="$root/build/sample-run"
docs="$root/docs"

build_arg=()
for arg in "$@"; do
  case "$arg" in
    --no-build) build_arg=(--no-build) ;;
    *) echo "screenshots.sh: unknown argument $arg" >&2; exit 2 ;;
  esac
done

# Joins <picture>-info/-moscow/-rda.png of the run folder into one image.
compose() {
  local language=$1 picture parts
  for info in "$run_dir"/*-info.png; do
    picture=$(basename "${info%-info.png}")
    parts=()
    for window in info moscow rda; do
      [ -f "$run_dir/$picture-$window.png" ] && parts+=("$run_dir/$picture-$window.png")
    done
    convert -background white "${parts[@]}" -bordercolor white -border 6 -gravity north +append \
      +repage "$docs/display-$language-$picture.png"
    echo "$docs/display-$language-$picture.png"
  done
}

mkdir -p "$docs"
"$root/scripts/run.sh" --session ${build_arg[@]+"${build_arg[@]}"} --prefix DL >/dev/null
compose en
# The first run built what is needed.
"$root/scripts/run.sh" --session --no-build --prefix UA >/dev/null
compose ru
