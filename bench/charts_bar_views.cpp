// A standard bar chart of 500 bars and a grouped bar chart of 20 groups of
// 5 bars, in a window-sized image: the cost of one full update (new data
// for every bar, the pass that re-evaluates and lays out the chart, and the
// paint), and of one animation frame while the bars grow in (the display
// list at the next clock time, and the paint). A frame must stay well under
// 1/60 s for the charts to animate at 60 fps; the aim is under 8 ms.
// qtcharts_twins.cpp and floor_twins.cpp draw the same workloads.

#include "ChartWorkloads.h"
#include "OffscreenBench.h"
#include "charts/bar/BarChart.h"
#include "charts/bar/GroupedBarChart.h"
#include "kit/base/Clock.h"
#include "kit/base/RunLoop.h"
#include "kit/ui/UI.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr kit::Size windowSize{bench::barWindowWidth, bench::barWindowHeight};

charts::BarChartStyle chartStyle()
{
    const charts::GridStyle grid(4, kit::Color::gray(), 1, {}, 0);
    return charts::BarChartStyle(charts::InfoBoxPlacement::floating(), charts::InfoBoxAlignment::vertical,
                                 kit::Font::body(), kit::Color::primary(), kit::Font::caption(),
                                 kit::Color::secondary(), kit::Color::white(), kit::Color::gray(), kit::StrokeStyle{},
                                 charts::BarMarkerType::full(kit::Color::red(), kit::StrokeStyle{}), grid,
                                 charts::XAxisLabelPosistion::bottom, kit::Font::caption(), kit::Color::primary(),
                                 charts::LabelsFrom::dataPoint(kit::Angle::zero()), std::nullopt, kit::Font::caption(),
                                 kit::Color::primary(), grid, charts::YAxisLabelPosistion::leading,
                                 kit::Font::caption(), kit::Color::primary(), 5, charts::YAxisLabelType::numeric,
                                 std::nullopt, kit::Font::caption(), kit::Color::primary(),
                                 charts::Baseline::minimumValue(), charts::Topline::maximumValue(),
                                 kit::Animation::easeInOut(1));
}

charts::ChartMetadata metadata()
{
    return charts::ChartMetadata("Sales", "By day", kit::Font::title(), kit::Color::primary(), kit::Font::body(),
                                 kit::Color::secondary());
}

// Bars with rounded tops, coloured by the style.
charts::BarStyle barStyle()
{
    return charts::BarStyle(0.8, 3, 3, 0, 0, charts::ColourFrom::barStyle, charts::ColourStyle(kit::Color::blue()));
}

charts::BarDataSet barSet(int count, int round)
{
    std::vector<charts::BarChartDataPoint> points;
    for (int i = 0; i < count; ++i)
        points.emplace_back(bench::barValue(i, round), std::nullopt, "Day " + std::to_string(i), std::nullopt,
                            charts::ColourStyle(kit::Color::blue()));
    return charts::BarDataSet(std::move(points), "Sales");
}

std::vector<charts::GroupingData> groups()
{
    return {charts::GroupingData("North", charts::ColourStyle(kit::Color::red())),
            charts::GroupingData("East", charts::ColourStyle(kit::Color::green())),
            charts::GroupingData("South", charts::ColourStyle(kit::Color::blue())),
            charts::GroupingData("West", charts::ColourStyle(kit::Color::orange())),
            charts::GroupingData("Centre", charts::ColourStyle({kit::Color::purple(), kit::Color::pink()},
                                                               kit::UnitPoint::bottom(), kit::UnitPoint::top()))};
}

charts::GroupedBarDataSets groupedSets(int sets, const std::vector<charts::GroupingData>& groups, int round)
{
    std::vector<charts::GroupedBarDataSet> result;
    for (int s = 0; s < sets; ++s) {
        std::vector<charts::GroupedBarDataPoint> points;
        for (std::size_t k = 0; k < groups.size(); ++k)
            points.emplace_back(bench::barValue(s * bench::barsPerGroup + int(k), round), std::nullopt, std::nullopt,
                                groups[k]);
        result.emplace_back(std::move(points), "Week " + std::to_string(s));
    }
    return charts::GroupedBarDataSets(std::move(result));
}

std::shared_ptr<charts::BarChartData> standardChart(int count = bench::standardBars)
{
    return std::make_shared<charts::BarChartData>(barSet(count, 0), metadata(), std::nullopt, std::nullopt, barStyle(),
                                                  chartStyle(), kit::Text("No data"));
}

std::shared_ptr<charts::GroupedBarChartData> groupedChart()
{
    return std::make_shared<charts::GroupedBarChartData>(groupedSets(bench::barGroups, groups(), 0), groups(),
                                                         metadata(), std::nullopt, std::nullopt, barStyle(),
                                                         chartStyle(), kit::Text("No data"));
}

