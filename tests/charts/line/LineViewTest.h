#pragma once

// Shared helpers for the line chart views' tests: colour styles of each
// kind, readers of the items a host draws (the painted lines, bands and
// areas, leaving out the near-invisible backgrounds and accessibility
// strips) and a recorder of layout notifications.

#include "LineTest.h"

#include "charts/line/FilledLineChart.h"
#include "charts/line/FilledTopLine.h"
#include "charts/line/LineChart.h"
#include "charts/line/MultiLineChart.h"
#include "charts/line/RangedLineChart.h"

#include <QImage>

#include <cmath>
#include <vector>

namespace charts::testing {

inline ColourStyle redToBlue()
{
    return ColourStyle({kit::Color::red(), kit::Color::blue()}, kit::UnitPoint::leading(), kit::UnitPoint::trailing());
}

// Blue from the top down to the middle, then red.
inline ColourStyle blueOverRed()
{
    return ColourStyle({GradientStop{kit::Color::red(), 1}, GradientStop{kit::Color::blue(), 0.5},
                        GradientStop{kit::Color::blue(), 0}, GradientStop{kit::Color::red(), 0.5}},
                       kit::UnitPoint::top(), kit::UnitPoint::bottom());
}

inline LineStyle strokedStyle(ColourStyle colour, Stroke stroke, LineType type = LineType::line,
                              bool ignoreZero = false)
{
    return LineStyle(std::move(colour), type, std::move(stroke), ignoreZero);
}

// The chart data with animation disabled, so every layer stands complete.
template <class ChartData>
std::shared_ptr<ChartData> still(std::shared_ptr<ChartData> data)
{
    data->disableAnimation = true;
    return data;
}

// The items that paint something visible, in drawing order.
inline std::vector<const kit::DisplayItem*> painted(kit::ViewHost& host)
{
    std::vector<const kit::DisplayItem*> items;
    for (const kit::DisplayItem& item : host.displayList().items)
        if ((item.kind == kit::DisplayItem::Kind::fill || item.kind == kit::DisplayItem::Kind::stroke) &&
            item.effectiveOpacity() > 1e-6)
            items.push_back(&item);
    return items;
}

// The near-invisible items (the backgrounds that take hits).
inline std::vector<const kit::DisplayItem*> invisible(kit::ViewHost& host)
{
    std::vector<const kit::DisplayItem*> items;
    for (const kit::DisplayItem& item : host.displayList().items)
        if (item.effectiveOpacity() <= 1e-6)
            items.push_back(&item);
    return items;
}

// A paint with its colours resolved in the light appearance, as the
// display list holds them.
inline kit::Color fixed(const kit::Color& colour)
{
    const kit::RGBA c = colour.resolved();
    return kit::Color::rgb(c.red, c.green, c.blue, c.alpha);
}

inline kit::Paint resolvedPaint(const kit::Paint& paint)
{
    if (const auto* colour = std::get_if<kit::Color>(&paint))
        return fixed(*colour);
    kit::LinearGradient gradient = std::get<kit::LinearGradient>(paint);
    std::vector<kit::Gradient::Stop> stops;
    for (const kit::Gradient::Stop& stop : gradient.gradient.stops())
        stops.push_back({fixed(stop.color), stop.location});
    gradient.gradient = kit::Gradient(stops);
    return gradient;
}

inline kit::RGBA colourOf(const kit::DisplayItem* item)
{
    return std::get<kit::Color>(item->paint).resolved();
}

// A path's points mapped to host coordinates.
inline kit::Path hostPath(const kit::DisplayItem* item)
{
    return item->path.applying(item->transform);
}

} // namespace charts::testing
