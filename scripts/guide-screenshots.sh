#!/usr/bin/env bash
# The operator's guides as the release archive has them, seen in a real
# browser (headless Chromium) at display scales 100 % and 200 %: each whole
# page in a window 1280 pixels wide, saved beside the guides' sources as
#   docs/operator/guide.<en|ru>.page-<100|200>.png
# (at 200 % the window is 1280 of the page's pixels, 2560 of the screen's).
# The screenshots are reduced to 256 colours, which keeps text and pictures
# readable at a fraction of the size.
#
# Packages dist/Stats.dll when there is one (scripts/release.sh --no-build),
# otherwise builds it first. Installs Chromium, a font with Cyrillic letters
# and pngquant when they are missing; nothing else needs them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/ensure-deps.sh"

need=()
command -v chromium >/dev/null 2>&1 || need+=(chromium)
command -v pngquant >/dev/null 2>&1 || need+=(pngquant)
dpkg-query -W -f='${Status}' fonts-dejavu-core 2>/dev/null | grep -q 'install ok installed' ||
  need+=(fonts-dejavu-core)
if [ ${#need[@]} -gt 0 ]; then
  [ "$(id -u)" -eq 0 ] || { echo "missing packages: ${need[*]} (run as root to install them)" >&2; exit 1; }
  echo "installing: ${need[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ -f "$root/dist/Stats.dll" ] && [ -f "$root/build/win32/Stats.dll.debug" ]; then
  RELEASE_OUT="$work/release" "$root/scripts/release.sh" --no-build >/dev/null
else
  RELEASE_OUT="$work/release" "$root/scripts/release.sh" >/dev/null
fi
version=$(head -n 1 "$root/VERSION" | tr -d ' \r\n')
name="KESTREL-RTTY-Stats-$version"
unzip -q "$work/release/$name.zip" -d "$work/unpacked"
pages="$work/unpacked/$name"

width=1280
# A fresh profile for every run; the switches keep the browser from reaching
# out to the network or asking anything.
browser() {
  local profile
  profile=$(mktemp -d -p "$work")
  chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$profile" "$@" 2>/dev/null
}

# The page's height once its pictures are in, in the page's pixels: a copy
# of the page writes it into its title when it has loaded.
page_height() {
  local measure="$pages/measure.html"
  sed 's#</body>#<script>window.addEventListener("load", function () { document.title = "height " + Math.ceil(document.documentElement.getBoundingClientRect().height); });</script></body>#' \
    "$1" >"$measure"
  browser --window-size="$width,1000" --virtual-time-budget=10000 --dump-dom "file://$measure" |
    sed -n 's#.*<title>height \([0-9]*\)</title>.*#\1#p'
  rm -f "$measure"
}

for lang in en ru; do
  page="$pages/guide.$lang.html"
  height=$(page_height "$page")
  [ -n "$height" ] || { echo "guide-screenshots.sh: the $lang page's height could not be read" >&2; exit 1; }
  for scale in 1 2; do
    shot="$work/guide.$lang.$scale.png"
    browser --force-device-scale-factor="$scale" --window-size="$width,$height" \
      --virtual-time-budget=10000 --screenshot="$shot" "file://$page" >/dev/null
    out="$root/docs/operator/guide.$lang.page-$((scale * 100)).png"
    pngquant --nofs --speed 3 --force --output "$out" 256 "$shot"
    echo "$out"
  done
done
