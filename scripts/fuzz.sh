#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, the address and the
# undefined-behaviour sanitizers, and runs each one: first over every input
# of its seed corpus (fuzz/corpus/<target>), then on new inputs until the
# time per target is used up. Stops at the first failure; the failing input
# is left in the build directory's artifacts/ folder.
#
#   scripts/fuzz.sh [--with-tests] [seconds per target, default 60] [target ...]
#
# 0 seconds runs the seed corpus alone. --with-tests builds the native unit
# and simulator tests in the same tree, so under the same sanitizers, and
# runs them before the targets: the test command's one sanitized build.
#
# New interesting inputs go to the build directory, not to the repository's
# corpus. STATS_FUZZ_BUILD names another build directory.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

with_tests=0
if [ "${1:-}" = --with-tests ]; then
  with_tests=1
  shift
fi
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
build_targets=("${targets[@]/#/fuzz_}")
[ "$with_tests" -eq 0 ] || build_targets+=(unit_tests orvosim_tests)
cmake --build "$build" -j "$(nproc)" --target "${build_targets[@]}"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
if [ "$with_tests" -eq 1 ]; then
  ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
fi

mkdir -p "$build/artifacts"
for target in "${targets[@]}"; do
  found="$build/corpus/$target"
  mkdir -p "$found"
  args=(-timeout=10 -print_final_stats=1 -artifact_prefix="$build/artifacts/$target-")
  # libFuzzer reads a total time of 0 as no limit: 0 asks for the corpus alone.
  if [ "$seconds" -eq 0 ]; then args+=(-runs=0); else args+=(-max_total_time="$seconds"); fi
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
  echo "fuzz_$target: ${runs:-?} executions in ${seconds} s (0: the corpus alone), nothing found"
done
