// A line chart of 10,000 points joined by curves, in a window-sized frame:
// the cost of one full update (the chart data changes, the chart is
// evaluated again, laid out and painted) and of one frame of the draw-in
// animation (the trimmed line at the next tick, painted). Aim: each under
// 8 ms, so the chart keeps up with a 60 fps display with room to spare.

#include "ChartWorkloads.h"
#include "OffscreenBench.h"
#include "charts/line/LineChart.h"
#include "kit/base/Clock.h"
#include "kit/base/RunLoop.h"
#include "kit/ui/UI.h"

#include <QImage>
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

const kit::Size window{bench::lineWindowWidth, bench::lineWindowHeight};

std::shared_ptr<charts::LineChartData> wave(bool disableAnimation, int pointCount)
{
    std::vector<charts::LineChartDataPoint> points;
    points.reserve(std::size_t(pointCount));
    for (int i = 0; i < pointCount; ++i)
        points.emplace_back(bench::waveValue(i, pointCount));
    const charts::GridStyle grid(3, kit::Color::gray(), 1, {}, 0);
    charts::LineChartStyle style(charts::InfoBoxPlacement::floating(), charts::InfoBoxAlignment::vertical,
                                 kit::Font::body(), kit::Color::primary(), kit::Font::caption(),
                                 kit::Color::secondary(), kit::Color::white(), kit::Color::gray(), kit::StrokeStyle{},
                                 charts::LineMarkerType::none(), grid, charts::XAxisLabelPosistion::bottom,
                                 kit::Font::caption(), kit::Color::primary(),
                                 charts::LabelsFrom::dataPoint(kit::Angle::zero()), std::nullopt, kit::Font::caption(),
                                 kit::Color::primary(), std::nullopt, grid, charts::YAxisLabelPosistion::leading,
                                 kit::Font::caption(), kit::Color::primary(), 5, charts::YAxisLabelType::numeric,
                                 std::nullopt, kit::Font::caption(), kit::Color::primary(), std::nullopt,
                                 charts::Baseline::minimumValue(), charts::Topline::maximumValue(),
                                 kit::Animation::easeInOut(1.0));
    charts::LineDataSet set(std::move(points), "Wave",
                            charts::PointStyle{6, kit::Color::blue(), kit::Color::white(), 2, charts::PointType::filled,
                                               charts::PointShape::circle},
                            charts::LineStyle(charts::ColourStyle(kit::Color::blue()), charts::LineType::curvedLine,
                                              charts::defaultStroke(), false));
    auto data = std::make_shared<charts::LineChartData>(std::move(set),
                                                        charts::ChartMetadata("Wave", "", kit::Font::title(),
                                                                              kit::Color::primary(), kit::Font::body(),
                                                                              kit::Color::secondary()),
                                                        std::nullopt, std::nullopt, std::move(style),
                                                        kit::Text("No data"));
    data->disableAnimation = disableAnimation;
    return data;
}

// A point of the line changes: the chart is evaluated, laid out and painted.
void fullUpdateAndPaint(benchmark::State& state, int pointCount)
{
    kit::Clock::useManual(0);
    auto data = wave(true, pointCount);
    kit::ViewHost host{charts::LineChart(data), window};
    host.update();
    QImage image(int(window.width), int(window.height), QImage::Format_ARGB32_Premultiplied);
    bench::paintFrame(host, image); // shown before the first change
    int i = 0;
    for (auto _ : state) {
        data->dataSets.modify(
            [&](charts::LineDataSet& set) { set.dataPoints[std::size_t(i % pointCount)].value += 1; });
        ++i;
        host.update();
        bench::paintFrame(host, image);
        bench::saveFrameIfAsked(image, i);
    }
    bench::saveImageIfAsked(image);
    kit::discardPendingWork();
    kit::Clock::useReal();
}

void BM_FullUpdateAndPaint(benchmark::State& state)
{
    fullUpdateAndPaint(state, bench::linePoints);
}
BENCHMARK(BM_FullUpdateAndPaint)->Unit(benchmark::kMillisecond);

// The same at each of the scaling sizes (the point count the argument).
void BM_LineFullUpdateAndPaint(benchmark::State& state)
{
    fullUpdateAndPaint(state, int(state.range(0)));
}
BENCHMARK(BM_LineFullUpdateAndPaint)->Unit(benchmark::kMillisecond)->Arg(100)->Arg(1000)->Arg(10000)->Arg(100000);

// One tick of the one-second draw-in: the line trimmed to the new fraction
// and painted. The draw-in starts again when it ends.
void drawInFrame(benchmark::State& state, int pointCount)
{
    kit::Clock::useManual(0);
    auto data = wave(false, pointCount);
    kit::ViewHost host{charts::LineChart(data), window};
    host.update();
    QImage image(int(window.width), int(window.height), QImage::Format_ARGB32_Premultiplied);
    long long frame = 0;
    for (auto _ : state) {
        kit::Clock::advance(1.0 / 60);
        bench::paintFrame(host, image);
        bench::saveFrameIfAsked(image, ++frame);
        bench::restartAppearanceWhenSettled(state, host);
    }
    bench::saveImageIfAsked(image);
    kit::discardPendingWork();
    kit::Clock::useReal();
}

void BM_DrawInFrame(benchmark::State& state)
{
    drawInFrame(state, bench::linePoints);
}
BENCHMARK(BM_DrawInFrame)->Unit(benchmark::kMillisecond);

void BM_LineDrawInFrame(benchmark::State& state)
{
    drawInFrame(state, int(state.range(0)));
}
BENCHMARK(BM_LineDrawInFrame)->Unit(benchmark::kMillisecond)->Arg(100)->Arg(1000)->Arg(10000)->Arg(100000);

} // namespace

QM_OFFSCREEN_BENCHMARK_MAIN()
