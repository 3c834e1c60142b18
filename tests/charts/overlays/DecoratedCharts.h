#pragma once

// A bar chart and a line chart carrying every decoration at once: header,
// legends, axis labels with titles, grids, two points of interest, a
// floating info box, a trend line and an extra line with its own labels.
// Each decoration draws in a colour of its own, so that a test can tell
// them apart in the display list and in pixels. Shared by the gallery test
// and the decorated-chart benchmark.

#include "charts/axes/AxisGrid.h"
#include "charts/axes/XAxisLabels.h"
#include "charts/axes/YAxisLabels.h"
#include "charts/bar/BarChart.h"
#include "charts/core/HeaderBox.h"
#include "charts/core/Legends.h"
#include "charts/core/TouchOverlay.h"
#include "charts/line/LineChart.h"
#include "charts/line/PointMarkers.h"
#include "charts/overlays/ExtraLine.h"
#include "charts/overlays/ExtraYAxisLabels.h"
#include "charts/overlays/InfoBoxes.h"
#include "charts/overlays/LinearTrendLine.h"
#include "charts/overlays/XAxisPOI.h"
#include "charts/overlays/YAxisPOI.h"

#include <memory>
#include <string>
#include <vector>

namespace charts::gallery {

// The colour of each decoration.
inline kit::Color barColour()
{
    return kit::Color::hsb(0.58, 0.8, 0.8);
} // the bars and the line
inline kit::Color gridColour()
{
    return kit::Color::hsb(0.08, 0.5, 0.55);
} // both grids
inline kit::Color goalColour()
{
    return kit::Color::hsb(0.0, 1, 0.85);
} // the value marker
inline kit::Color peakColour()
{
    return kit::Color::hsb(0.83, 1, 0.8);
} // the data-point marker
inline kit::Color trendColour()
{
    return kit::Color::hsb(0.33, 1, 0.6);
} // the trend line
inline kit::Color extraColour()
{
    return kit::Color::hsb(0.75, 0.9, 0.9);
} // the extra line
inline kit::Color extraFill()
{
    return kit::Color::hsb(0.15, 1, 1);
} // its markers
inline kit::Color boxColour()
{
    return kit::Color::hsb(0.5, 0.5, 0.6);
} // the info box

inline const std::vector<std::string>& quarters()
{
    static const std::vector<std::string> labels{"Q1", "Q2", "Q3", "Q4", "Q5", "Q6"};
    return labels;
}
inline const std::vector<double>& sales()
{
    static const std::vector<double> values{20, 45, 30, 70, 55, 90};
    return values;
}

inline ChartMetadata galleryMetadata(const std::string& title)
{
    return ChartMetadata(title, "By quarter", kit::Font::title3(), kit::Color::primary(), kit::Font::subheadline(),
                         kit::Color::secondary());
}

inline GridStyle galleryGrid()
{
    return GridStyle(4, gridColour(), 2, {}, 0);
}

inline std::shared_ptr<BarChartData> galleryBarData()
{
    std::vector<BarChartDataPoint> points;
    for (std::size_t i = 0; i < sales().size(); ++i)
        points.emplace_back(sales()[i], quarters()[i], "Quarter " + std::to_string(i + 1), std::nullopt,
                            ColourStyle(barColour()));
    BarChartStyle style(InfoBoxPlacement::floating(), InfoBoxAlignment::vertical, kit::Font::body(),
                        kit::Color::primary(), kit::Font::caption(), kit::Color::secondary(), boxColour(),
                        kit::Color::gray(), kit::StrokeStyle{}, BarMarkerType::none(), galleryGrid(),
                        XAxisLabelPosistion::bottom, kit::Font::caption(), kit::Color::primary(),
                        LabelsFrom::dataPoint(kit::Angle::zero()), "Quarter", kit::Font::caption(),
                        kit::Color::primary(), galleryGrid(), YAxisLabelPosistion::leading, kit::Font::caption(),
                        kit::Color::primary(), 5, YAxisLabelType::numeric, "Sales", kit::Font::caption(),
                        kit::Color::primary(), Baseline::zero(), Topline::maximumValue(), kit::Animation::linear(0.3));
    return std::make_shared<BarChartData>(BarDataSet(std::move(points), "Stores"), galleryMetadata("Store sales"),
                                          std::nullopt, std::nullopt,
                                          BarStyle(0.5, 0, 0, 0, 0, ColourFrom::barStyle, ColourStyle(barColour())),
                                          std::move(style), kit::Text("No data"));
}

inline std::shared_ptr<LineChartData> galleryLineData()
{
    std::vector<LineChartDataPoint> points;
    for (std::size_t i = 0; i < sales().size(); ++i)
        points.emplace_back(sales()[i], quarters()[i], "Quarter " + std::to_string(i + 1));
    LineChartStyle style(InfoBoxPlacement::floating(), InfoBoxAlignment::vertical, kit::Font::body(),
                         kit::Color::primary(), kit::Font::caption(), kit::Color::secondary(), boxColour(),
                         kit::Color::gray(), kit::StrokeStyle{}, LineMarkerType::none(), galleryGrid(),
                         XAxisLabelPosistion::bottom, kit::Font::caption(), kit::Color::primary(),
                         LabelsFrom::dataPoint(kit::Angle::zero()), "Quarter", kit::Font::caption(),
                         kit::Color::primary(), std::nullopt, galleryGrid(), YAxisLabelPosistion::leading,
                         kit::Font::caption(), kit::Color::primary(), 5, YAxisLabelType::numeric, "Sales",
                         kit::Font::caption(), kit::Color::primary(), std::nullopt, Baseline::zero(),
                         Topline::maximumValue(), kit::Animation::linear(0.3));
    LineDataSet set(std::move(points), "Stores",
                    PointStyle{6, barColour(), kit::Color::white(), 2, PointType::filled, PointShape::circle},
                    LineStyle(ColourStyle(barColour()), LineType::line, defaultStroke(), false));
    return std::make_shared<LineChartData>(std::move(set), galleryMetadata("Store revenue"), std::nullopt, std::nullopt,
                                           std::move(style), kit::Text("No data"));
}

// The extra line: targets from 1000 to 5000 on an axis of their own, with
// filled markers, spaced like the chart's own points.
inline ExtraLineStyle targetStyle(ExtraLineStyle::SpacingType spacing)
{
    return ExtraLineStyle{
        .lineColour = ColourStyle(extraColour()),
        .lineType = LineType::line,
        .lineSpacing = spacing,
        .markerType = LineMarkerType::none(),
        .strokeStyle = Stroke(3, kit::LineCap::round, kit::LineJoin::round, 10, {}, 0),
        .pointStyle = PointStyle{8, extraColour(), extraFill(), 1, PointType::filled, PointShape::circle},
        .yAxisTitle = "Target units",
        .yAxisNumberOfLabels = 3,
        .animationType = ExtraLineStyle::AnimationType::draw,
        .baseline = Baseline::minimumValue(),
        .topLine = Topline::maximumValue(),
    };
}

inline std::vector<ExtraLineDataPoint> targets()
{
    std::vector<ExtraLineDataPoint> points;
    for (double v : {1000.0, 3000.0, 2000.0, 4000.0, 3000.0, 5000.0})
        points.emplace_back(v, std::nullopt, std::nullopt);
    return points;
}

// `chart` (the chart view of `data`) with every decoration.
template <LineBarChartDataObject ChartData>
kit::View decorated(const kit::View& chart, const std::shared_ptr<ChartData>& data, ExtraLineStyle::SpacingType spacing)
{
    kit::View view = applyTouchOverlay(chart, data, 0, "%.0f", nullptr, TouchUnit::none());
    view = applyLinearTrendLine(view, data, 20, 90, ColourStyle(trendColour()), kit::StrokeStyle{.lineWidth = 3});
    view = applyYAxisPOI(view, data, "Goal", 60, DisplayValue::center("%.0f", nullptr), kit::Font::caption(),
                         kit::Color::primary(), kit::Color::windowBackground(), goalColour(), std::nullopt,
                         kit::StrokeStyle{.lineWidth = 3});
    view = applyXAxisPOI(view, data, "Peak", 3, static_cast<std::int64_t>(sales().size()), peakColour(), std::nullopt,
                         kit::StrokeStyle{.lineWidth = 3});
    view = applyExtraLine(view, data, "Target", targets, [spacing] { return targetStyle(spacing); });
    view = applyXAxisGrid(view, data);
    view = applyYAxisGrid(view, data);
    view = applyXAxisLabels(view, data);
    view = applyYAxisLabels(view, data, "%.0f");
    view = applyExtraYAxisLabels(view, data, "%.0f", AxisColour::style(8));
    view = applyFloatingInfoBox(view, data);
    view = applyHeaderBox(view, data);
    return applyLegends(view, data, {kit::GridItem::flexible(), kit::GridItem::flexible()}, 40, kit::Font::caption(),
                        kit::Color::primary(), 12)
        .padding(24);
}

inline kit::View decoratedBarChart(const std::shared_ptr<BarChartData>& data)
{
    return decorated(BarChart(data), data, ExtraLineStyle::SpacingType::bar);
}

inline kit::View decoratedLineChart(const std::shared_ptr<LineChartData>& data)
{
    return decorated(applyPointMarkers(LineChart(data), data), data, ExtraLineStyle::SpacingType::line);
}

} // namespace charts::gallery
