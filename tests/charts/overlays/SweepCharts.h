#pragma once

// Every chart type of the library with realistic data of any density, bare
// or with the decorations a user composes around it, for the tests that
// sweep frame sizes and densities. The chart view itself is marked
// .id(plotId()), so a test finds the plot's frame; the facts a test needs to
// check where labels stand come with each chart.
//
// Sections:
//   kinds and options   Kind, allKinds, nameOf, Options, plotId, Chart
//   data                values, categoryName, seriesColour, targets, barPoints, clusters, slicePoints
//   styles              sweepMetadata, sweepGrid, sweepBarStyle, sweepLineStyle, sweepExtraStyle, sweepPieStyle
//   decorations         decorateAxes, axesOnly, decoratePie, fillAxisFacts
//   charts              makeChart

#include "charts/axes/AxisGrid.h"
#include "charts/axes/XAxisLabels.h"
#include "charts/axes/YAxisLabels.h"
#include "charts/bar/BarChart.h"
#include "charts/bar/GroupedBarChart.h"
#include "charts/bar/HorizontalBarChart.h"
#include "charts/bar/RangedBarChart.h"
#include "charts/bar/StackedBarChart.h"
#include "charts/core/HeaderBox.h"
#include "charts/core/Legends.h"
#include "charts/core/TouchOverlay.h"
#include "charts/line/FilledLineChart.h"
#include "charts/line/FilledTopLine.h"
#include "charts/line/LineChart.h"
#include "charts/line/MultiLineChart.h"
#include "charts/line/PointMarkers.h"
#include "charts/line/RangedLineChart.h"
#include "charts/overlays/ExtraLine.h"
#include "charts/overlays/ExtraYAxisLabels.h"
#include "charts/overlays/InfoBoxes.h"
#include "charts/overlays/LinearTrendLine.h"
#include "charts/overlays/XAxisPOI.h"
#include "charts/overlays/YAxisPOI.h"
#include "charts/pie/DoughnutChart.h"
#include "charts/pie/PieChart.h"

#include <cmath>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace charts::sweep {

enum class Kind {
    bar,
    grouped,
    stacked,
    horizontal,
    rangedBar,
    line,
    filledLine,
    multiLine,
    rangedLine,
    pie,
    doughnut
};

inline const std::vector<Kind>& allKinds()
{
    static const std::vector<Kind> kinds{Kind::bar,        Kind::grouped, Kind::stacked,    Kind::horizontal,
                                         Kind::rangedBar,  Kind::line,    Kind::filledLine, Kind::multiLine,
                                         Kind::rangedLine, Kind::pie,     Kind::doughnut};
    return kinds;
}

inline std::string nameOf(Kind kind)
{
    switch (kind) {
    case Kind::bar:
        return "bar";
    case Kind::grouped:
        return "grouped bar";
    case Kind::stacked:
        return "stacked bar";
    case Kind::horizontal:
        return "horizontal bar";
    case Kind::rangedBar:
        return "ranged bar";
    case Kind::line:
        return "line";
    case Kind::filledLine:
        return "filled line";
    case Kind::multiLine:
        return "multi-line";
    case Kind::rangedLine:
        return "ranged line";
    case Kind::pie:
        return "pie";
    case Kind::doughnut:
        return "doughnut";
    }
    return "?";
}

inline bool hasAxes(Kind kind)
{
    return kind != Kind::pie && kind != Kind::doughnut;
}

// What a sweep varies beside the kind, the density and the frame.
struct Options {
    bool decorated = true;
    bool negative = false;      // values on both sides of zero
    bool longLabels = false;    // category names of 20 characters and more
    double labelRotation = 0;   // degrees, of the x-axis labels
    bool fixedInfoBox = false;  // a band 70 high above the plot instead of the floating box
    bool headerInfoBox = false; // touched values in the header row
    std::string title = "Daily sales";
};

inline kit::AnyKey plotId()
{
    return kit::AnyKey(std::string("plot"));
}

// The chart view, marked as the plot.
inline kit::View plotted(const kit::View& chart)
{
    return chart.id(plotId());
}

