#!/usr/bin/env bash
# Builds the plug-in twice from one commit and compares the results byte for
# byte: Stats.dll and its debug file Stats.dll.debug. Each build starts from
# its own fresh copy of the commit's sources and its own fresh build folder,
# at paths of different lengths, so that neither the time nor a folder's
# name may differ between them. Only the DLL is built.
#
#   scripts/check-reproducible.sh [commit]    (default: HEAD)
#
# Uncommitted changes are not part of what is built. Exit status 0 when both
# builds are identical; otherwise the two builds are kept for inspection and
# their differences are summed up.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/ensure-deps.sh"

commit=$(git -C "$root" rev-parse --verify "${1:-HEAD}^{commit}")
mkdir -p "$root/build"
work=$(mktemp -d "$root/build/reproducible.XXXXXX")
outputs=(Stats.dll Stats.dll.debug)

# build_once <name>: the commit's sources into $work/<name>/src, built in
# $work/<name>/build.
build_once() {
  local src="$work/$1/src" out="$work/$1/build"
  mkdir -p "$src"
  git -C "$root" archive "$commit" | tar -x -C "$src"
  cmake -S "$src" -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-i686.cmake" \
    -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
  cmake --build "$out" --target Stats >/dev/null
}

# What differs between the two copies of one output: the headers, then the
# first differing bytes.
explain() {
  local first=$1 second=$2
  diff <(i686-w64-mingw32-objdump -h -p "$first" | tail -n +3) \
    <(i686-w64-mingw32-objdump -h -p "$second" | tail -n +3) | head -n 40 || true
  echo "  differing bytes (offset, then the octal bytes): $(cmp -l "$first" "$second" | wc -l)"
  cmp -l "$first" "$second" | head -n 10 || true
}

echo "commit $commit, two builds in $work"
build_once a
build_once second-build
status=0
for name in "${outputs[@]}"; do
  first="$work/a/build/$name"
  second="$work/second-build/build/$name"
  if [ ! -f "$first" ] || [ ! -f "$second" ]; then
    echo "MISSING: $name was not built"
    status=1
  elif cmp -s "$first" "$second"; then
    echo "same: $name, $(stat -c %s "$first") bytes, sha256 $(sha256sum "$first" | cut -d' ' -f1)"
  else
    echo "DIFFERENT: $name"
    explain "$first" "$second"
    status=1
  fi
done
if [ "$status" -eq 0 ]; then
  rm -rf "$work"
  echo "PASS: two builds of $commit are byte for byte the same"
else
  echo "FAIL: the builds differ; both are kept in $work"
fi
exit "$status"
