#!/usr/bin/env bash
# Checks the release archive (scripts/release.sh) of the DLL the tests ran
# against (dist/Stats.dll): two runs give byte-identical archives; the
# archive holds exactly the DLL, both guides as HTML, every picture they
# show, the list of changes and SHA256SUMS, which verifies; its Stats.dll is
# dist/Stats.dll byte for byte; the debug data lies beside it, not in it.
# Each guide has one top heading, its version and where to report a problem
# (REPORTS) filled in, and shows every picture unscaled and linked to its
# file; every text file ends its lines with CR LF.
# Exit status 0 when every check holds.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

version=$(head -n 1 "$root/VERSION" | tr -d ' \r\n')
name="KESTREL-RTTY-Stats-$version"
for run in first second; do
  RELEASE_OUT="$work/$run" "$root/scripts/release.sh" --no-build >/dev/null ||
    { echo "FAIL: release.sh failed ($run run)"; exit 1; }
done
archive="$work/first/$name.zip"
cmp -s "$archive" "$work/second/$name.zip" || fail "two runs gave different archives"

# What the guides show, as the archive names it.
expected=$(
  {
    printf '%s\n' Stats.dll guide.en.html guide.ru.html CHANGES.txt SHA256SUMS
    grep -ho '](\.\./[^)]*\.png)' "$root"/docs/operator/guide.*.md |
      sed -e 's#^](\.\./#pictures/#' -e 's#)$##'
  } | sed "s#^#$name/#" | LC_ALL=C sort -u
)
listed=$(unzip -Z1 "$archive" | LC_ALL=C sort)
[ "$listed" = "$expected" ] || fail "the archive holds $(echo "$listed" | tr '\n' ' ')instead of $(echo "$expected" | tr '\n' ' ')"

unzip -q "$archive" -d "$work/unpacked" || fail "the archive does not unpack"
(cd "$work/unpacked/$name" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not verify"
cmp -s "$work/unpacked/$name/Stats.dll" "$root/dist/Stats.dll" ||
  fail "the archive's Stats.dll is not dist/Stats.dll"
[ -f "$work/first/Stats.dll.debug" ] || fail "no Stats.dll.debug beside the archive"
grep -q "$version" "$work/unpacked/$name/guide.en.html" || fail "the English guide lacks the version"
grep -q "$version" "$work/unpacked/$name/guide.ru.html" || fail "the Russian guide lacks the version"
if grep -l '@VERSION\|@CHANGES\|@REPORTS' "$work/unpacked/$name"/guide.*.html; then
  fail "a guide keeps a placeholder"
fi

for lang in en ru; do
  page="$work/unpacked/$name/guide.$lang.html"
  # The page as one line with single blanks: pandoc breaks its lines anywhere.
  flat=$(tr '\r\n' '  ' <"$page" | tr -s ' ')
  headings=$(grep -o '<h1[ >]' <<<"$flat" | wc -l)
  [ "$headings" -eq 1 ] || fail "guide.$lang.html has $headings top headings instead of one"
  reports=$(sed -n "s/^$lang //p" "$root/REPORTS" | head -n 1)
  [ -n "$reports" ] && grep -qF "$reports" <<<"$flat" ||
    fail "guide.$lang.html does not say where to report a problem (REPORTS)"
  # Every picture: no size of its own, inside a link to its own file, and
  # no style that shrinks pictures to the text's width.
  pictures=$(grep -o '<img [^>]*>' <<<"$flat" | wc -l)
  linked=$(grep -oE '<a href="([^"]*)"><img src="\1" [^>]*>' <<<"$flat" | grep -vc 'width=\|height=\|style=' || true)
  [ "$pictures" -gt 0 ] && [ "$linked" -eq "$pictures" ] ||
    fail "guide.$lang.html: $linked of its $pictures pictures are unscaled and linked to their files"
  if grep -qE 'img \{[^}]*max-width: *[0-9]' <<<"$flat"; then
    fail "guide.$lang.html scales its pictures down to the page"
  fi
done

# CR LF, and no line end without it, in every text file.
for text in guide.en.html guide.ru.html CHANGES.txt SHA256SUMS; do
  file="$work/unpacked/$name/$text"
  lines=$(wc -l <"$file")
  crlf=$(grep -c $'\r$' "$file" || true)
  [ "$lines" -gt 0 ] && [ "$crlf" -eq "$lines" ] && [ "$(tail -c 2 "$file" | od -An -c | tr -d ' ')" = '\r\n' ] ||
    fail "$text: $crlf of its $lines lines end with CR LF"
done

if [ "$failures" -eq 0 ]; then
  echo "PASS: release archive $name.zip: reproducible, complete, verified, the tested DLL, one top heading, pictures unscaled, CR LF"
fi
exit $((failures > 0))
