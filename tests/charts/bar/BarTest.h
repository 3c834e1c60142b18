#pragma once

// Shared helpers for the bar chart-data tests: styles, points and the five
// chart-data classes made from plain values.

#include "tests/charts/core/ChartViewTest.h"
#include "tests/charts/core/TestExtraLine.h"

#include "charts/bar/BarChartData.h"
#include "charts/bar/GroupedBarChartData.h"
#include "charts/bar/HorizontalBarChartData.h"
#include "charts/bar/RangedBarChartData.h"
#include "charts/bar/StackedBarChartData.h"

#include <memory>
#include <string>
#include <vector>

namespace charts::testing {

inline ChartMetadata barMetadata()
{
    return ChartMetadata("Sales", "By month", kit::Font::title(), kit::Color::primary(), kit::Font::body(),
                         kit::Color::secondary());
}

// A chart style of the given value range, marker and label sources; x-axis
// labels in a size-10 font (6 points a character, 12 high with the fixed
// metrics), y-axis labels in a size-5 font (3 points a character, 6 high).
inline BarChartStyle
barChartStyle(Baseline baseline = Baseline::minimumValue(), Topline topLine = Topline::maximumValue(),
              BarMarkerType marker = BarMarkerType::full(kit::Color::red(), kit::StrokeStyle{.lineWidth = 2}),
              LabelsFrom labelsFrom = LabelsFrom::dataPoint(kit::Angle::zero()))
{
    const GridStyle grid(4, kit::Color::gray(), 1, {}, 0);
    return BarChartStyle(InfoBoxPlacement::floating(), InfoBoxAlignment::vertical, kit::Font::body(),
                         kit::Color::primary(), kit::Font::caption(), kit::Color::secondary(), kit::Color::white(),
                         kit::Color::gray(), kit::StrokeStyle{}, std::move(marker), grid, XAxisLabelPosistion::bottom,
                         kit::Font::system(10), kit::Color::blue(), labelsFrom, std::nullopt, kit::Font::caption(),
                         kit::Color::primary(), grid, YAxisLabelPosistion::leading, kit::Font::system(5),
                         kit::Color::green(), 5, YAxisLabelType::numeric, std::nullopt, kit::Font::caption(),
                         kit::Color::primary(), baseline, topLine, kit::Animation::easeInOut(0.3));
}

inline BarStyle barStyle(ColourFrom from = ColourFrom::barStyle, ColourStyle colour = ColourStyle(kit::Color::orange()))
{
    return BarStyle(0.5, 0, 0, 0, 0, from, std::move(colour));
}

// Bars "Bar 0", "Bar 1", ... (labels "L0", "L1", ...) of the given values.
inline std::vector<BarChartDataPoint> bars(const std::vector<double>& values)
{
    std::vector<BarChartDataPoint> points;
    for (std::size_t i = 0; i < values.size(); ++i)
        points.emplace_back(values[i], "L" + std::to_string(i), "Bar " + std::to_string(i), std::nullopt,
                            ColourStyle(kit::Color::hsb(double(i) / 10, 1, 1)));
    return points;
}

inline std::vector<RangedBarDataPoint> ranges(const std::vector<std::pair<double, double>>& lowerUpper)
{
    std::vector<RangedBarDataPoint> points;
    for (std::size_t i = 0; i < lowerUpper.size(); ++i)
        points.emplace_back(lowerUpper[i].first, lowerUpper[i].second, "R" + std::to_string(i),
                            "Range " + std::to_string(i), std::nullopt,
                            ColourStyle(kit::Color::hsb(double(i) / 10, 1, 1)));
    return points;
}

// Clusters or stacks of the given values, titled "Set 0", "Set 1", ...;
// the k-th point of every set belongs to group k.
template <class Sets>
Sets multiSets(const std::vector<std::vector<double>>& values, const std::vector<GroupingData>& groups)
{
    using Set = typename Sets::DataSet;
    std::vector<Set> sets;
    for (std::size_t s = 0; s < values.size(); ++s) {
        std::vector<typename Set::DataPoint> points;
        for (std::size_t k = 0; k < values[s].size(); ++k)
            points.emplace_back(values[s][k], "Point " + std::to_string(k), std::nullopt, groups.at(k % groups.size()));
        sets.emplace_back(std::move(points), "Set " + std::to_string(s));
    }
    return Sets(std::move(sets));
}

inline std::vector<GroupingData> threeGroups()
{
    return {GroupingData("Red", ColourStyle(kit::Color::red())),
            GroupingData("Green", ColourStyle(kit::Color::green())),
            GroupingData("Blue", ColourStyle(kit::Color::blue()))};
}

inline std::shared_ptr<BarChartData> barData(const std::vector<double>& values, BarChartStyle style = barChartStyle(),
                                             BarStyle bar = barStyle())
{
    return std::make_shared<BarChartData>(BarDataSet(bars(values), "Sales"), barMetadata(), std::nullopt, std::nullopt,
                                          std::move(bar), std::move(style), kit::Text("No data"));
}

inline std::shared_ptr<HorizontalBarChartData>
horizontalData(const std::vector<double>& values, BarChartStyle style = barChartStyle(), BarStyle bar = barStyle())
{
    return std::make_shared<HorizontalBarChartData>(BarDataSet(bars(values), "Sales"), barMetadata(), std::nullopt,
                                                    std::nullopt, std::move(bar), std::move(style),
                                                    kit::Text("No data"));
}

inline std::shared_ptr<RangedBarChartData> rangedData(const std::vector<std::pair<double, double>>& lowerUpper,
                                                      BarChartStyle style = barChartStyle(), BarStyle bar = barStyle())
{
    return std::make_shared<RangedBarChartData>(RangedBarDataSet(ranges(lowerUpper), "Ranges"), barMetadata(),
                                                std::nullopt, std::nullopt, std::move(bar), std::move(style),
                                                kit::Text("No data"));
}

inline std::shared_ptr<GroupedBarChartData> groupedData(const std::vector<std::vector<double>>& values,
                                                        BarChartStyle style = barChartStyle(),
                                                        std::vector<GroupingData> groups = threeGroups(),
                                                        BarStyle bar = barStyle())
{
    auto sets = multiSets<GroupedBarDataSets>(values, groups);
    return std::make_shared<GroupedBarChartData>(std::move(sets), std::move(groups), barMetadata(), std::nullopt,
                                                 std::nullopt, std::move(bar), std::move(style), kit::Text("No data"));
}

inline std::shared_ptr<StackedBarChartData> stackedData(const std::vector<std::vector<double>>& values,
                                                        BarChartStyle style = barChartStyle(),
                                                        std::vector<GroupingData> groups = threeGroups(),
                                                        BarStyle bar = barStyle())
{
    auto sets = multiSets<StackedBarDataSets>(values, groups);
    return std::make_shared<StackedBarChartData>(std::move(sets), std::move(groups), barMetadata(), std::nullopt,
                                                 std::nullopt, std::move(bar), std::move(style), kit::Text("No data"));
}

// An extra line of the given values whose points are described "E0", "E1", ...
inline ExtraLineData describedExtraLine(const std::vector<double>& values)
{
    ExtraLineData line = extraLine(values, extraLineStyle());
    for (std::size_t i = 0; i < line.dataPoints.size(); ++i)
        line.dataPoints[i].pointDescription = "E" + std::to_string(i);
    return line;
}

template <class T>
std::size_t hashOf(const T& value)
{
    return std::hash<T>{}(value);
}

} // namespace charts::testing
