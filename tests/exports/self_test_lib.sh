# Sourced by the export and import checks: their shared entry, and the
# pieces of their self-tests, which break the DLL or the check's data on
# purpose and expect the check to fail with a given message.

# Runs the check (the remaining arguments) and expects it to fail with
# `expected` in its output; prints "ok: WHAT -> EXPECTED" or the failure.
expect_reported() {
  local what=$1 expected=$2 output
  shift 2
  if output=$("$@"); then
    echo "FAIL: check passed with $what"
    return 1
  fi
  if grep -qF -- "$expected" <<<"$output"; then
    echo "ok: $what -> $expected"
    return 0
  fi
  printf '%s\n' "$output"
  echo "FAIL: $what did not report: $expected"
  return 1
}

# Writes `dll` changed by the perl expression to `broken`; fails unless the
# change kept the file's size (the PE layout must stay valid) and changed it.
break_dll_in_place() {
  local dll=$1 expression=$2 broken=$3
  LC_ALL=C perl -0777 -pe "$expression" "$dll" >"$broken"
  if cmp -s "$dll" "$broken" || [ "$(stat -c %s "$dll")" != "$(stat -c %s "$broken")" ]; then
    echo "FAIL: self-test case did not change the DLL in place: $expression"
    return 1
  fi
}

# Reads "[--self-test] <Stats.dll>" into the caller's `mode` and `dll`;
# exits 2 on anything else or on a DLL that is not there.
read_check_arguments() {
  mode=check
  if [ "${1:-}" = "--self-test" ]; then
    mode=self-test
    shift
  fi
  if [ $# -ne 1 ]; then
    echo "usage: $0 [--self-test] <Stats.dll>" >&2
    exit 2
  fi
  dll=$1
  [ -f "$dll" ] || { echo "FAIL: no such DLL: $dll" >&2; exit 2; }
}

# Runs the caller's self_test or run_check (by `mode`) on the remaining
# arguments, prints the PASS line that fits and exits with the outcome.
finish_check() {
  local mode=$1 check_passed=$2 self_test_passed=$3
  shift 3
  if [ "$mode" = self-test ]; then
    self_test "$@" && { echo "PASS: $self_test_passed"; exit 0; }
    exit 1
  fi
  run_check "$@" && { echo "PASS: $check_passed"; exit 0; }
  exit 1
}
