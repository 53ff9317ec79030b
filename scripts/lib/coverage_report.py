"""Line and branch coverage of the module's sources from the gcov counters
of one build folder, per source folder and for the Windows-only (*_win)
files together, as a Markdown table.

    coverage_report.py <gcov program> <build folder> <source root>

Only the module's own .cpp files count (not headers, tests, tools or the
system's): each is read from the counters of its own object file. Branches
are those taken at least once."""
import collections
import os
import re
import subprocess
import sys

GCOV, BUILD, ROOT = sys.argv[1], os.path.abspath(sys.argv[2]), os.path.abspath(sys.argv[3])
MODULE_FOLDERS = ("engine", "framework", "platform", "plugin", "reports", "ui")
# The objects of the module's code; the test programs' own objects are left out.
MODULE_TARGETS = ("stats_core.dir", "stats_windows.dir", "Stats.dir", "stats_native.dir")


def counter_files():
    for folder, _, names in os.walk(BUILD):
        if not any(f"/{target}" in folder + "/" for target in MODULE_TARGETS):
            continue
        for name in names:
            if name.endswith(".gcda"):
                yield os.path.join(folder, name)


def summary_of(gcda):
    """(source, lines, lines run, branches, branches taken) of the object's own file."""
    out = subprocess.run([GCOV, "-b", "-n", "-o", os.path.dirname(gcda), gcda],
                         capture_output=True, text=True, cwd=BUILD).stdout
    wanted = os.path.basename(gcda)[: -len(".gcda")]  # e.g. reset.cpp
    for block in re.split(r"(?=File ')", out):
        name = re.search(r"File '([^']+)'", block)
        if not name or not name.group(1).endswith("/" + wanted):
            continue
        lines = re.search(r"Lines executed:([\d.]+)% of (\d+)", block)
        taken = re.search(r"Taken at least once:([\d.]+)% of (\d+)", block)
        total_lines = int(lines.group(2)) if lines else 0
        run_lines = round(float(lines.group(1)) * total_lines / 100) if lines else 0
        total_branches = int(taken.group(2)) if taken else 0
        run_branches = round(float(taken.group(1)) * total_branches / 100) if taken else 0
        return os.path.relpath(name.group(1), ROOT), total_lines, run_lines, total_branches, run_branches
    return None


def percent(part, whole):
    return f"{100.0 * part / whole:.1f} %" if whole else "–"


sums = collections.defaultdict(lambda: [0, 0, 0, 0])
seen = set()
for gcda in sorted(counter_files()):
    found = summary_of(gcda)
    if not found or found[0] in seen or not found[0].startswith(MODULE_FOLDERS):
        continue
    source, lines, run, branches, taken = found
    seen.add(source)
    groups = [source.split("/")[0], "all"]
    if os.path.splitext(source)[0].endswith("_win"):
        groups.append("*_win files")
    for group in groups:
        s = sums[group]
        s[0] += lines
        s[1] += run
        s[2] += branches
        s[3] += taken

print("| folder | lines | branches |")
print("|---|---|---|")
for group in sorted(g for g in sums if g not in ("all", "*_win files")) + ["*_win files", "all"]:
    if group not in sums:
        continue
    lines, run, branches, taken = sums[group]
    print(f"| {group} | {percent(run, lines)} of {lines} | {percent(taken, branches)} of {branches} |")