// A chart and what the tests need to know of it.
struct Chart {
    std::string name;
    kit::View view;
    Kind kind = Kind::bar;
    // Categories along the category axis (bars, clusters, stacks or points).
    int categories = 0;
    // Lines put their points on the plot's edges (first and last at the ends);
    // bars stand in the middle of equal slots.
    bool pointsAtEnds = false;
    // The label of category i.
    std::function<std::string(int)> categoryLabel;
    // The value axis as the chart data sees it once laid out: lowest value
    // and range.
    std::function<std::pair<double, double>()> valueAxis;
    int valueLabels = 0;
    // The extra line's axis (lowest value, highest value) and label count, when it has one.
    std::optional<std::pair<double, double>> extraAxis;
    int extraLabels = 0;
    std::shared_ptr<void> keepAlive;
};

// A year of daily sales-like values: a slow swell, a weekly ripple and a
// little noise from a fixed recurrence, all positive (or swinging either
// side of zero).
inline std::vector<double> values(int n, bool negative, double phase = 0)
{
    std::vector<double> v;
    v.reserve(std::size_t(n));
    unsigned noise = 12345;
    for (int i = 0; i < n; ++i) {
        noise = noise * 1103515245u + 12345u;
        const double jitter = double((noise >> 16) % 1000) / 1000.0 - 0.5;
        const double x = double(i) + phase;
        const double base = 60 + 25 * std::sin(x / 9.0) + 8 * std::sin(x * 0.9) + 6 * jitter;
        v.push_back(std::round(negative ? base - 60 : base));
    }
    return v;
}

inline std::string categoryName(int i, const Options& options, int n)
{
    static const char* months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    if (options.longLabels)
        return "Northern region " + std::to_string(i + 1);
    if (n <= 12)
        return months[i % 12];
    return "D" + std::to_string(i + 1);
}

inline kit::Color seriesColour(int i)
{
    return kit::Color::hsb(std::fmod(0.58 + 0.31 * i, 1.0), 0.75, 0.8);
}

inline ChartMetadata sweepMetadata(const Options& options)
{
    return ChartMetadata(options.title, "Last year, by day", kit::Font::title3(), kit::Color::primary(),
                         kit::Font::subheadline(), kit::Color::secondary());
}

inline GridStyle sweepGrid()
{
    return GridStyle(5, kit::Color::gray().opacity(0.5), 1, {}, 0);
}

inline InfoBoxPlacement placementOf(const Options& options)
{
    if (options.fixedInfoBox)
        return InfoBoxPlacement::infoBox(false);
    if (options.headerInfoBox)
        return InfoBoxPlacement::header();
    return InfoBoxPlacement::floating();
}

inline LabelsFrom labelsFromPoints(const Options& options)
{
    return LabelsFrom::dataPoint(kit::Angle::degrees(options.labelRotation));
}

inline BarChartStyle sweepBarStyle(const Options& options)
{
    return BarChartStyle(placementOf(options), InfoBoxAlignment::vertical, kit::Font::body(), kit::Color::primary(),
                         kit::Font::caption(), kit::Color::secondary(), kit::Color::windowBackground(),
                         kit::Color::gray(), kit::StrokeStyle{}, BarMarkerType::none(), sweepGrid(),
                         XAxisLabelPosistion::bottom, kit::Font::caption(), kit::Color::primary(),
                         labelsFromPoints(options),
                         options.decorated ? std::optional<std::string>("Day") : std::nullopt, kit::Font::caption(),
                         kit::Color::primary(), sweepGrid(), YAxisLabelPosistion::leading, kit::Font::caption(),
                         kit::Color::primary(), 5, YAxisLabelType::numeric,
                         options.decorated ? std::optional<std::string>("Sales") : std::nullopt, kit::Font::caption(),
                         kit::Color::primary(), options.negative ? Baseline::minimumValue() : Baseline::zero(),
                         Topline::maximumValue(), kit::Animation::linear(0.3));
}

