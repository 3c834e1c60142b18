#!/usr/bin/env bash
# Times the bundled line counter on the Linux kernel sources against a parallel `wc -l`
# over the same files (the floor: reading every byte once) and against cloc, and compares
# the C and header totals with cloc's. Not part of CI: it installs packages with apt and
# unpacks about 1.5 GB.
#
#   bench/kernel.sh [runs]        (default 5 runs per command, warm cache; median wall time)
#
# BENCH_DIR (default /tmp/quillmarrow-bench) holds the unpacked tree, built once.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-5}
work=${BENCH_DIR:-/tmp/quillmarrow-bench}
jobs=$(nproc)

need=()
for p in linux-source-6.1 cloc xz-utils python3; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || need+=("$p")
done
if [ ${#need[@]} -gt 0 ]; then
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${need[@]}"
fi

tree="$work/linux-source-6.1"
if [ ! -f "$tree/Makefile" ]; then
  mkdir -p "$work"
  echo "unpacking the kernel sources into $work ..."
  tar -xf /usr/src/linux-source-6.1.tar.xz -C "$work"
fi

build="$here/build-bench"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQM_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target scc >/dev/null
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

median() { sort -n | awk '{ a[NR] = $1 } END { print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2 }'; }

# Runs a command `runs` times after one warm-up run; prints the median wall seconds.
timeit() {
  "$@" >/dev/null
  for _ in $(seq "$runs"); do
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null
    end=$(date +%s%N)
    awk -v s="$start" -v e="$end" 'BEGIN { printf "%.3f\n", (e - s) / 1e9 }'
  done | median
}

count_scc() { "$scc" --by-file --format json .; }
count_wc() { xargs -0 -P "$jobs" -n 500 wc -l < "$out/files"; }

files=$(tr -cd '\0' < "$out/files" | wc -c)
bytes=$(xargs -0 -n 500 cat < "$out/files" | wc -c)
echo "files counted: $files, bytes: $bytes, cores: $jobs"
t_scc=$(timeit count_scc)
t_wc=$(timeit count_wc)
echo "scc --by-file --format json: ${t_scc}s (median of $runs)"
echo "parallel wc -l (floor):      ${t_wc}s (median of $runs)"
echo "scc / floor:                 $(awk -v a="$t_scc" -v b="$t_wc" 'BEGIN { printf "%.2f", a / b }')"

start=$(date +%s%N)
cloc --json --quiet . > "$out/cloc.json"
end=$(date +%s%N)
t_cloc=$(awk -v s="$start" -v e="$end" 'BEGIN { printf "%.1f", (e - s) / 1e9 }')
echo "cloc (one run):              ${t_cloc}s, $(awk -v a="$t_cloc" -v b="$t_scc" 'BEGIN { printf "%.0f", a / b }') times the counter's time"

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
