#!/usr/bin/env bash
# The main job from host folders that the ANSI path functions cannot reach:
# the simulator loads the plug-in and plays the sample log in output mode
# (station dialog answered, Cabrillo file written) from
#   - a folder with a Cyrillic name, in code page 1251 and in code page
#     1252, which cannot spell that name;
#   - a folder whose path is so long that every file the plug-in uses
#     (journal, settings, district file, Cabrillo file) and the plug-in
#     itself lie beyond 260 characters.
# Each run must leave the journal, the settings file and the Cabrillo file
# byte for byte as the same job leaves them in a plain folder, and print
# the same result.
#
#   host_folders_test.sh <OrvoSim.exe> <Stats.dll> <samples dir> <work dir>
#
# Runs inside a wine session (tests/wine/run.sh); $STATS_DLL, when set,
# names the DLL instead. Needs the locales ru_RU.UTF-8 and en_US.UTF-8
# (scripts/ensure-deps.sh generates them): wine names the Unix files in the
# locale's character set.
set -uo pipefail

[ $# -eq 4 ] || { echo "usage: $0 <OrvoSim.exe> <Stats.dll> <samples dir> <work dir>" >&2; exit 2; }
simulator=$1
dll=${STATS_DLL:-$2}
samples=$3
work=$4

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

for wanted in ru_RU.utf8 en_US.utf8; do
  locale -a | grep -qx "$wanted" ||
    { echo "FAIL: locale $wanted is not generated (run scripts/ensure-deps.sh as root)"; exit 1; }
done

# The files the job leaves, relative to the host folder.
outputs=(err.txt Plugins/KESTREL-RTTY.ini R3XYZ.cbr stdout.txt)

# run_job FOLDER LOCALE: a fresh host folder as scripts/run.sh makes it, and
# the job played there; false when the simulator fails.
run_job() {
  local folder=$1 locale=$2
  rm -rf "$folder"
  mkdir -p "$folder/Plugins" || return 1
  cp "$simulator" "$folder/OrvoSim.exe" &&
    cp "$dll" "$samples/Plugins/rda_rus.dat" "$folder/Plugins/" &&
    cp "$samples/sample.adi" "$samples/station-answers.txt" "$folder/" || return 1
  (cd "$folder" && env LC_ALL="$locale" wine OrvoSim.exe --call R3XYZ --prefix UA \
     --end 2026-12-06T23:59 --output --answer station-answers.txt sample.adi \
     >stdout.txt 2>stderr.txt </dev/null)
  local status=$?
  [ "$status" -eq 0 ] || { echo "OrvoSim exited with $status:"; cat "$folder/stderr.txt"; }
  return "$status"
}

# compare_job NAME FOLDER LOCALE: the job in FOLDER against the reference.
compare_job() {
  local name=$1 folder=$2 locale=$3 file before=$failures
  if ! run_job "$folder" "$locale"; then
    fail "$name: the job failed"
    return
  fi
  for file in "${outputs[@]}"; do
    if [ ! -f "$folder/$file" ]; then
      fail "$name: no $file"
    elif ! cmp -s "$reference/$file" "$folder/$file"; then
      fail "$name: $file differs from the plain folder's"
      diff <(tr -d '\r' <"$reference/$file") <(tr -d '\r' <"$folder/$file") | head -20
    fi
  done
  [ "$failures" -ne "$before" ] || echo "ok: $name"
}

rm -rf "$work"
mkdir -p "$work"
reference="$work/plain"
run_job "$reference" ru_RU.UTF-8 || { echo "FAIL: the job failed in a plain folder"; exit 1; }
for file in "${outputs[@]}"; do
  [ -s "$reference/$file" ] || { echo "FAIL: the job in a plain folder left no $file"; exit 1; }
done
grep -q '^Claimed=' "$reference/Plugins/KESTREL-RTTY.ini" ||
  { echo "FAIL: the plain folder's settings lack Claimed"; exit 1; }

cyrillic="$work/Папка оператора"
# In code page 1252 the folder's name must really be out of the ANSI
# functions' reach, or the run would prove nothing.
mkdir -p "$cyrillic"
spelled=$(cd "$cyrillic" && env LC_ALL=en_US.UTF-8 wine cmd /c echo %CD% 2>/dev/null </dev/null)
case "$spelled" in
  *'?'*) ;;
  *) fail "code page 1252 spells the Cyrillic folder's name: $spelled" ;;
esac
compare_job "Cyrillic folder, code page 1251" "$cyrillic" ru_RU.UTF-8
compare_job "Cyrillic folder, code page 1252" "$cyrillic" en_US.UTF-8

# The longest working directory Windows accepts: 258 characters with the
# final backslash. The wine drive Z: maps the root.
long="$work/long"
while [ $((${#long} + 2 + 11)) -le 256 ]; do long="$long/0123456789"; done
while [ $((${#long} + 2)) -lt 256 ]; do long="${long}x"; done
compare_job "folder of $((${#long} + 2)) characters" "$long" ru_RU.UTF-8

if [ "$failures" -ne 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "PASS: the main job gives the same files from every folder"
