#include "charts/core/AccessibilityRectangle.h"
#include "charts/core/MarkerShapes.h"

#include <gtest/gtest.h>

namespace {

using namespace charts;
using Type = kit::Path::Element::Type;

// The path as its subpaths' points, each subpath starting with its move.
std::vector<std::vector<kit::Point>> segments(const kit::Path& path)
{
    std::vector<std::vector<kit::Point>> result;
    for (const auto& element : path.elements()) {
        if (element.type == Type::move)
            result.emplace_back();
        result.back().push_back(element.point);
    }
    return result;
}

using Segments = std::vector<std::vector<kit::Point>>;

TEST(MarkerShapes, ArmsRunFromTheNamedEdgesToThePoint)
{
    const kit::Rect rect(40, 25, 200, 100); // the origin is not used
    const kit::Point p{30, 80};
    EXPECT_EQ(segments(Vertical{p}.path(rect)), (Segments{{{30, 0}, {30, 100}}}));
    EXPECT_EQ(segments(MarkerFull{p}.path(rect)), (Segments{{{0, 80}, {200, 80}}, {{30, 0}, {30, 100}}}));
    EXPECT_EQ(segments(MarkerBottomLeading{p}.path(rect)), (Segments{{{0, 80}, {30, 80}}, {{30, 100}, {30, 80}}}));
    EXPECT_EQ(segments(MarkerBottomTrailing{p}.path(rect)), (Segments{{{200, 80}, {30, 80}}, {{30, 100}, {30, 80}}}));
    EXPECT_EQ(segments(MarkerTopLeading{p}.path(rect)), (Segments{{{0, 80}, {30, 80}}, {{30, 0}, {30, 80}}}));
    EXPECT_EQ(segments(MarkerTopTrailing{p}.path(rect)), (Segments{{{200, 80}, {30, 80}}, {{30, 0}, {30, 80}}}));

    const kit::Point outside{300, -20};
    EXPECT_EQ(segments(MarkerTopLeading{outside}.path(rect)),
              (Segments{{{0, -20}, {300, -20}}, {{300, 0}, {300, -20}}}));
}

TEST(AccessibilityRectangle, EachPointOwnsAFullHeightBandOneStepWide)
{
    const kit::Rect rect(0, 0, 400, 120);
    EXPECT_EQ((AccessibilityRectangle{5, 0}.path(rect).boundingRect()), kit::Rect(-50, 0, 100, 120));
    EXPECT_EQ((AccessibilityRectangle{5, 4}.path(rect).boundingRect()), kit::Rect(350, 0, 100, 120));
    // Rounded corners: the outline starts 10 points right of the band's left edge.
    EXPECT_EQ((AccessibilityRectangle{5, 0}.path(rect).elements().front().point), (kit::Point{-40, 0}));
    // A line of one point or none has no step: its band spans the whole width.
    EXPECT_EQ((AccessibilityRectangle{1, 0}.path(rect).boundingRect()), rect);
    EXPECT_EQ((AccessibilityRectangle{0, 0}.path(rect).boundingRect()), rect);
}

} // namespace
