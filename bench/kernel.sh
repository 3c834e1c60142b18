#!/usr/bin/env bash
# Times the bundled line counter on the Linux kernel sources against a parallel `wc -l`
# over the same files (the floor: reading every byte once), side by side in one run:
# wall time, user time and peak memory of each, and their ratios. Then cloc once, and the
# C and header totals compared with cloc's. Not part of CI: it installs packages with apt
# and unpacks about 1.5 GB.
#
#   bench/kernel.sh [runs]        (default 7 runs per command, warm cache; medians)
#
# BENCH_DIR (default /tmp/quillmarrow-bench) holds the unpacked tree, built once.
# The runs alternate (counter, wc, counter, wc ...) so that both see the same machine;
# the ratios are taken run by run. Take the figures on a quiet machine.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-7}
jobs=$(nproc)
. "$here/bench/kernel-tree.sh"
kernel_tree cloc time
bench_build scc
scc="$build/libexec/quillmarrow/scc"

out="$work/out"
mkdir -p "$out"
cd "$tree"

# The files the counter counts, for wc.
"$scc" --by-file --format json . > "$out/scc.json"
python3 - "$out/scc.json" "$out/files" <<'EOF'
import json, sys
with open(sys.argv[2], "wb") as f:
    for language in json.load(open(sys.argv[1], encoding="utf-8", errors="surrogateescape")):
        for file in language["Files"]:
            f.write(file["Location"].encode("utf-8", "surrogateescape") + b"\0")
EOF

count_scc() { "$scc" --by-file --format json . > /dev/null; }
count_wc() { xargs -0 -P "$jobs" -n 500 wc -l < "$out/files" > /dev/null; }
export -f count_scc count_wc
export scc out jobs

# One line per run: wall seconds, user seconds, system seconds, peak KiB (of one process).
measure() { /usr/bin/time -f "%e %U %S %M" bash -c "$1" 2>&1 >/dev/null | tail -1; }

files=$(tr -cd '\0' < "$out/files" | wc -c)
bytes=$(xargs -0 -n 500 cat < "$out/files" | wc -c)
echo "files counted: $files, bytes: $bytes, cores: $jobs, load before: $(cut -d' ' -f1-3 /proc/loadavg)"
count_scc
count_wc
: > "$out/runs"
for _ in $(seq "$runs"); do
  echo "$(measure count_scc) $(measure count_wc)" >> "$out/runs"
done
python3 - "$out/runs" "$runs" <<'EOF'
import statistics, sys
rows = [list(map(float, line.split())) for line in open(sys.argv[1])]
med = lambda xs: statistics.median(xs)
s_wall, s_user, s_sys, s_peak = (med([r[i] for r in rows]) for i in range(4))
w_wall, w_user, w_sys, w_peak = (med([r[i] for r in rows]) for i in range(4, 8))
print(f"{'median of ' + sys.argv[2] + ' paired runs':<34} {'wall s':>8} {'user s':>8} {'sys s':>8} {'peak MiB':>9}")
print(f"{'scc --by-file --format json':<34} {s_wall:8.3f} {s_user:8.3f} {s_sys:8.3f} {s_peak / 1024:9.1f}")
print(f"{'parallel wc -l (the floor)':<34} {w_wall:8.3f} {w_user:8.3f} {w_sys:8.3f} {w_peak / 1024:9.1f}")
print(f"{'scc / wc, run by run':<34} {med([r[0] / r[4] for r in rows]):8.2f} {med([r[1] / r[5] for r in rows]):8.2f}")
EOF
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"

start=$(date +%s%N)
cloc --json --quiet . > "$out/cloc.json"
end=$(date +%s%N)
echo "cloc (one run): $(awk -v s="$start" -v e="$end" 'BEGIN { printf "%.1f", (e - s) / 1e9 }')s"

# cloc counts one file of each set of identical files: compare with the same rule.
"$scc" --format json --no-duplicates . > "$out/scc-unique.json"

python3 - "$out/scc-unique.json" "$out/cloc.json" <<'EOF'
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
EOF
