#!/usr/bin/env bash
# Builds the native benchmarks (Release, build/bench) and runs them: five
# repetitions of every case, medians reported, then the derived figures
# (journal share of a full replay, result against one pass over the log).
# Extra arguments go to the benchmark program, e.g. --benchmark_filter=Replay.
# With --wine it measures the real DLL under wine instead: the intake, the
# information button's paint, the shown display at rest, the display's cost
# to the host's thread and what a load and unload leaves behind.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/bench"

# scripts/bench.sh --wine: the real DLL under wine instead.
if [ "${1:-}" = "--wine" ]; then
  "$root/scripts/build.sh" >/dev/null
  programs=(intake_under_wine paint_under_wine display_idle_under_wine host_thread_under_wine
            load_cost_under_wine)
  # The build command leaves them out: they are measured, not tested.
  cmake --build "$root/build/win32" --target "${programs[@]}" >/dev/null
  run="$root/build/bench-wine"
  rm -rf "$run" && mkdir -p "$run/Plugins"
  for program in "${programs[@]}"; do
    cp "$root/build/win32/bench/wine/$program.exe" "$run/"
  done
  cp "$root/dist/Stats.dll" "$root/samples/Plugins/rda_rus.dat" "$run/Plugins/"
  # shellcheck source=lib/wine-session.sh
  source "$root/scripts/lib/wine-session.sh"
  WINE_SESSION_NAME=wine-bench wine_session_start
  trap wine_session_stop EXIT
  for program in intake_under_wine paint_under_wine display_idle_under_wine host_thread_under_wine; do
    (cd "$run" && wine_run wine "$program.exe" </dev/null)
  done
  (cd "$run" && wine_run wine load_cost_under_wine.exe 'Plugins\Stats.dll' 1000 </dev/null)
  exit
fi

"$root/scripts/ensure-deps.sh" --bench
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
ninja -C "$build" stats_bench

json=$(mktemp "${TMPDIR:-/tmp}/stats-bench-XXXXXX.json")
trap 'rm -f "$json"' EXIT

"$build/bench/stats_bench" \
  --benchmark_min_time="${BENCH_MIN_TIME:-0.5}" \
  --benchmark_repetitions="${BENCH_REPETITIONS:-5}" \
  --benchmark_report_aggregates_only=true \
  --benchmark_out="$json" --benchmark_out_format=json \
  "$@"

if ! command -v python3 >/dev/null; then
  echo "python3 not found: derived figures skipped" >&2
  exit 0
fi

python3 - "$json" <<'PY'
import json, sys

with open(sys.argv[1]) as f:
    runs = json.load(f)["benchmarks"]

UNIT_NS = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}
wall, cpu = {}, {}
for r in runs:
    if r.get("aggregate_name", "median") != "median":
        continue
    name = r["run_name"].replace("/real_time", "")
    scale = UNIT_NS[r.get("time_unit", "ns")]
    wall[name] = r["real_time"] * scale
    cpu[name] = r["cpu_time"] * scale

def show(value_ns):
    if value_ns is None:
        return "n/a"
    for unit, scale in (("s", 1e9), ("ms", 1e6), ("us", 1e3)):
        if value_ns >= scale:
            return f"{value_ns / scale:.3g} {unit}"
    return f"{value_ns:.3g} ns"

def both(name):
    return f"{show(wall.get(name))} / {show(cpu.get(name))}"

def verdict(ok):
    return "met" if ok else "NOT met"

rows = []
for where in ("early", "last", "absent"):
    rows.append((f"IsValidExchg0, 3,000 RDA codes, {where}", both(f"BM_IsValidExchg0/{where}"),
                 f"linear scan {both(f'BM_LinearScanOfCodes/{where}')}", ""))

if "BM_Replay100k" in wall and "BM_JournalOnly100k" in wall:
    shares = [(t["BM_Replay100k"] - t["BM_JournalOnly100k"]) / t["BM_Replay100k"]
              for t in (wall, cpu)]
    rows.append(("100k replay (reset + AddData0 + GetResult0)", both("BM_Replay100k"),
                 f"journal alone {both('BM_JournalOnly100k')}; "
                 f"share not journal {shares[0]:.1%} / {shares[1]:.1%}",
                 "<= 10%: " + " / ".join(verdict(s <= 0.10) for s in shares)))

if "BM_GetResult0_100k" in wall and "BM_OnePassOverLog_100k" in wall:
    ratios = [t["BM_GetResult0_100k"] / t["BM_OnePassOverLog_100k"] for t in (wall, cpu)]
    rows.append(("GetResult0 at 100k QSOs", both("BM_GetResult0_100k"),
                 f"one pass {both('BM_OnePassOverLog_100k')}; "
                 f"ratio {ratios[0]:.1f}x / {ratios[1]:.1f}x",
                 "<= 3x: " + " / ".join(verdict(r <= 3) for r in ratios)))
    if "BM_ClaimedSettingWrite" in wall:
        rows.append(("  its \"Claimed\" settings write alone", both("BM_ClaimedSettingWrite"),
                     "", ""))

for case in ("blocked", "not_blocked"):
    name = f"BM_CheckCall0_100k/{case}"
    if name in wall:
        rows.append((f"CheckCall0 at 100k QSOs, {case.replace('_', ' ')}", both(name), "",
                     "<= 20 us: " + verdict(wall[name] <= 20000)))

for name, label, limit_ns, target in (
        ("BM_DisplayStep_100k", "display step without windows, 100k QSOs", 20000, "<= 20 us"),
        ("BM_DisplaySnapshot_100k", "  its snapshot (state lock held)", 20000, "<= 20 us"),
        ("BM_SortAndCopyRdaDistricts_2600", "RDA districts sorted and copied, 2,600 reversed",
         1e6, "<= 1 ms"),
        ("BM_DistrictViewComposition_2600", "district view sorted and laid out, 2,600, 600x400",
         1e6, "<= 1 ms")):
    if name in wall:
        rows.append((label, both(name), "", f"{target}: " + verdict(wall[name] <= limit_ns)))
if "BM_RemovalThenSnapshot_100k" in wall:
    rows.append(("a removal at the log's start, then a snapshot", both("BM_RemovalThenSnapshot_100k"),
                 "", ""))

print()
print("Medians, wall clock / CPU time of the process:")
print()
print("| case | median | next to it | target |")
print("|---|---|---|---|")
for row in rows:
    print("| " + " | ".join(row) + " |")
PY