inline LineChartStyle sweepLineStyle(const Options& options)
{
    return LineChartStyle(placementOf(options), InfoBoxAlignment::vertical, kit::Font::body(), kit::Color::primary(),
                          kit::Font::caption(), kit::Color::secondary(), kit::Color::windowBackground(),
                          kit::Color::gray(), kit::StrokeStyle{}, LineMarkerType::none(), sweepGrid(),
                          XAxisLabelPosistion::bottom, kit::Font::caption(), kit::Color::primary(),
                          labelsFromPoints(options),
                          options.decorated ? std::optional<std::string>("Day") : std::nullopt, kit::Font::caption(),
                          kit::Color::primary(), std::nullopt, sweepGrid(), YAxisLabelPosistion::leading,
                          kit::Font::caption(), kit::Color::primary(), 5, YAxisLabelType::numeric,
                          options.decorated ? std::optional<std::string>("Sales") : std::nullopt, kit::Font::caption(),
                          kit::Color::primary(), std::nullopt,
                          options.negative ? Baseline::minimumValue() : Baseline::zero(), Topline::maximumValue(),
                          kit::Animation::linear(0.3));
}

inline ExtraLineStyle sweepExtraStyle(ExtraLineStyle::SpacingType spacing)
{
    return ExtraLineStyle{
        .lineColour = ColourStyle(kit::Color::purple()),
        .lineType = LineType::line,
        .lineSpacing = spacing,
        .markerType = LineMarkerType::none(),
        .strokeStyle = Stroke(2, kit::LineCap::round, kit::LineJoin::round, 10, {}, 0),
        .pointStyle = PointStyle{6, kit::Color::purple(), kit::Color::white(), 1, PointType::filled,
                                 PointShape::circle},
        .yAxisTitle = "Target",
        .yAxisNumberOfLabels = 3,
        .animationType = ExtraLineStyle::AnimationType::draw,
        .baseline = Baseline::minimumValue(),
        .topLine = Topline::maximumValue(),
    };
}

// Targets for the extra line, one per category, rising from 1,000 to 5,000.
inline std::vector<ExtraLineDataPoint> targets(int n)
{
    std::vector<ExtraLineDataPoint> points;
    for (int i = 0; i < n; ++i)
        points.emplace_back(1000.0 + 4000.0 * (n == 1 ? 1.0 : double(i) / double(n - 1)), std::nullopt, std::nullopt);
    return points;
}

// `chart` (the chart view of `data`) with every decoration a user of a chart
// with axes composes, in the order the README gives.
// The trend line and the value marker stand within the chart's values.
template <class ChartData>
kit::View decorateAxes(const kit::View& chart, const std::shared_ptr<ChartData>& data, const Options& options,
                       int categories, ExtraLineStyle::SpacingType spacing)
{
    const double lowest = data->minValue(), range = data->range();
    kit::View view = applyTouchOverlay(chart, data, 0, "%.0f", nullptr, TouchUnit::none());
    view = applyLinearTrendLine(view, data, lowest + 0.3 * range, lowest + 0.8 * range,
                                ColourStyle(kit::Color::green()), kit::StrokeStyle{.lineWidth = 2});
    view = applyYAxisPOI(view, data, "Goal", lowest + 0.7 * range, DisplayValue::center("%.0f", nullptr),
                         kit::Font::caption(), kit::Color::primary(), kit::Color::windowBackground(), kit::Color::red(),
                         std::nullopt, kit::StrokeStyle{.lineWidth = 2});
    view = applyXAxisPOI(view, data, "Peak", categories / 2, categories, kit::Color::orange(), std::nullopt,
                         kit::StrokeStyle{.lineWidth = 2});
    view = applyExtraLine(
        view, data, "Target", [categories] { return targets(categories); },
        [spacing] { return sweepExtraStyle(spacing); });
    view = applyXAxisGrid(view, data);
    view = applyYAxisGrid(view, data);
    view = applyXAxisLabels(view, data);
    view = applyYAxisLabels(view, data, "%.0f");
    view = applyExtraYAxisLabels(view, data, "%.0f", AxisColour::style(8));
    view = options.fixedInfoBox ? applyInfoBox(view, data, 70) : applyFloatingInfoBox(view, data);
    view = applyHeaderBox(view, data);
    return applyLegends(view, data, {kit::GridItem::flexible(), kit::GridItem::flexible()}, 40, kit::Font::caption(),
                        kit::Color::primary(), 12);
}

