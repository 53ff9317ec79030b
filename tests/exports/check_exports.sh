#!/usr/bin/env bash
# Checks the export table of the plug-in against what the host binds.
#
#   check_exports.sh <Stats.dll>              check the DLL
#   check_exports.sh --self-test <Stats.dll>  show that the check catches
#                                             broken declarations and a broken DLL
#
# The decorated names come from the host's own declarations
# (host_declarations.cpp beside this script, or $EXPORTS_DECLARATIONS),
# compiled for the host's compiler ABI, so a wrong parameter type in the
# module definition file cannot go unnoticed. Needs clang++, llvm-nm,
# llvm-readobj and llvm-objdump. Exit status 0 when every check holds.
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=self_test_lib.sh
source "$here/self_test_lib.sh"

# Plain export name -> function name inside its decorated twin.
plain_to_decorated=(
  "AddData0 AddData0"
  "RemoveData0 RemoveData0"
  "CheckCall0 CheckCallFunc0"
  "IsValidExchg0 StatsIsValidExchg0"
  "GetExchgCount0 StatsGetExchgCount0"
  "GetNumberOfSets GetNumberOfSets"
  "GetSetName GetSetName"
  "SetupSet0 SetupSet0"
  "ResetStats0 ResetStats0"
  "GetResult0 GetResult0"
)
# Exported under the decorated name only.
decorated_only=(RunCommand0)
expected_export_count=21
expected_internal_name="Stats.dll"

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

require_tools() {
  local tool
  for tool in clang++ llvm-nm llvm-readobj llvm-objdump; do
    command -v "$tool" >/dev/null 2>&1 || { echo "FAIL: $tool not found" >&2; exit 2; }
  done
}

# Decorated names the host's compiler gives the declared functions.
decorated_names_of() {
  local declarations=$1 object=$2
  if ! clang++ -target i686-pc-windows-msvc -c -x c++ "$declarations" -o "$object" 2>&1; then
    echo "FAIL: the host declarations $declarations do not compile" >&2
    return 1
  fi
  llvm-nm "$object" | awk '$1 == "U" && $2 ~ /^\?/ { print $2 }' | sort -u
}

# The C++ signature a decorated name stands for.
signature_of() {
  llvm-undname "$1" 2>/dev/null | sed -n 2p
}

# "name rva" per named export.
exports_of() {
  llvm-readobj --coff-exports "$1" |
    awk '/^Export \{/ { name = "" } $1 == "Name:" { name = $2 } $1 == "RVA:" && name != "" { print name, tolower($2) }'
}

