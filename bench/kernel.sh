#!/usr/bin/env bash
# Times the bundled line counter on the Linux kernel sources side by side with a floor and
# with ripgrep, in one run: wall, user and system time and peak memory of each, and their
# ratios. The floor (bench/walk_floor.cpp) walks the tree on every core with openat, reads
# every file once and counts its newlines: what any counter has to do at least. ripgrep
# (Debian's ripgrep) counts the lines of every file with `rg -c ''`. Then cloc once, and the
# C and header totals compared with cloc's. Not part of CI: it installs packages with apt
# and unpacks about 1.5 GB.
#
#   bench/kernel.sh [runs]        (default 7 runs per command, warm cache; medians)
#
# BENCH_DIR (default /tmp/quillmarrow-bench) holds the unpacked tree, built once.
# The runs go round (counter, floor, ripgrep, counter, floor ...) so that all three see the
# same machine; the ratios are taken round by round. Take the figures on a quiet machine.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-7}
. "$here/bench/kernel-tree.sh"
kernel_tree cloc time ripgrep
bench_build scc walk_floor
scc="$build/libexec/quillmarrow/scc"
floor="$build/bin/walk_floor"

out="$work/out"
mkdir -p "$out"
cd "$tree"

count_scc() { "$scc" --by-file --format json --sort code . > /dev/null; }
count_floor() { "$floor" . > /dev/null; }
count_rg() { rg -c '' . > /dev/null || [ $? -eq 1 ]; }
export -f count_scc count_floor count_rg
export scc floor

# One line per run: wall seconds, user seconds, system seconds, peak KiB (of one process).
measure() { /usr/bin/time -f "%e %U %S %M" bash -c "$1" 2>&1 >/dev/null | tail -1; }

echo "floor: $("$floor" .), cores: $(nproc), load before: $(cut -d' ' -f1-3 /proc/loadavg)"
count_scc
count_floor
count_rg
: > "$out/runs"
for _ in $(seq "$runs"); do
  echo "$(measure count_scc) $(measure count_floor) $(measure count_rg)" >> "$out/runs"
done
python3 - "$out/runs" "$runs" <<'PY'
import statistics, sys
rows = [list(map(float, line.split())) for line in open(sys.argv[1])]
med = statistics.median
names = ["scc --by-file --format json --sort code", "floor: walk, read, count newlines", "rg -c ''"]
print(f"{'median of ' + sys.argv[2] + ' rounds':<40} {'wall s':>8} {'user s':>8} {'sys s':>8} {'peak MiB':>9}")
for k, name in enumerate(names):
    wall, user, system, peak = (med([r[4 * k + i] for r in rows]) for i in range(4))
    print(f"{name:<40} {wall:8.3f} {user:8.3f} {system:8.3f} {peak / 1024:9.1f}")
for k, name in ((1, "floor"), (2, "rg")):
    print(f"{'scc / ' + name + ', round by round':<40} {med([r[0] / r[4 * k] for r in rows]):8.2f} "
          f"{med([r[1] / r[4 * k + 1] for r in rows]):8.2f} {med([r[2] / r[4 * k + 2] for r in rows]):8.2f}")
PY
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
[ "${KERNEL_CLOC:-1}" = 0 ] && exit 0

start=$(date +%s%N)
cloc --json --quiet . > "$out/cloc.json"
end=$(date +%s%N)
echo "cloc (one run): $(awk -v s="$start" -v e="$end" 'BEGIN { printf "%.1f", (e - s) / 1e9 }')s"

# cloc counts one file of each set of identical files: compare with the same rule.
"$scc" --format json --no-duplicates . > "$out/scc-unique.json"

python3 - "$out/scc-unique.json" "$out/cloc.json" <<'PY'
import json, sys
ours = {l["Name"]: l for l in json.load(open(sys.argv[1], encoding="utf-8", errors="surrogateescape"))}
cloc = json.load(open(sys.argv[2]))
def row(label, mine, theirs):
    print(f"{label:<34} {'files':>8} {'code':>10} {'comment':>10} {'blank':>10}")
    print(f"{'  scc':<34} {mine[0]:>8} {mine[1]:>10} {mine[2]:>10} {mine[3]:>10}")
    print(f"{'  cloc':<34} {theirs[0]:>8} {theirs[1]:>10} {theirs[2]:>10} {theirs[3]:>10}")
    diff = [f"{(m - t) * 100.0 / t:+.3f}%" if t else "-" for m, t in zip(mine, theirs)]
    print(f"{'  difference':<34} {diff[0]:>8} {diff[1]:>10} {diff[2]:>10} {diff[3]:>10}")
def mine(*names):
    ls = [ours[n] for n in names if n in ours]
    return [sum(l[k] for l in ls) for k in ("Count", "Code", "Comment", "Blank")]
def theirs(name):
    c = cloc.get(name, {})
    return [c.get(k, 0) for k in ("nFiles", "code", "comment", "blank")]
row("C", mine("C"), theirs("C"))
row("C Header + C++ Header", mine("C Header", "C++ Header"), theirs("C/C++ Header"))
PY