// The bare chart's own axis labels: a chart with axes shows its labels even
// without the other decorations.
template <class ChartData>
kit::View axesOnly(const kit::View& chart, const std::shared_ptr<ChartData>& data)
{
    return applyYAxisLabels(applyXAxisLabels(chart, data), data, "%.0f");
}

template <class ChartData>
void fillAxisFacts(Chart& c, const std::shared_ptr<ChartData>& data, const Options& options, int categories, bool extra)
{
    c.categories = categories;
    std::weak_ptr<ChartData> weak = data;
    c.valueAxis = [weak] {
        const auto d = weak.lock();
        return std::pair<double, double>{d->minValue(), d->range()};
    };
    c.valueLabels = 5;
    if (extra && options.decorated) {
        double lowest = kit::infinity, highest = -kit::infinity;
        for (const ExtraLineDataPoint& p : targets(categories)) {
            lowest = std::min(lowest, p.value);
            highest = std::max(highest, p.value);
        }
        c.extraAxis = std::pair<double, double>{lowest, highest};
        c.extraLabels = 3;
    }
    c.keepAlive = data;
}

inline std::vector<BarChartDataPoint> barPoints(const std::vector<double>& v, const Options& options)
{
    std::vector<BarChartDataPoint> points;
    const int n = int(v.size());
    for (int i = 0; i < n; ++i)
        points.emplace_back(v[std::size_t(i)], categoryName(i, options, n), "Day " + std::to_string(i + 1),
                            std::nullopt, ColourStyle(seriesColour(0)));
    return points;
}

inline BarStyle sweepBar()
{
    return BarStyle(0.6, 4, 4, 0, 0, ColourFrom::barStyle, ColourStyle(seriesColour(0)));
}

inline std::vector<GroupingData> sweepGroups()
{
    return {GroupingData("North", ColourStyle(seriesColour(0))), GroupingData("South", ColourStyle(seriesColour(1))),
            GroupingData("West", ColourStyle(seriesColour(2)))};
}

template <class Sets>
Sets clusters(int categories, const Options& options)
{
    using Set = typename Sets::DataSet;
    const std::vector<GroupingData> groups = sweepGroups();
    std::vector<std::vector<double>> series;
    for (std::size_t g = 0; g < groups.size(); ++g)
        series.push_back(values(categories, options.negative, double(g) * 7));
    std::vector<Set> sets;
    for (int k = 0; k < categories; ++k) {
        std::vector<typename Set::DataPoint> points;
        for (std::size_t g = 0; g < groups.size(); ++g) {
            const double v = series[g][std::size_t(k)];
            points.emplace_back(options.negative ? v : std::abs(v) / 3 + 1, categoryName(k, options, categories),
                                std::nullopt, groups[g]);
        }
        sets.emplace_back(std::move(points), categoryName(k, options, categories));
    }
    return Sets(std::move(sets));
}

inline std::vector<PieChartDataPoint> slicePoints(int n)
{
    static const char* languages[] = {"C++", "Python", "JavaScript", "Go", "Rust", "Shell", "Java", "C", "Ruby", "Lua"};
    std::vector<PieChartDataPoint> points;
    for (int i = 0; i < n; ++i) {
        const std::string name = i < 10 ? languages[i] : "Language " + std::to_string(i + 1);
        points.emplace_back(1000.0 / double(i + 1) + 5, name, std::nullopt, seriesColour(i), OverlayType::none());
    }
    return points;
}

inline PieChartStyle sweepPieStyle()
{
    return PieChartStyle(InfoBoxPlacement::header(), InfoBoxAlignment::vertical, kit::Font::title3(),
                         kit::Color::primary(), kit::Font::caption(), kit::Color::secondary(),
                         kit::Color::windowBackground(), kit::Color::clear(), kit::StrokeStyle{},
                         kit::Animation::easeInOut(0.3));
}

template <class ChartData>
kit::View decoratePie(const kit::View& chart, const std::shared_ptr<ChartData>& data)
{
    kit::View view = applyTouchOverlay(chart, data, 0, "%.0f", nullptr, TouchUnit::none());
    view = applyHeaderBox(view, data);
    return applyLegends(view, data, {kit::GridItem::flexible(), kit::GridItem::flexible()}, 40, kit::Font::caption(),
                        kit::Color::primary(), 12);
}

