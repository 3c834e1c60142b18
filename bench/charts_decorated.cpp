// The decorated gallery scene: a bar chart and a line chart, each with a
// header, legends, axis labels and titles, both grids, two points of
// interest, a trend line, an extra line with its own labels and a floating
// info box under a touch, in a window-sized frame. Timed: one full update
// (a point's value changes, by the same steps whatever the iteration count,
// every decoration is evaluated again, laid out) and the paint of the frame
// a user then sees: the chart data disables animation, so the bars and the
// axis stand at their new values at once. Aim: under 16 ms, one frame of a
// 60 fps display.

#include "ChartWorkloads.h"
#include "OffscreenBench.h"
#include "kit/base/Clock.h"
#include "kit/base/RunLoop.h"
#include "kit/ui/UI.h"
#include "tests/charts/overlays/DecoratedCharts.h"

#include <QImage>
#include <benchmark/benchmark.h>

#include <functional>
#include <memory>

namespace {

const kit::Size window{bench::decoratedWindowWidth, bench::decoratedWindowHeight};

// Shows `chart`, lets its reveal finish and touches the middle of the window.
void showTouched(kit::ViewHost& host)
{
    host.update();
    kit::Clock::advance(1);
    host.update();
    host.pointerPressed({380, 300});
    host.pointerMoved({381, 300});
    host.update();
    host.update();
}

// One timed iteration, a function of its own so that a profiler can count
// it alone (valgrind --tool=callgrind --toggle-collect='*changeAndPaint*').
template <class ChartData>
[[gnu::noinline]] bool changeAndPaint(ChartData& data, kit::ViewHost& host, QImage& image, int i)
{
    const auto [point, change] = bench::decoratedChange(i);
    data.dataSets.modify([&](auto& set) { set.dataPoints[point].value += change; });
    host.update();
    // Animation is off: the frame after the change is the one a user
    // sees once the change has settled.
    if (host.isAnimating())
        return false;
    bench::paintFrame(host, image);
    return true;
}

template <class ChartData>
void updateAndPaint(benchmark::State& state, const std::shared_ptr<ChartData>& data, const kit::View& chart)
{
    kit::Clock::useManual(0);
    kit::ViewHost host{chart, window};
    showTouched(host);
    QImage image(int(window.width), int(window.height), QImage::Format_ARGB32_Premultiplied);
    bench::paintFrame(host, image); // shown before the first change
    int i = 0;
    for (auto _ : state) {
        if (!changeAndPaint(*data, host, image, i++)) {
            state.SkipWithError("the chart still moves after a change");
            break;
        }
        bench::saveFrameIfAsked(image, i);
    }
    bench::saveImageIfAsked(image);
    kit::discardPendingWork();
    kit::Clock::useReal();
}

void BM_DecoratedBarChart(benchmark::State& state)
{
    const auto data = charts::gallery::galleryBarData();
    data->disableAnimation = true;
    updateAndPaint(state, data, charts::gallery::decoratedBarChart(data));
}
BENCHMARK(BM_DecoratedBarChart)->Unit(benchmark::kMillisecond);

void BM_DecoratedLineChart(benchmark::State& state)
{
    const auto data = charts::gallery::galleryLineData();
    data->disableAnimation = true;
    updateAndPaint(state, data, charts::gallery::decoratedLineChart(data));
}
BENCHMARK(BM_DecoratedLineChart)->Unit(benchmark::kMillisecond);

} // namespace

QM_OFFSCREEN_BENCHMARK_MAIN()
