#pragma once

// Shared helpers for the bar chart views' tests: the five chart views,
// colours that tell their bars apart, and readers of the bars a host draws.

#include "BarTest.h"

#include "charts/bar/BarChart.h"
#include "charts/bar/GroupedBarChart.h"
#include "charts/bar/HorizontalBarChart.h"
#include "charts/bar/RangedBarChart.h"
#include "charts/bar/StackedBarChart.h"

#include <vector>

namespace charts::testing {

// Fixed colours, so that the display list holds them as they are.
inline const kit::Color teal = kit::Color::rgb(0, 0.5, 0.5);
inline const kit::Color plum = kit::Color::rgb(0.5, 0, 0.5);
inline const kit::Color olive = kit::Color::rgb(0.5, 0.5, 0);

// The bar style of the view tests: the given width and colour source,
// teal bars unless given another colour, square corners unless given radii.
inline BarStyle barsOf(double barWidth, ColourFrom from = ColourFrom::barStyle, ColourStyle colour = ColourStyle(teal),
                       CornerRadius radius = {})
{
    return BarStyle(barWidth, radius.topLeft, radius.topRight, radius.bottomLeft, radius.bottomRight, from,
                    std::move(colour));
}

// Groups drawn in the three fixed colours.
inline std::vector<GroupingData> fixedGroups()
{
    return {GroupingData("Teal", ColourStyle(teal)), GroupingData("Plum", ColourStyle(plum)),
            GroupingData("Olive", ColourStyle(olive))};
}

inline bool sameColour(const kit::Paint& paint, const kit::Color& colour)
{
    const auto* c = std::get_if<kit::Color>(&paint);
    return c && c->components() == colour.resolved();
}

// The fill items drawn in `colour`, in drawing order.
inline std::vector<const kit::DisplayItem*> fillsIn(kit::ViewHost& host, const kit::Color& colour)
{
    std::vector<const kit::DisplayItem*> found;
    for (const kit::DisplayItem& item : host.displayList().items)
        if (item.kind == kit::DisplayItem::Kind::fill && sameColour(item.paint, colour))
            found.push_back(&item);
    return found;
}

// The host rectangles of the fills drawn in `colour`, in drawing order.
inline std::vector<kit::Rect> rectsIn(kit::ViewHost& host, const kit::Color& colour)
{
    std::vector<kit::Rect> rects;
    for (const kit::DisplayItem* item : fillsIn(host, colour))
        rects.push_back(pathBounds(*item));
    return rects;
}

// The near-invisible backgrounds, in drawing order.
inline std::vector<kit::Rect> backgrounds(kit::ViewHost& host)
{
    return rectsIn(host, kit::Color::grayFixed().opacity(1e-9));
}

inline void expectRects(const std::vector<kit::Rect>& actual, const std::vector<kit::Rect>& expected,
                        double tolerance = 1e-9)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
        SCOPED_TRACE(::testing::Message() << "rect " << i);
        EXPECT_NEAR(actual[i].minX(), expected[i].minX(), tolerance) << "minX";
        EXPECT_NEAR(actual[i].minY(), expected[i].minY(), tolerance) << "minY";
        EXPECT_NEAR(actual[i].width(), expected[i].width(), tolerance) << "width";
        EXPECT_NEAR(actual[i].height(), expected[i].height(), tolerance) << "height";
    }
}

} // namespace charts::testing
