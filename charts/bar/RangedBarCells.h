#pragma once

#include "charts/bar/BarElementModifiers.h"
#include "charts/bar/BarFills.h"
#include "charts/bar/BarGeometry.h"
#include "charts/bar/RangedBarChartData.h"
#include "charts/bar/RoundedRectangleBarShape.h"
#include "kit/ui/GeometryReader.h"
#include "kit/ui/ObservedObject.h"
#include "kit/ui/State.h"

#include <concepts>
#include <memory>
#include <tuple>
#include <vector>

namespace charts {

// One floating bar of a ranged bar chart in its slot (`barSize`, the slot's
// frame in its own coordinates), painted with `Fill` (BarFills.h): what the
// three cells share.
//
// The bar is barWidth of the slot wide, centred, and spans on the chart's
// value axis (minValue over range) from its point's lower to its upper
// value, whichever is larger (rangedBarFrame): on a range not above 0 it
// lies at the bottom edge with height 0. Before it has started it has
// height 0 at the middle of its range, and it grows equally up and down
// when it appears, with the chart style's globalAnimation (at once when the
// chart data disables animation); it moves with the default animation when
// the data sets change. The slot lies on the near-invisible touchable
// background; the accessibility value is the point's value text
// ("lower-upper") in the chart's touch specifier and formatter.
template <class Fill, class ChartData>
requires std::derived_from<ChartData, RangedBarChartData>
struct RangedBarCell : Fill {
    kit::ObservedObject<ChartData> chartData;
    RangedBarDataPoint dataPoint;
    kit::Rect barSize;
    kit::State<bool> startAnimation{false};

    RangedBarCell(std::shared_ptr<ChartData> chartData, RangedBarDataPoint dataPoint, Fill fill, kit::Rect barSize)
        : Fill(std::move(fill)), chartData(std::move(chartData)), dataPoint(std::move(dataPoint)), barSize(barSize)
    {
    }

    auto dynamicFields() { return std::tie(chartData, startAnimation); }

    // The level of the bar's centre and its height in a slot `height` high.
    RangedBarFrame barFrame(double height) const
    {
        const ChartData& data = *chartData;
        return rangedBarFrame(dataPoint.lowerValue, dataPoint.upperValue, data.minValue(), data.range(), height,
                              data.disableAnimation || *startAnimation);
    }

    kit::View body() const
    {
        const ChartData& data = *chartData;
        const RangedBarFrame bar = barFrame(barSize.height());
        const double barWidth = data.barStyle->barWidth;
        const double slotWidth = barSize.width();
        const RoundedRectangleBarShape shape = barShape(data.barStyle->cornerRadius);
        const kit::Paint fill = this->fill();
        const auto place = [bar, barWidth, slotWidth, shape, fill](const kit::GeometryProxy& proxy) {
            return shape.fill(fill)
                .frame(drawableLength(proxy.size.width * barWidth), bar.height)
                .position(slotWidth * 0.5, bar.centreY);
        };
        return dressedAsBar(kit::GeometryReader(place), data, dataPoint, startAnimation);
    }
};

// The cells in one colour, a gradient of evenly spread colours and a
// gradient of stops, made from the chart data, the point, the fill's
// members and the slot's frame.
template <class ChartData>
struct RangedBarChartColourCell : RangedBarCell<ColourFill, ChartData> {
    RangedBarChartColourCell(std::shared_ptr<ChartData> chartData, RangedBarDataPoint dataPoint, kit::Color colour,
                             kit::Rect barSize)
        : RangedBarCell<ColourFill, ChartData>(std::move(chartData), std::move(dataPoint), {.colour = colour}, barSize)
    {
    }
};

template <class ChartData>
struct RangedBarChartColoursCell : RangedBarCell<ColoursFill, ChartData> {
    RangedBarChartColoursCell(std::shared_ptr<ChartData> chartData, RangedBarDataPoint dataPoint,
                              std::vector<kit::Color> colours, kit::UnitPoint startPoint, kit::UnitPoint endPoint,
                              kit::Rect barSize)
        : RangedBarCell<ColoursFill, ChartData>(
              std::move(chartData), std::move(dataPoint),
              {.colours = std::move(colours), .startPoint = startPoint, .endPoint = endPoint}, barSize)
    {
    }
};

template <class ChartData>
struct RangedBarChartStopsCell : RangedBarCell<StopsFill, ChartData> {
    RangedBarChartStopsCell(std::shared_ptr<ChartData> chartData, RangedBarDataPoint dataPoint,
                            std::vector<kit::Gradient::Stop> stops, kit::UnitPoint startPoint, kit::UnitPoint endPoint,
                            kit::Rect barSize)
        : RangedBarCell<StopsFill, ChartData>(
              std::move(chartData), std::move(dataPoint),
              {.stops = std::move(stops), .startPoint = startPoint, .endPoint = endPoint}, barSize)
    {
    }
};

} // namespace charts
