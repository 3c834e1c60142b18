#pragma once

// Shared helpers for the decoration tests: small charts with axes whose
// touched points and layout record the tests set by hand, and readers of
// the items a host draws.

#include "tests/charts/core/ChartViewTest.h"
#include "tests/charts/core/TestExtraLine.h"

#include "charts/axes/LineBarChartDataObject.h"
#include "charts/bar/BarGeometry.h"

#include <memory>
#include <vector>

namespace charts::testing {

// A chart with axes whose categories run down its height: it places its
// floating box along the height, as the horizontal bar chart does.
class TestHorizontalChart : public TestAxisChart, public isHorizontal {
public:
    using TestAxisChart::TestAxisChart;
    double infoBoxPosition(double touch, const kit::Rect& box, const kit::Rect& chart) const override
    {
        return infoBoxVerticalPosition(touch, box, chart);
    }
};

// A chart with axes over `values`, its info-box texts in a size-10 font
// (6 points a character, 12 high) and its box placed by `placement`.
template <class Chart = TestAxisChart>
std::shared_ptr<Chart> axisChart(const std::vector<double>& values, InfoBoxPlacement placement)
{
    std::vector<TestPoint> points;
    for (double v : values)
        points.emplace_back(v, "Bar");
    auto chart = std::make_shared<Chart>(std::move(points));
    chart->chartStyle.modify([&](auto& style) {
        style.infoBoxPlacement = placement;
        style.infoBoxValueFont = kit::Font::system(10);
        style.infoBoxDescriptionFont = kit::Font::system(10);
    });
    return chart;
}

// Records a touch by hand: the touch flag, where, the chart's frame and the
// touched points.
template <class Chart>
void touch(Chart& chart, kit::Point location, const kit::Rect& frame, std::vector<typename Chart::DataPoint> points,
           bool current = true)
{
    chart.infoView.modify([&](auto& info) {
        info.isTouchCurrent = current;
        info.touchLocation = location;
        info.chartSize = frame;
        info.touchOverlayInfo = std::move(points);
    });
}

inline kit::RGBA paintOf(const kit::DisplayItem& item)
{
    const auto* colour = std::get_if<kit::Color>(&item.paint);
    return colour ? colour->resolved() : kit::RGBA{};
}

// The fill or stroke items painted in `colour`, in drawing order, that draw
// something.
inline std::vector<const kit::DisplayItem*> itemsPainted(kit::ViewHost& host, kit::Color colour,
                                                         kit::DisplayItem::Kind kind)
{
    std::vector<const kit::DisplayItem*> found;
    for (const kit::DisplayItem& item : host.displayList().items)
        if (item.kind == kind && !item.path.isEmpty() && paintOf(item) == colour.resolved())
            found.push_back(&item);
    return found;
}

// The index in the display list of the first item painted in `colour`; -1 when none is.
inline int drawingOrderOf(kit::ViewHost& host, kit::Color colour)
{
    const auto& items = host.displayList().items;
    for (std::size_t i = 0; i < items.size(); ++i)
        if (!items[i].path.isEmpty() && paintOf(items[i]) == colour.resolved())
            return static_cast<int>(i);
    return -1;
}

// An extra line of `values` with the given colour and style changes.
inline ExtraLineStyle extraStyle(ColourStyle colour, LineType type = LineType::line,
                                 ExtraLineStyle::SpacingType spacing = ExtraLineStyle::SpacingType::line)
{
    ExtraLineStyle style = extraLineStyle(LineMarkerType::none(), Baseline::minimumValue(), Topline::maximumValue(),
                                          type, spacing);
    style.lineColour = std::move(colour);
    return style;
}

inline std::vector<ExtraLineDataPoint> extraPoints(const std::vector<double>& values)
{
    std::vector<ExtraLineDataPoint> points;
    for (double v : values)
        points.emplace_back(v, std::nullopt, std::nullopt);
    return points;
}

} // namespace charts::testing