// `kind` at density `n` (bars, points or slices).
inline Chart makeChart(Kind kind, int n, const Options& options = {})
{
    Chart c;
    c.kind = kind;
    c.name = nameOf(kind) + ", " + std::to_string(n) + (options.decorated ? " points, decorated" : " points, bare");
    const ChartMetadata metadata = sweepMetadata(options);
    const auto label = [options](int count) {
        return [options, count](int i) { return categoryName(i, options, count); };
    };
    using Spacing = ExtraLineStyle::SpacingType;
    const auto axes = [&](const kit::View& chart, const auto& data, int categories, Spacing spacing) {
        fillAxisFacts(c, data, options, categories, true);
        c.view = options.decorated ? decorateAxes(chart, data, options, categories, spacing) : axesOnly(chart, data);
    };
    switch (kind) {
    case Kind::bar: {
        auto data = std::make_shared<BarChartData>(BarDataSet(barPoints(values(n, options.negative), options), "Sales"),
                                                   metadata, std::nullopt, std::nullopt, sweepBar(),
                                                   sweepBarStyle(options), kit::Text("No data"));
        axes(plotted(BarChart(data)), data, n, Spacing::bar);
        c.categoryLabel = label(n);
        break;
    }
    case Kind::horizontal: {
        auto data = std::make_shared<HorizontalBarChartData>(BarDataSet(barPoints(values(n, options.negative), options),
                                                                        "Sales"),
                                                             metadata, std::nullopt, std::nullopt, sweepBar(),
                                                             sweepBarStyle(options), kit::Text("No data"));
        fillAxisFacts(c, data, options, n, false);
        c.view = options.decorated ? decorateAxes(plotted(HorizontalBarChart(data)), data, options, n, Spacing::bar)
                                   : axesOnly(plotted(HorizontalBarChart(data)), data);
        c.categoryLabel = label(n);
        break;
    }
    case Kind::rangedBar: {
        std::vector<RangedBarDataPoint> points;
        const std::vector<double> v = values(n, options.negative);
        for (int i = 0; i < n; ++i)
            points.emplace_back(v[std::size_t(i)] - 12, v[std::size_t(i)] + 8, categoryName(i, options, n),
                                "Day " + std::to_string(i + 1), std::nullopt, ColourStyle(seriesColour(0)));
        auto data = std::make_shared<RangedBarChartData>(RangedBarDataSet(std::move(points), "Range"), metadata,
                                                         std::nullopt, std::nullopt, sweepBar(), sweepBarStyle(options),
                                                         kit::Text("No data"));
        axes(plotted(RangedBarChart(data)), data, n, Spacing::bar);
        c.categoryLabel = label(n);
        break;
    }
    case Kind::grouped: {
        const int k = std::max(1, (n + 2) / 3);
        auto data = std::make_shared<GroupedBarChartData>(clusters<GroupedBarDataSets>(k, options), sweepGroups(),
                                                          metadata, std::nullopt, std::nullopt, sweepBar(),
                                                          sweepBarStyle(options), kit::Text("No data"));
        axes(plotted(GroupedBarChart(data, 10)), data, k, Spacing::bar);
        c.categoryLabel = label(k);
        break;
    }
    case Kind::stacked: {
        const int k = std::max(1, (n + 2) / 3);
        auto data = std::make_shared<StackedBarChartData>(clusters<StackedBarDataSets>(k, options), sweepGroups(),
                                                          metadata, std::nullopt, std::nullopt, sweepBar(),
                                                          sweepBarStyle(options), kit::Text("No data"));
        axes(plotted(StackedBarChart(data)), data, k, Spacing::bar);
        c.categoryLabel = label(k);
        break;
    }
    case Kind::line:
    case Kind::filledLine: {
        std::vector<LineChartDataPoint> points;
        const std::vector<double> v = values(n, options.negative);
        for (int i = 0; i < n; ++i)
            points.emplace_back(v[std::size_t(i)], categoryName(i, options, n), "Day " + std::to_string(i + 1));
        LineDataSet set(std::move(points), "Sales",
                        PointStyle{5, seriesColour(0), kit::Color::white(), 1, PointType::filled, PointShape::circle},
                        LineStyle(ColourStyle(seriesColour(0)), LineType::line, defaultStroke(), false));
        auto data = std::make_shared<LineChartData>(std::move(set), metadata, std::nullopt, std::nullopt,
                                                    sweepLineStyle(options), kit::Text("No data"));
        const kit::View chart = kind == Kind::line ? applyPointMarkers(plotted(LineChart(data)), data)
                                                   : applyFilledTopLine(plotted(FilledLineChart(data)), data,
                                                                        ColourStyle(seriesColour(0)),
                                                                        kit::StrokeStyle{.lineWidth = 2});
        axes(chart, data, n, Spacing::line);
        c.pointsAtEnds = true;
        c.categoryLabel = label(n);
        break;
    }
    case Kind::multiLine: {
        std::vector<LineDataSet> sets;
        for (int s = 0; s < 2; ++s) {
            std::vector<LineChartDataPoint> points;
            const std::vector<double> v = values(n, options.negative, 13.0 * s);
            for (int i = 0; i < n; ++i)
                points.emplace_back(v[std::size_t(i)], categoryName(i, options, n), "Day " + std::to_string(i + 1));
            sets.emplace_back(std::move(points), s == 0 ? "North" : "South",
                              PointStyle{5, seriesColour(s), kit::Color::white(), 1, PointType::filled,
                                         PointShape::circle},
                              LineStyle(ColourStyle(seriesColour(s)), LineType::curvedLine, defaultStroke(), false));
        }
        auto data = std::make_shared<MultiLineChartData>(MultiLineDataSet(std::move(sets)), metadata, std::nullopt,
                                                         std::nullopt, sweepLineStyle(options), kit::Text("No data"));
        axes(plotted(MultiLineChart(data)), data, n, Spacing::line);
        c.pointsAtEnds = true;
        c.categoryLabel = label(n);
        break;
    }
    case Kind::rangedLine: {
        std::vector<RangedLineChartDataPoint> points;
        const std::vector<double> v = values(n, options.negative);
        for (int i = 0; i < n; ++i)
            points.emplace_back(v[std::size_t(i)], v[std::size_t(i)] + 10, v[std::size_t(i)] - 10,
                                categoryName(i, options, n), "Day " + std::to_string(i + 1));
        RangedLineDataSet set(std::move(points), "Forecast", "Range",
                              PointStyle{5, seriesColour(0), kit::Color::white(), 1, PointType::filled,
                                         PointShape::circle},
                              RangedLineStyle(ColourStyle(seriesColour(0)), ColourStyle(seriesColour(0).opacity(0.2)),
                                              LineType::line, defaultStroke(), false));
        auto data = std::make_shared<RangedLineChartData>(std::move(set), metadata, std::nullopt, std::nullopt,
                                                          sweepLineStyle(options), kit::Text("No data"));
        axes(plotted(RangedLineChart(data)), data, n, Spacing::line);
        c.pointsAtEnds = true;
        c.categoryLabel = label(n);
        break;
    }
    case Kind::pie: {
        auto data = std::make_shared<PieChartData>(PieDataSet(slicePoints(n), "Languages"), metadata, sweepPieStyle(),
                                                   kit::Text("No data"));
        c.view = options.decorated ? decoratePie(plotted(PieChart(data)), data) : plotted(PieChart(data));
        c.keepAlive = data;
        break;
    }
    case Kind::doughnut: {
        const PieChartStyle s = sweepPieStyle();
        auto data = std::make_shared<DoughnutChartData>(
            PieDataSet(slicePoints(n), "Languages"), metadata,
            DoughnutChartStyle(s.infoBoxPlacement, s.infoBoxContentAlignment, s.infoBoxValueFont, s.infoBoxValueColour,
                               s.infoBoxDescriptionFont, s.infoBoxDescriptionColour, s.infoBoxBackgroundColour,
                               s.infoBoxBorderColour, s.infoBoxBorderStyle, s.globalAnimation, 30),
            kit::Text("No data"));
        c.view = options.decorated ? decoratePie(plotted(DoughnutChart(data)), data) : plotted(DoughnutChart(data));
        c.keepAlive = data;
        break;
    }
    }
    return c;
}

} // namespace charts::sweep
