#!/usr/bin/env bash
# Installs, on a Debian 12 machine as root, what the builds and the tests need,
# and generates the locales the wine sessions run in.
# Does nothing when everything is already there, so it is cheap to call first.
#   --pictures   also what turns window captures into PNG files (ImageMagick),
#                needed only by the scripts that make pictures
#   --bench      also Google Benchmark, needed only by scripts/bench.sh
set -euo pipefail

need=()
have_cmd() { command -v "$1" >/dev/null 2>&1; }
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

have_cmd i686-w64-mingw32-g++-posix || need+=(g++-mingw-w64-i686)
have_cmd cmake || need+=(cmake)
have_cmd ninja || need+=(ninja-build)
have_cmd g++ || need+=(g++)
have_cmd clang++ || need+=(clang)
have_cmd llvm-nm || need+=(llvm)
have_cmd llvm-undname || need+=(llvm)
have_cmd xvfb-run || need+=(xvfb)
have_cmd xauth || need+=(xauth)
# Real mouse input for the display's drag test.
have_cmd xdotool || need+=(xdotool)
have_pkg wine || need+=(wine)
have_pkg wine32:i386 || need+=(wine32:i386)
have_pkg fonts-wine || need+=(fonts-wine)
have_pkg libgtest-dev || need+=(libgtest-dev)
have_pkg googletest || need+=(googletest)
have_pkg locales || need+=(locales)
# The release archive (scripts/release.sh), which the test command builds
# and checks: the guides in HTML, the archive itself.
have_cmd pandoc || need+=(pandoc)
have_cmd zip || need+=(zip)
have_cmd unzip || need+=(unzip)

# The locales the wine sessions run in: ru_RU.UTF-8 gives the Windows
# programs code page 1251, en_US.UTF-8 code page 1252. Wine also names the
# Unix files in the locale's character set, so without a generated UTF-8
# locale a folder with a Cyrillic name is out of its reach.
locales_wanted=(ru_RU.UTF-8 en_US.UTF-8)
locales_missing=()
# "ru_RU.UTF-8" is listed as "ru_RU.utf8".
generated=$(locale -a 2>/dev/null | tr 'A-Z' 'a-z' | tr -d '-' || true)
for wanted in "${locales_wanted[@]}"; do
  short=$(tr 'A-Z' 'a-z' <<<"$wanted" | tr -d '-')
  grep -qxF "$short" <<<"$generated" || locales_missing+=("$wanted")
done
for extra in "$@"; do
  case "$extra" in
    --pictures) have_pkg imagemagick || need+=(imagemagick) ;;
    --bench) have_pkg libbenchmark-dev || need+=(libbenchmark-dev) ;;
    *) echo "ensure-deps.sh: unknown argument $extra" >&2; exit 2 ;;
  esac
done

if [ ${#need[@]} -eq 0 ] && [ ${#locales_missing[@]} -eq 0 ]; then
  exit 0
fi
if [ "$(id -u)" -ne 0 ]; then
  # Without the locales everything builds and only the tests from a
  # Cyrillic folder fail.
  [ ${#locales_missing[@]} -eq 0 ] ||
    echo "locales not generated: ${locales_missing[*]} (run as root to generate them)" >&2
  [ ${#need[@]} -eq 0 ] || {
    echo "missing packages: ${need[*]} (run as root to install them)" >&2
    exit 1
  }
  exit 0
fi
if [ ${#need[@]} -gt 0 ]; then
  echo "installing: ${need[*]}"
  export DEBIAN_FRONTEND=noninteractive
  dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi
if [ ${#locales_missing[@]} -gt 0 ]; then
  echo "generating locales: ${locales_missing[*]}"
  # Listed in /etc/locale.gen, so that a later locale-gen keeps them.
  for wanted in "${locales_missing[@]}"; do
    grep -qxF "$wanted UTF-8" /etc/locale.gen 2>/dev/null || echo "$wanted UTF-8" >>/etc/locale.gen
  done
  locale-gen >/dev/null
fi
