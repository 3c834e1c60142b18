#!/usr/bin/env bash
# The chart workloads side by side: each benchmark of the project's charts
# (charts_bar_views, charts_line_views, charts_pie_views, charts_decorated)
# against its Qt Charts twin (qtcharts_twins) and its floor, plain QPainter
# drawing the same marks (floor_twins), in one run on this machine. Builds
# Release with benchmarks, then runs project / Qt Charts / floor one after the
# other for each workload, round after round (so a change in the machine's
# load falls on all three alike), and prints the medians and their ratios as
# a Markdown table, with the load average before and after.
#
#   bench/charts_vs_qtcharts.sh                 # 5 rounds, 0.5 s per benchmark
#   ROUNDS=9 MIN_TIME=1 bench/charts_vs_qtcharts.sh
#   BUILD=/path/to/build bench/charts_vs_qtcharts.sh
#   ONLY=BarChart bench/charts_vs_qtcharts.sh  # the benchmarks whose names match
#   SCALING=1 bench/charts_vs_qtcharts.sh      # the scaling table instead: bars at
#                                              # 50 / 500 / 5,000, lines of 100 ... 100,000
#                                              # points, pies of 6 / 60 / 600 slices, with
#                                              # the exponent b of t = a·n^b between sizes
#
# Times are wall-clock per iteration (Google Benchmark's real_time).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD:-$here/build-bench}
rounds=${ROUNDS:-5}
min_time=${MIN_TIME:-0.5}
jobs=${JOBS:-4}

"$here/scripts/setup.sh"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQM_BUILD_TESTS=OFF -DQM_BUILD_BENCH=ON >/dev/null
cmake --build "$build" -j "$jobs" --target charts_bar_views charts_line_views charts_decorated charts_pie_views \
  qtcharts_twins floor_twins >/dev/null

# workload | project program | benchmark (the same name in each twin)
workloads=(
  "500 bars, every value new, paint (800x600)|charts_bar_views|BM_BarChart500FullUpdate"
  "20x5 grouped bars, every value new|charts_bar_views|BM_GroupedBarChart20FullUpdate"
  "500 bars, one grow-in frame|charts_bar_views|BM_BarChart500GrowingFrame"
  "20x5 grouped, one grow-in frame|charts_bar_views|BM_GroupedBarChart20GrowingFrame"
  "10,000-point curve, one value changes|charts_line_views|BM_FullUpdateAndPaint"
  "10,000-point curve, one draw-in frame|charts_line_views|BM_DrawInFrame"
  "60-slice pie, one grow-in frame|charts_pie_views|BM_AnimatingFrame"
  "60-slice pie, touched slice changes|charts_pie_views|BM_TouchUpdatePass"
  "decorated bar chart, one value changes|charts_decorated|BM_DecoratedBarChart"
  "decorated line chart, one value changes|charts_decorated|BM_DecoratedLineChart"
)

if [[ -n ${SCALING:-} ]]; then
  # workload | project program | benchmark | sizes
  workloads=(
    "bars, every value new, paint|charts_bar_views|BM_BarChartFullUpdate|50 500 5000"
    "bars, one grow-in frame|charts_bar_views|BM_BarChartGrowingFrame|50 500 5000"
    "curve, one value changes|charts_line_views|BM_LineFullUpdateAndPaint|100 1000 10000 100000"
    "curve, one draw-in frame|charts_line_views|BM_LineDrawInFrame|100 1000 10000 100000"
    "pie, one grow-in frame|charts_pie_views|BM_PieAnimatingFrame|6 60 600"
    "pie, touched slice changes|charts_pie_views|BM_PieTouchUpdatePass|6 60 600"
  )
  expanded=()
  for entry in "${workloads[@]}"; do
    IFS='|' read -r title program name sizes <<<"$entry"
    for n in $sizes; do expanded+=("$title|$program|$name/$n"); done
  done
  workloads=("${expanded[@]}")
fi

results=$(mktemp)
trap 'rm -f "$results"' EXIT
export QT_QPA_PLATFORM=offscreen
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
for ((round = 1; round <= rounds; round++)); do
  for entry in "${workloads[@]}"; do
    IFS='|' read -r _ program name <<<"$entry"
    [[ $name =~ ${ONLY:-.} ]] || continue
    for side in project qtcharts floor; do
      case $side in
        project) binary=$program ;;
        qtcharts) binary=qtcharts_twins ;;
        floor) binary=floor_twins ;;
      esac
      time_ms=$("$build/bin/$binary" --benchmark_filter="^$name\$" --benchmark_min_time="$min_time" \
        --benchmark_format=json 2>/dev/null | python3 -c '
import json, sys
run = json.load(sys.stdin)["benchmarks"][0]
scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[run["time_unit"]]
print(run["real_time"] * scale)')
      echo "$name $side $time_ms" >>"$results"
    done
  done
  echo "round $round of $rounds done" >&2
done
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

python3 - "$results" "$rounds" "$load_before" "$load_after" "${SCALING:-}" "${workloads[@]}" <<'EOF'
import math, statistics, sys
path, rounds, before, after, scaling, *workloads = sys.argv[1:]
times = {}
for line in open(path):
    name, side, ms = line.split()
    times.setdefault((name, side), []).append(float(ms))
print(f"Release, offscreen, {rounds} alternating rounds on {__import__('os').cpu_count()} cores; "
      f"load average (1, 5, 15 min) {before} before, {after} after. Medians in ms.")
print()
sides = ("project", "qtcharts", "floor")
if not scaling:
    print("| workload | project | Qt Charts | floor | project / Qt Charts | project / floor |")
    print("|---|---|---|---|---|---|")
    for entry in workloads:
        title, _, name = entry.split("|")
        if (name, "project") not in times:
            continue
        project, qt, floor = (statistics.median(times[(name, side)]) for side in sides)
        print(f"| {title} | {project:.2f} | {qt:.2f} | {floor:.2f} | {project / qt:.2f} | {project / floor:.2f} |")
    sys.exit()
# b, the exponent of t = a·n^b from the size before: log(t / t0) / log(n / n0).
print("b is the exponent of t = a·n^b from the size above (1: linear in n).")
print()
print("| workload | n | project | Qt Charts | floor | project / Qt Charts | project / floor "
      "| b project | b Qt Charts | b floor |")
print("|---|---|---|---|---|---|---|---|---|---|")
previous = None
for entry in workloads:
    title, _, name = entry.split("|")
    if (name, "project") not in times:
        continue
    base, n = name.rsplit("/", 1)
    n = int(n)
    t = [statistics.median(times[(name, side)]) for side in sides]
    if previous and previous[0] == base:
        b = [f"{math.log(t[k] / previous[2][k]) / math.log(n / previous[1]):.2f}" for k in range(3)]
    else:
        b = ["", "", ""]
    previous = (base, n, t)
    print(f"| {title} | {n:,} | {t[0]:.2f} | {t[1]:.2f} | {t[2]:.2f} | {t[0] / t[1]:.2f} | {t[0] / t[2]:.2f} "
          f"| {b[0]} | {b[1]} | {b[2]} |")
EOF