check_dll() {
  local dll=$1 declarations=$2 work=$3
  local decorated exports names
  decorated=$(decorated_names_of "$declarations" "$work/declarations.obj") || return 1
  if [ -z "$decorated" ]; then
    fail "no decorated names found in $declarations"
    return 1
  fi
  if ! exports=$(exports_of "$dll") || [ -z "$exports" ]; then
    fail "$dll has no readable export table"
    return 1
  fi
  names=$(cut -d' ' -f1 <<<"$exports")

  rva_of() { awk -v n="$1" '$1 == n { print $2; exit }' <<<"$exports"; }
  decorated_name_of() { grep -E "^\?$1@@" <<<"$decorated" | head -n1; }

  local name function exported
  # Every name the host may bind by its decorated form; a function exported
  # under another decoration has a different parameter list.
  while read -r name; do
    [ -n "$(rva_of "$name")" ] && continue
    fail "decorated name not exported: $name"
    echo "      the host declares: $(signature_of "$name")"
    function=${name#\?}
    function=${function%%@@*}
    exported=$(grep -E "^\?$function@@" <<<"$names")
    if [ -n "$exported" ]; then
      echo "      mismatch, the DLL exports: $(signature_of "$exported")"
    fi
  done <<<"$decorated"

  # Every plain name, leading to the same code as its decorated twin.
  local pair plain function twin plain_rva twin_rva
  for pair in "${plain_to_decorated[@]}"; do
    read -r plain function <<<"$pair"
    plain_rva=$(rva_of "$plain")
    [ -n "$plain_rva" ] || { fail "plain name not exported: $plain"; continue; }
    twin=$(decorated_name_of "$function")
    [ -n "$twin" ] || { fail "the host declarations do not declare $function"; continue; }
    twin_rva=$(rva_of "$twin")
    [ -n "$twin_rva" ] || continue  # already reported above
    [ "$plain_rva" = "$twin_rva" ] ||
      fail "plain $plain and $twin lead to different code ($plain_rva, $twin_rva)"
  done

  for name in "${decorated_only[@]}"; do
    [ -z "$(rva_of "$name")" ] || fail "$name must not be exported under its plain name"
    [ -n "$(decorated_name_of "$name")" ] || fail "the host declarations do not declare $name"
  done

  local sets_rva count_rva
  sets_rva=$(rva_of GetNumberOfSets)
  count_rva=$(rva_of GetExchgCount0)
  if [ -n "$sets_rva" ] && [ -n "$count_rva" ] && [ "$sets_rva" != "$count_rva" ]; then
    fail "GetNumberOfSets ($sets_rva) and GetExchgCount0 ($count_rva) are not one code"
  fi

  # Nothing beyond the expected names.
  local expected
  expected=$( { printf '%s\n' "$decorated"; for pair in "${plain_to_decorated[@]}"; do echo "${pair%% *}"; done; } | sort -u)
  while read -r name; do
    grep -qxF -- "$name" <<<"$expected" || fail "unexpected export: $name"
  done <<<"$names"
  local count
  count=$(wc -l <<<"$names")
  [ "$count" -eq "$expected_export_count" ] ||
    fail "$count exports, expected $expected_export_count"

  local internal
  internal=$(llvm-objdump -p "$dll" | awk '/^ *DLL name:/ { print $3; exit }')
  [ "$internal" = "$expected_internal_name" ] ||
    fail "export directory names the module \"$internal\", expected \"$expected_internal_name\""
}

run_check() {
  local dll=$1 declarations=$2
  local work
  work=$(mktemp -d)
  failures=0
  check_dll "$dll" "$declarations" "$work" || failures=$((failures + 1))
  rm -rf "$work"
  [ "$failures" -eq 0 ]
}

# Each case breaks one thing and names the text the diagnostics must contain.
# Declaration cases: sed expression on the declarations.
declaration_breaks=(
  "s/unsigned int, unsigned int, Text, Text, Text, Text,$/int, unsigned int, Text, Text, Text, Text,/|decorated name not exported: ?AddData0@@"
  "s/Text, Text, char\*, char\*);/Text, Text, Text, char*);/|decorated name not exported: ?CheckCallFunc0@@"
  "s/^Text GetSetName(int);/Text GetSetName(unsigned int);/|decorated name not exported: ?GetSetName@@"
)
# DLL cases: a perl substitution on the DLL's bytes that keeps every length.
dll_breaks=(
  's/Stats\.dll\0/Stxts.dll\0/|export directory names the module "Stxts.dll"'
  's/GetExchgCount0\0/GetExchgCount9\0/|plain name not exported: GetExchgCount0'
  's/(GetResult0|GetSetName)\0/($1 eq "GetResult0" ? "GetSetName" : "GetResult0") . "\0"/ge|plain GetResult0 and ?GetResult0@@'
)

self_test() {
  local dll=$1 declarations=$2
  local work output case_failures=0 entry expression expected broken
  work=$(mktemp -d)

  echo "self-test: the unbroken DLL and declarations must pass"
  if ! output=$(run_check "$dll" "$declarations"); then
    printf '%s\n' "$output"
    echo "FAIL: self-test needs a DLL that passes the check"
    rm -rf "$work"
    return 1
  fi

  for entry in "${declaration_breaks[@]}"; do
    expression=${entry%|*}
    expected=${entry##*|}
    sed -e "$expression" "$declarations" >"$work/broken.cpp"
    if cmp -s "$declarations" "$work/broken.cpp"; then
      echo "FAIL: self-test case did not change the declarations: $expression"
      case_failures=$((case_failures + 1))
      continue
    fi
    expect_reported "declarations broken by '$expression'" "$expected" \
      run_check "$dll" "$work/broken.cpp" ||
      case_failures=$((case_failures + 1))
  done

  for entry in "${dll_breaks[@]}"; do
    expression=${entry%|*}
    expected=${entry##*|}
    broken="$work/broken.dll"
    break_dll_in_place "$dll" "$expression" "$broken" &&
      expect_reported "the DLL broken by '$expression'" "$expected" \
        run_check "$broken" "$declarations" ||
      case_failures=$((case_failures + 1))
  done

  rm -rf "$work"
  [ "$case_failures" -eq 0 ]
}

main() {
  local mode dll
  read_check_arguments "$@"
  local declarations=${EXPORTS_DECLARATIONS:-$here/host_declarations.cpp}
  [ -f "$declarations" ] || { echo "FAIL: no such declarations file: $declarations" >&2; exit 2; }
  require_tools
  finish_check "$mode" "$dll exports what the host binds" \
    "the export check catches every broken case" "$dll" "$declarations"
}

main "$@"
