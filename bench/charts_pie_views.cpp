// The chart library's pie chart of 60 equal slices in a window-sized image:
// the cost of one frame while the slices grow in, each with its own spring
// 0.06 s after the one before (the display list at the next clock time,
// and the paint), and of the update after the touched slice changes (the
// pass that re-evaluates the chart, and the paint of the slice drawn larger
// with its shadow). A frame must stay well under 1/60 s for the chart to
// animate at 60 fps. qtcharts_twins.cpp and floor_twins.cpp draw the same
// workloads.

#include "ChartWorkloads.h"
#include "OffscreenBench.h"
#include "charts/pie/PieChart.h"
#include "kit/base/Clock.h"
#include "kit/base/RunLoop.h"
#include "kit/ui/UI.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr kit::Size windowSize{bench::pieWindowSize, bench::pieWindowSize};

// `segments` equal slices coloured round the hue circle, without labels.
std::shared_ptr<charts::PieChartData> pie(int segments)
{
    std::vector<charts::PieChartDataPoint> points;
    for (int i = 0; i < segments; ++i)
        points.emplace_back(1, "Slice " + std::to_string(i), std::nullopt,
                            kit::Color::hsb(double(i) / segments, 0.7, 0.9), charts::OverlayType::none());
    const charts::PieChartStyle style(charts::InfoBoxPlacement::floating(), charts::InfoBoxAlignment::vertical,
                                      kit::Font::body(), kit::Color::primary(), kit::Font::caption(),
                                      kit::Color::secondary(), kit::Color::white(), kit::Color::gray(),
                                      kit::StrokeStyle{}, kit::Animation::easeInOut(0.3));
    return std::make_shared<charts::PieChartData>(charts::PieDataSet(std::move(points), "Slices"),
                                                  charts::ChartMetadata("Code breakdown", "", kit::Font::title(),
                                                                        kit::Color::primary(), kit::Font::body(),
                                                                        kit::Color::secondary()),
                                                  style, kit::Text("No data"));
}

void animatingFrame(benchmark::State& state, int segments)
{
    kit::Clock::useManual(0);
    kit::ViewHost host(charts::PieChart<charts::PieChartData>(pie(segments)), windowSize);
    host.update();
    QImage image(bench::pieWindowSize, bench::pieWindowSize, QImage::Format_ARGB32_Premultiplied);
    long long frame = 0;
    for (auto _ : state) {
        kit::Clock::advance(1.0 / 60);
        bench::paintFrame(host, image);
        bench::saveFrameIfAsked(image, ++frame);
        // The slices shrink back one after the other when the chart
        // disappears, the last of them 0.06 s for each slice before it after
        // the first, each for about 0.75 s.
        bench::restartAppearanceWhenSettled(state, host, 0.06 * segments + 1);
    }
    state.counters["frames_per_second"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    bench::saveImageIfAsked(image);
    kit::discardPendingWork();
    kit::Clock::useReal();
}

void BM_AnimatingFrame(benchmark::State& state)
{
    animatingFrame(state, bench::pieSegments);
}
BENCHMARK(BM_AnimatingFrame)->Unit(benchmark::kMillisecond);

// The same at each of the scaling sizes (the slice count the argument).
void BM_PieAnimatingFrame(benchmark::State& state)
{
    animatingFrame(state, int(state.range(0)));
}
BENCHMARK(BM_PieAnimatingFrame)->Unit(benchmark::kMillisecond)->Arg(6)->Arg(60)->Arg(600);

// The touched slice changes: the one touched before goes back, the new one
// is drawn 1.1 times larger over its shadow.
void touchUpdatePass(benchmark::State& state, int segments)
{
    kit::Clock::useManual(0);
    const auto data = pie(segments);
    kit::ViewHost host(charts::PieChart<charts::PieChartData>(data), windowSize);
    host.update();
    kit::Clock::advance(0.06 * segments + 10); // grown in
    QImage image(bench::pieWindowSize, bench::pieWindowSize, QImage::Format_ARGB32_Premultiplied);
    bench::paintFrame(host, image); // shown before the first touch
    int i = 0;
    for (auto _ : state) {
        const charts::PieChartDataPoint touched = data->dataSets->dataPoints[std::size_t(i++ % segments)];
        data->infoView.modify([&](auto& info) { info.touchOverlayInfo = {touched}; });
        host.update();
        bench::paintFrame(host, image);
    }
    bench::saveImageIfAsked(image);
    kit::discardPendingWork();
    kit::Clock::useReal();
}

void BM_TouchUpdatePass(benchmark::State& state)
{
    touchUpdatePass(state, bench::pieSegments);
}
BENCHMARK(BM_TouchUpdatePass)->Unit(benchmark::kMillisecond);

void BM_PieTouchUpdatePass(benchmark::State& state)
{
    touchUpdatePass(state, int(state.range(0)));
}
BENCHMARK(BM_PieTouchUpdatePass)->Unit(benchmark::kMillisecond)->Arg(6)->Arg(60)->Arg(600);

} // namespace

QM_OFFSCREEN_BENCHMARK_MAIN()
