#!/usr/bin/env bash
# Runs a Windows test program under wine at one display scale: wine takes a
# process's scale (LogPixels) from the prefix when the process starts, so the
# value is set first and the earlier one put back afterwards. The program
# finds the scale it must see in STATS_TEST_DPI.
#   at_dpi.sh DPI PROGRAM [ARGUMENTS...]
set -uo pipefail
dpi=$1
shift
key='HKCU\Control Panel\Desktop'

earlier=$(wine reg query "$key" /v LogPixels 2>/dev/null | tr -d '\r' |
  awk '$1 == "LogPixels" { print $3 }')
put_back() {
  if [ -n "$earlier" ]; then
    wine reg add "$key" /v LogPixels /t REG_DWORD /d "$((earlier))" /f >/dev/null 2>&1
  else
    wine reg delete "$key" /v LogPixels /f >/dev/null 2>&1
  fi
}
trap put_back EXIT
wine reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 || exit 1
STATS_TEST_DPI=$dpi wine "$@"
