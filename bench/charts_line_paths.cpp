// A line of 10,000 points: building its curved path, and finding where a
// touch meets the drawn line (the touch marker's position, rebuilt at every
// move of a drag; the line is measured at the first touch and kept while
// the drag goes on). Aims: the path under 1 ms, one lookup under 0.2 ms.

#include "charts/line/LineDataPoints.h"
#include "charts/line/LinePaths.h"
#include "charts/line/TouchPointOnLinePath.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

constexpr int pointCount = 10000;
const kit::Rect chart(0, 0, 1200, 400);

std::vector<charts::LineChartDataPoint> wave()
{
    std::vector<charts::LineChartDataPoint> points;
    points.reserve(pointCount);
    for (int i = 0; i < pointCount; ++i)
        points.emplace_back(50 + 40 * std::sin(i * 0.01) + (i % 7));
    return points;
}

void curvedPath(benchmark::State& state)
{
    const std::vector<charts::LinePathPoint> points = charts::linePathPoints(wave());
    for (auto _ : state)
        benchmark::DoNotOptimize(charts::linePath(points, charts::LineType::curvedLine, chart, 0, 100, false, false));
}
BENCHMARK(curvedPath)->Unit(benchmark::kMicrosecond);

// A drag over a curved (argument 1) or straight (0) line.
void touchOnLine(benchmark::State& state)
{
    const std::vector<charts::LineChartDataPoint> points = wave();
    const auto lineType = state.range(0) == 1 ? charts::LineType::curvedLine : charts::LineType::line;
    double x = 0;
    for (auto _ : state) {
        x = std::fmod(x + 37.3, chart.width());
        benchmark::DoNotOptimize(charts::touchPointOnLinePath(points, lineType, false, chart, {x, 100}, 0, 100));
    }
}
BENCHMARK(touchOnLine)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

// The first touch on a curved line, which measures the line.
void firstTouchOnCurvedLine(benchmark::State& state)
{
    const std::vector<charts::LineChartDataPoint> points = wave();
    double minValue = 0;
    for (auto _ : state) {
        minValue -= 1;
        benchmark::DoNotOptimize(charts::touchPointOnLinePath(points, charts::LineType::curvedLine, false, chart,
                                                              {600, 100}, minValue, 100));
    }
}
BENCHMARK(firstTouchOnCurvedLine)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
