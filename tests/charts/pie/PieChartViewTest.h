#pragma once

// Shared helpers for the pie and doughnut chart view tests: chart data with
// one distinct colour per slice, and readers of the segments that a host
// draws.

#include "tests/charts/core/ChartViewTest.h"

#include "charts/pie/DoughnutChart.h"
#include "charts/pie/DoughnutSegmentShape.h"
#include "charts/pie/PieChart.h"
#include "charts/pie/PieSegmentShape.h"

#include <QImage>

#include <cmath>
#include <memory>
#include <numbers>
#include <optional>
#include <vector>

namespace charts::testing {

using std::numbers::pi;

// Slice i's colour: fully saturated and far enough from its neighbours to
// tell apart in pixels.
inline kit::Color sliceColour(int i)
{
    static const kit::Color colours[] = {
        kit::Color::rgb(1, 0, 0),     kit::Color::rgb(0, 0.6, 0),   kit::Color::rgb(0, 0, 1),
        kit::Color::rgb(1, 0.6, 0),   kit::Color::rgb(0.6, 0, 0.6), kit::Color::rgb(0, 0.6, 0.6),
        kit::Color::rgb(0.6, 0.6, 0), kit::Color::rgb(0.3, 0.3, 0.3), kit::Color::rgb(1, 0.4, 0.7),
        kit::Color::rgb(0.4, 0.2, 0)};
    return colours[i % 10];
}

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
    return ChartMetadata("Code breakdown", "By language", kit::Font::title(), kit::Color::primary(),
                         kit::Font::caption(), kit::Color::secondary());
}

inline PieChartStyle pieStyle()
{
    return PieChartStyle(InfoBoxPlacement::header(), InfoBoxAlignment::vertical, kit::Font::body(),
                         kit::Color::primary(), kit::Font::caption(), kit::Color::secondary(), kit::Color::white(),
                         kit::Color::gray(), kit::StrokeStyle{}, kit::Animation::easeInOut(0.3));
}

inline std::shared_ptr<PieChartData> pieData(std::vector<PieChartDataPoint> points)
{
    return std::make_shared<PieChartData>(PieDataSet(std::move(points), "Languages"), pieMetadata(), pieStyle(),
                                          kit::Text("No Data"));
}

inline std::shared_ptr<DoughnutChartData> doughnutData(std::vector<PieChartDataPoint> points, double strokeWidth)
{
    const PieChartStyle pie = pieStyle();
    DoughnutChartStyle style(pie.infoBoxPlacement, pie.infoBoxContentAlignment, pie.infoBoxValueFont,
                             pie.infoBoxValueColour, pie.infoBoxDescriptionFont, pie.infoBoxDescriptionColour,
                             pie.infoBoxBackgroundColour, pie.infoBoxBorderColour, pie.infoBoxBorderStyle,
                             pie.globalAnimation, strokeWidth);
    return std::make_shared<DoughnutChartData>(PieDataSet(std::move(points), "Languages"), pieMetadata(), style,
                                               kit::Text("No Data"));
}

// The fill and stroke items painted in a fixed colour, in drawing order.
inline std::vector<const kit::DisplayItem*> segmentItems(kit::ViewHost& host)
{
    std::vector<const kit::DisplayItem*> found;
    for (const kit::DisplayItem& item : host.displayList().items)
        if (item.kind == kit::DisplayItem::Kind::fill || item.kind == kit::DisplayItem::Kind::stroke)
            if (const auto* colour = std::get_if<kit::Color>(&item.paint); colour && !colour->isSemantic())
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

// Where an item's frame centre lands in the host.
inline kit::Point centreOf(const kit::DisplayItem& item) { return item.transform.apply(item.frame.center()); }

// Whether the pixel at (x, y) shows `colour` (premultiplied, opaque pixels
// only) or nothing at all.
inline bool pixelIs(const QImage& image, int x, int y, kit::Color colour)
{
    const QColor c = image.pixelColor(x, y);
    const kit::RGBA want = colour.components();
    return c.alpha() == 255 && std::abs(c.redF() - want.red) < 0.02 && std::abs(c.greenF() - want.green) < 0.02
        && std::abs(c.blueF() - want.blue) < 0.02;
}
inline bool pixelIsEmpty(const QImage& image, int x, int y) { return image.pixelColor(x, y).alpha() == 0; }

// The pixel at distance r from (cx, cy) in direction `angle` (radians, clockwise from 3 o'clock).
inline std::pair<int, int> polar(double cx, double cy, double r, double angle)
{
    return {int(std::floor(cx + r * std::cos(angle))), int(std::floor(cy + r * std::sin(angle)))};
}

} // namespace charts::testing
