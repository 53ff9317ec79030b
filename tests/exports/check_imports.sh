#!/usr/bin/env bash
# Checks that Windows XP SP3 can load the plug-in: every function it imports
# must be exported by that system's DLLs. A DLL whose import is missing is
# refused at load with "The procedure entry point ... could not be located".
#
#   check_imports.sh <Stats.dll>              check the DLL
#   check_imports.sh --self-test <Stats.dll>  show that the check catches a
#                                             broken DLL and broken lists
#
# The lists beside this script:
#   xp_sp3/<dll>.txt      what XP SP3's <dll> exports, as far as the module
#                         imports it; an import from a DLL without a list
#                         fails too, as no compiler runtime DLL or newer
#                         system DLL may be needed beside the plug-in
#   xp_sp3_missing.txt    system functions XP SP3 lacks that runtimes and
#                         Win32 code commonly import; none may be imported,
#                         nor appear on a list
# Needs llvm-readobj. Exit status 0 when every check holds.
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=self_test_lib.sh
source "$here/self_test_lib.sh"

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# The names of a list file: comments and blank lines dropped.
names_in() {
  sed -e 's/#.*//' -e 's/[[:space:]]//g' -e '/^$/d' "$1"
}

# "DLL function" per imported function, delay-loaded ones included; a
# function imported by ordinal comes as "DLL #ordinal".
imports_of() {
  llvm-readobj --coff-imports "$1" | awk '
    /^ *(Delay)?Import \{/ { dll = "" }
    $1 == "Name:" { dll = $2 }
    $1 == "Symbol:" && dll != "" {
      if (NF == 2) print dll, "#" substr($2, 2, length($2) - 2)
      else print dll, $2
    }'
}

check_dll() {
  local dll=$1 lists=$2 missing_file=$3
  [ -d "$lists" ] || { fail "no lists of XP SP3's exports in $lists"; return 1; }
  [ -f "$missing_file" ] || { fail "no list of functions XP SP3 lacks: $missing_file"; return 1; }

  local -A lacking=() listed=() has_list=()
  local name list base
  while read -r name; do lacking[$name]=1; done < <(names_in "$missing_file")
  for list in "$lists"/*.txt; do
    base=$(basename "$list" .txt)
    has_list[$base]=1
    while read -r name; do
      listed["$base $name"]=1
      [ -z "${lacking[$name]:-}" ] ||
        fail "$name is on $base.txt although Windows XP SP3 lacks it"
    done < <(names_in "$list")
  done

  local imports
  if ! imports=$(imports_of "$dll") || ! grep -qi '^kernel32\.dll ' <<<"$imports"; then
    fail "$dll has no readable import table"
    return 1
  fi
  local import_dll function
  while read -r import_dll function; do
    base=${import_dll%.*}
    base=${base,,}
    if [ -z "${has_list[$base]:-}" ]; then
      fail "$import_dll!$function: no list of what Windows XP SP3's $base exports (a DLL XP lacks, or a runtime to ship beside the plug-in)"
    elif [ "${function:0:1}" = "#" ]; then
      fail "$import_dll!$function: imported by ordinal, which cannot be checked against XP SP3"
    elif [ -n "${lacking[$function]:-}" ]; then
      fail "$import_dll!$function: Windows XP SP3 does not export it"
    elif [ -z "${listed["$base $function"]:-}" ]; then
      fail "$import_dll!$function: not on the list of what Windows XP SP3's $base exports ($(basename "$lists")/$base.txt)"
    fi
  done <<<"$imports"
}

run_check() {
  failures=0
  check_dll "$@" || failures=$((failures + 1))
  [ "$failures" -eq 0 ]
}

# Each case breaks one thing and names the text the diagnostics must contain.
# DLL cases: a perl substitution on the DLL's bytes that keeps every length.
# The mingw-w64 start-up code imports VirtualProtect and VirtualQuery in
# every DLL.
dll_breaks=(
  's/VirtualProtect\0/GetTickCount64\0/|KERNEL32.dll!GetTickCount64: Windows XP SP3 does not export it'
  's/VirtualQuery\0/VirtualQuerx\0/|KERNEL32.dll!VirtualQuerx: not on the list'
  's/msvcrt\.dll\0/msvcrq.dll\0/|no list of what Windows XP SP3'"'"'s msvcrq exports'
)
# List cases: a known-missing function added to a list.
list_breaks=(
  "kernel32.txt|GetTickCount64|GetTickCount64 is on kernel32.txt although Windows XP SP3 lacks it"
  "user32.txt|SetProcessDPIAware|SetProcessDPIAware is on user32.txt although Windows XP SP3 lacks it"
)

self_test() {
  local dll=$1 lists=$2 missing=$3
  local work output case_failures=0 entry expression expected broken list name
  work=$(mktemp -d)

  echo "self-test: the unbroken DLL and lists must pass"
  if ! output=$(run_check "$dll" "$lists" "$missing"); then
    printf '%s\n' "$output"
    echo "FAIL: self-test needs a DLL that passes the check"
    rm -rf "$work"
    return 1
  fi

  for entry in "${dll_breaks[@]}"; do
    expression=${entry%|*}
    expected=${entry##*|}
    broken="$work/broken.dll"
    break_dll_in_place "$dll" "$expression" "$broken" &&
      expect_reported "the DLL broken by '$expression'" "$expected" \
        run_check "$broken" "$lists" "$missing" ||
      case_failures=$((case_failures + 1))
  done

  for entry in "${list_breaks[@]}"; do
    IFS='|' read -r list name expected <<<"$entry"
    rm -rf "$work/lists"
    cp -r "$lists" "$work/lists"
    echo "$name" >>"$work/lists/$list"
    expect_reported "$name added to $list" "$expected" run_check "$dll" "$work/lists" "$missing" ||
      case_failures=$((case_failures + 1))
  done

  rm -rf "$work"
  [ "$case_failures" -eq 0 ]
}

main() {
  local mode dll
  read_check_arguments "$@"
  local lists=$here/xp_sp3
  local missing=$here/xp_sp3_missing.txt
  command -v llvm-readobj >/dev/null 2>&1 || { echo "FAIL: llvm-readobj not found" >&2; exit 2; }
  finish_check "$mode" "every function $dll imports is exported by Windows XP SP3" \
    "the import check catches every broken case" "$dll" "$lists" "$missing"
}

main "$@"
