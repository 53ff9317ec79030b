#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, the address and the
# undefined-behaviour sanitizers, and runs each one: first over every input
# of its seed corpus (fuzz/corpus/<target>), then on new inputs until the
# time per target is used up. Stops at the first failure; the failing input
# is left in the build directory's artifacts/ folder.
#
#   scripts/fuzz.sh [seconds per target, default 60] [target ...]
#
# New interesting inputs go to the build directory, not to the repository's
# corpus. STATS_FUZZ_BUILD names another build directory.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(export_sequence rda_file profile_text pe_version adif_reader)
build=${STATS_FUZZ_BUILD:-build/fuzz}
# Absolute: a target may change its working directory.
case $build in /*) ;; *) build=$root/$build ;; esac

# -O1 with line tables: quick to build, and the reports still name lines.
flags="-O1 -gline-tables-only -fsanitize=fuzzer-no-link,address,undefined"
flags+=" -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE= -DSTATS_FUZZ=ON \
  ${STATS_WARNINGS_AS_ERRORS:+-DCMAKE_COMPILE_WARNING_AS_ERROR="$STATS_WARNINGS_AS_ERRORS"} \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build "$build" -j "$(nproc)" --target "${targets[@]/#/fuzz_}"

mkdir -p "$build/artifacts"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for target in "${targets[@]}"; do
  found="$build/corpus/$target"
  mkdir -p "$found"
  args=(-max_total_time="$seconds" -timeout=10 -print_final_stats=1
        -artifact_prefix="$build/artifacts/$target-")
  # The module keeps its state between calls by design; the leak check
  # would run after almost every input.
  [ "$target" = export_sequence ] && args+=(-detect_leaks=0)
  [ -f "$root/fuzz/dict/$target.dict" ] && args+=(-dict="$root/fuzz/dict/$target.dict")
  log="$build/$target.log"
  if ! "$build/fuzz/fuzz_$target" "${args[@]}" "$found" "$root/fuzz/corpus/$target" >"$log" 2>&1; then
    tail -n 40 "$log" >&2
    echo "fuzz_$target failed; input in $build/artifacts/" >&2
    exit 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  echo "fuzz_$target: ${runs:-?} executions in ${seconds} s, nothing found"
done