// One full update: new values for every bar (each keeps its identity), the
// pass that re-evaluates every bar, and the paint of what a user then sees:
// the bars move to their new values with the default animation (0.35 s),
// so the clock runs past its end before the paint (the ticks in between, each
// only moving the animated values on, are not counted).
template <class Data, class Revalue>
void fullUpdate(benchmark::State& state, kit::View chart, std::shared_ptr<Data> data, Revalue revalue)
{
    kit::Clock::useManual(0);
    kit::ViewHost host(std::move(chart), windowSize);
    host.update();
    kit::Clock::advance(10);
    QImage image(int(windowSize.width), int(windowSize.height), QImage::Format_ARGB32_Premultiplied);
    bench::paintFrame(host, image); // shown before the first change, as a user would see it
    int round = 1;
    for (auto _ : state) {
        data->dataSets.modify([&](auto& sets) { revalue(sets, round); });
        ++round;
        host.update();
        state.PauseTiming();
        kit::Clock::advance(0.4);
        state.ResumeTiming();
        bench::paintFrame(host, image);
    }
    bench::saveImageIfAsked(image);
    kit::discardPendingWork();
    kit::Clock::useReal();
}

// One frame of the grow-in: the clock moves on 1/60 s, the paint; the
// chart appears again whenever the bars have grown.
void growingFrame(benchmark::State& state, kit::View chart)
{
    kit::Clock::useManual(0);
    kit::ViewHost host(std::move(chart), windowSize);
    host.update();
    QImage image(int(windowSize.width), int(windowSize.height), QImage::Format_ARGB32_Premultiplied);
    long long frame = 0;
    for (auto _ : state) {
        kit::Clock::advance(1.0 / 60);
        bench::paintFrame(host, image);
        bench::saveFrameIfAsked(image, ++frame);
        bench::restartAppearanceWhenSettled(state, host);
    }
    state.counters["frames_per_second"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    bench::saveImageIfAsked(image);
    kit::discardPendingWork();
    kit::Clock::useReal();
}

void barsFullUpdate(benchmark::State& state, int count)
{
    auto data = standardChart(count);
    fullUpdate(state, charts::BarChart(data), data, [](charts::BarDataSet& set, int round) {
        for (std::size_t i = 0; i < set.dataPoints.size(); ++i)
            set.dataPoints[i].value = bench::barValue(int(i), round);
    });
}

void BM_BarChart500FullUpdate(benchmark::State& state)
{
    barsFullUpdate(state, bench::standardBars);
}
BENCHMARK(BM_BarChart500FullUpdate)->Unit(benchmark::kMillisecond);

// The same at each of the scaling sizes (the bar count the argument).
void BM_BarChartFullUpdate(benchmark::State& state)
{
    barsFullUpdate(state, int(state.range(0)));
}
BENCHMARK(BM_BarChartFullUpdate)->Unit(benchmark::kMillisecond)->Arg(50)->Arg(500)->Arg(5000);

void BM_GroupedBarChart20FullUpdate(benchmark::State& state)
{
    auto data = groupedChart();
    fullUpdate(state, charts::GroupedBarChart(data, 8), data, [](charts::GroupedBarDataSets& sets, int round) {
        for (std::size_t s = 0; s < sets.dataSets.size(); ++s)
            for (std::size_t k = 0; k < sets.dataSets[s].dataPoints.size(); ++k)
                sets.dataSets[s].dataPoints[k].value = bench::barValue(int(s * bench::barsPerGroup + k), round);
    });
}
BENCHMARK(BM_GroupedBarChart20FullUpdate)->Unit(benchmark::kMillisecond);

void BM_BarChart500GrowingFrame(benchmark::State& state)
{
    growingFrame(state, charts::BarChart(standardChart()));
}
BENCHMARK(BM_BarChart500GrowingFrame)->Unit(benchmark::kMillisecond);

void BM_BarChartGrowingFrame(benchmark::State& state)
{
    growingFrame(state, charts::BarChart(standardChart(int(state.range(0)))));
}
BENCHMARK(BM_BarChartGrowingFrame)->Unit(benchmark::kMillisecond)->Arg(50)->Arg(500)->Arg(5000);

void BM_GroupedBarChart20GrowingFrame(benchmark::State& state)
{
    growingFrame(state, charts::GroupedBarChart(groupedChart(), 8));
}
BENCHMARK(BM_GroupedBarChart20GrowingFrame)->Unit(benchmark::kMillisecond);

} // namespace

QM_OFFSCREEN_BENCHMARK_MAIN()
