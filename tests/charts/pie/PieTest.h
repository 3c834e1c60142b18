#pragma once

// Shared helpers for the pie and doughnut tests: chart data with one
// distinct colour per slice, and readers of the segments a host draws.

#include "tests/charts/core/ChartViewTest.h"

#include "charts/pie/DoughnutChart.h"
#include "charts/pie/PieChart.h"
#include "charts/pie/SegmentShapes.h"

#include <QImage>

#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

namespace charts::testing {

using std::numbers::pi;

// Slice i's colour: saturated, and far enough from the others to tell apart in pixels.
inline kit::Color sliceColour(int i)
{
    return kit::Color::hsb((i % 10) / 10.0, 1, 0.9);
}

// Slices "Slice 0", "Slice 1", ... of the given values.
inline std::vector<PieChartDataPoint> slices(const std::vector<double>& values,
                                             const OverlayType& label = OverlayType::none())
{
    std::vector<PieChartDataPoint> points;
    for (std::size_t i = 0; i < values.size(); ++i)
        points.emplace_back(values[i], "Slice " + std::to_string(i), std::nullopt, sliceColour(int(i)), label);
    return points;
}

inline ChartMetadata pieMetadata()
{
    return ChartMetadata("Code breakdown", "By language", kit::Font::title3(), kit::Color::primary(),
                         kit::Font::subheadline(), kit::Color::secondary());
}

inline PieChartStyle pieStyle(InfoBoxPlacement placement)
{
    return PieChartStyle(placement, InfoBoxAlignment::vertical, kit::Font::body(), kit::Color::primary(),
                         kit::Font::caption(), kit::Color::secondary(), kit::Color::white(), kit::Color::gray(),
                         kit::StrokeStyle{}, kit::Animation::easeInOut(0.3));
}

inline std::shared_ptr<PieChartData> pieData(std::vector<PieChartDataPoint> points,
                                             InfoBoxPlacement placement = InfoBoxPlacement::header())
{
    return std::make_shared<PieChartData>(PieDataSet(std::move(points), "Languages"), pieMetadata(),
                                          pieStyle(placement), kit::Text("No Data"));
}

inline std::shared_ptr<DoughnutChartData> doughnutData(std::vector<PieChartDataPoint> points, double strokeWidth)
{
    const PieChartStyle s = pieStyle(InfoBoxPlacement::header());
    return std::make_shared<DoughnutChartData>(PieDataSet(std::move(points), "Languages"), pieMetadata(),
                                               DoughnutChartStyle(s.infoBoxPlacement, s.infoBoxContentAlignment,
                                                                  s.infoBoxValueFont, s.infoBoxValueColour,
                                                                  s.infoBoxDescriptionFont, s.infoBoxDescriptionColour,
                                                                  s.infoBoxBackgroundColour, s.infoBoxBorderColour,
                                                                  s.infoBoxBorderStyle, s.globalAnimation, strokeWidth),
                                               kit::Text("No Data"));
}

// The fill and stroke items painted in a slice colour, in drawing order.
inline std::vector<const kit::DisplayItem*> segmentItems(kit::ViewHost& host)
{
    std::vector<const kit::DisplayItem*> found;
    for (const kit::DisplayItem& item : host.displayList().items)
        if (const auto* colour = std::get_if<kit::Color>(&item.paint);
            colour && !colour->isSemantic() &&
            (item.kind == kit::DisplayItem::Kind::fill || item.kind == kit::DisplayItem::Kind::stroke))
            found.push_back(&item);
    return found;
}

// The segment of slice i (found by its colour), or null.
inline const kit::DisplayItem* segmentItem(kit::ViewHost& host, int i)
{
    for (const kit::DisplayItem* item : segmentItems(host))
        if (std::get<kit::Color>(item->paint).components() == sliceColour(i).components())
            return item;
    return nullptr;
}

// Whether the pixel at distance r from (cx, cy) in direction `angle`
// (radians, clockwise from 3 o'clock) is opaque in `colour`, or, without a
// colour, empty.
inline bool pixelIs(const QImage& image, double cx, double cy, double r, double angle, std::optional<kit::Color> colour)
{
    return pixelIs(image, cx + r * std::cos(angle), cy + r * std::sin(angle), colour);
}

} // namespace charts::testing
