#!/usr/bin/env bash
# Builds the plug-in and writes the release archive an operator downloads:
#   dist/KESTREL-RTTY-Stats-<version>.zip   Stats.dll, the operator's guides
#                                           in English and Russian as HTML
#                                           with their pictures, the list of
#                                           changes and SHA256SUMS
#   dist/Stats.dll.debug                    the DLL's debug data, beside the
#                                           archive, not in it
# The version is VERSION's; where the guides send a problem report is
# REPORTS'. The text files (the guides, CHANGES.txt, SHA256SUMS) have CR LF
# line ends, which every Windows editor shows as lines. Two runs on one
# commit give byte-identical archives: every entry has the commit's time and
# a fixed mode, in one order.
#
#   scripts/release.sh               build, then package
#   scripts/release.sh --no-build    package dist/Stats.dll as it is (the DLL
#                                    the tests ran against)
#   RELEASE_OUT=<folder>             write the archive and the debug data
#                                    there instead of dist/
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=1
for arg in "$@"; do
  case "$arg" in
    --no-build) build=0 ;;
    *) echo "release.sh: unknown argument $arg" >&2; exit 2 ;;
  esac
done
"$root/scripts/ensure-deps.sh"
[ "$build" -eq 0 ] || "$root/scripts/build.sh"

version=$(head -n 1 "$root/VERSION" | tr -d ' \r\n')
name="KESTREL-RTTY-Stats-$version"
out=${RELEASE_OUT:-$root/dist}
dll="$root/dist/Stats.dll"
debug="$root/build/win32/Stats.dll.debug"
for f in "$dll" "$debug"; do
  [ -f "$f" ] || { echo "release.sh: $f is missing; build first" >&2; exit 1; }
done
# The commit's time for every entry (zip keeps no time before 1980).
epoch=$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 315532800)
[ "$epoch" -ge 315532800 ] || epoch=315532800

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
package="$stage/$name"
mkdir -p "$package/pictures"
cp "$dll" "$package/Stats.dll"

# The line of a language in REPORTS, with what sed's replacement would
# read as its own escaped.
reports_line() {
  local line
  line=$(sed -n "s/^$1 //p" "$root/REPORTS" | head -n 1)
  [ -n "$line" ] || { echo "release.sh: REPORTS has no line for $1" >&2; exit 1; }
  printf '%s' "$line" | sed -e 's/[\\/&]/\\&/g'
}

# Lines ended by CR LF, each once.
crlf() { sed -e 's/\r$//' -e 's/$/\r/' "$1" >"$1.crlf" && mv "$1.crlf" "$1"; }

# The guides' look (docs/operator/guide.css), inside each page.
style="$stage/style.html"
{
  echo '<style>'
  cat "$root/docs/operator/guide.css"
  echo '</style>'
} >"$style"

# A guide: the version, where to report and its language's changes filled
# in, its pictures (beside the docs in the tree) under pictures/, then
# HTML with one top heading (the title) and a contents list, the pictures
# at their natural size.
guide() {
  local lang=$1
  local source="$root/docs/operator/guide.$lang.md"
  local filled="$stage/guide.$lang.md"
  local reports
  reports=$(reports_line "$lang")
  sed -e "s/@VERSION@/$version/g" -e "s/@REPORTS@/$reports/g" \
    -e "/@CHANGES@/{r $root/docs/operator/changes.$lang.md" -e 'd}' \
    -e 's#](\.\./\([^)]*\.png\))#](pictures/\1)#g' "$source" >"$filled"
  grep -o '](pictures/[^)]*)' "$filled" | sed -e 's#^](pictures/##' -e 's#)$##' | sort -u |
    while read -r picture; do cp "$root/docs/$picture" "$package/pictures/$picture"; done
  pandoc --standalone --from markdown --to html5 --toc --toc-depth=2 \
    --metadata document-css=false --include-in-header "$style" \
    --output "$package/guide.$lang.html" "$filled"
  crlf "$package/guide.$lang.html"
}
guide en
guide ru
{
  cat "$root/docs/operator/changes.en.md"
  echo
  cat "$root/docs/operator/changes.ru.md"
} >"$package/CHANGES.txt"
crlf "$package/CHANGES.txt"
(cd "$package" && find . -type f ! -name SHA256SUMS | sed 's#^\./##' | LC_ALL=C sort |
  xargs sha256sum >SHA256SUMS)
crlf "$package/SHA256SUMS"

find "$package" -type d -exec chmod 755 {} +
find "$package" -type f -exec chmod 644 {} +
find "$package" -exec touch -h -d "@$epoch" {} +
mkdir -p "$out"
archive="$out/$name.zip"
rm -f "$archive"
# -X: no owner or extra times; -D: no folder entries; times in UTC.
(cd "$stage" && find "$name" -type f | LC_ALL=C sort | TZ=UTC zip -X -D -q "$archive" -@)
cp "$debug" "$out/Stats.dll.debug"
echo "$archive"
