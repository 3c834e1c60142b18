#include "TestExtraLine.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace charts;
using namespace charts::testing;
using Spacing = ExtraLineStyle::SpacingType;

ExtraLineData lineOf(std::vector<double> values, Baseline baseline = Baseline::minimumValue(),
                     Topline topLine = Topline::maximumValue(), LineType lineType = LineType::line,
                     Spacing spacing = Spacing::line)
{
    return extraLine(values, extraLineStyle(LineMarkerType::none(), baseline, topLine, lineType, spacing));
}

TEST(ExtraLineData, MadeFromOneCallOfEachClosureWithPointsEqualOnlyAsCopies)
{
    int calls = 0;
    const ExtraLineData line(
        "Temperature",
        [&] {
            ++calls;
            return std::vector{ExtraLineDataPoint(0.0, PointColour{kit::Color::red(), kit::Color::blue()}, "cold")};
        },
        [&] {
            calls += 10;
            return extraLineStyle();
        });
    EXPECT_EQ(calls, 11);
    EXPECT_EQ(line.legendTitle, "Temperature");
    ASSERT_EQ(line.dataPoints.size(), 1u);

    const ExtraLineDataPoint& point = line.dataPoints[0];
    EXPECT_NE(point, ExtraLineDataPoint(0.0, point.pointColour, "cold")) << "a fresh id";
    ExtraLineDataPoint copy = point;
    copy.value = -0.0;
    EXPECT_EQ(copy, point);
    EXPECT_EQ(std::hash<ExtraLineDataPoint>{}(copy), std::hash<ExtraLineDataPoint>{}(point));
    copy.pointColour.reset();
    EXPECT_NE(copy, point);
    copy = point;
    copy.value = std::nan("");
    EXPECT_NE(copy, copy);
}

TEST(ExtraLineData, ValueRangeFollowsBaselineAndTopLineAndNothingClampsIt)
{
    EXPECT_EQ(lineOf({}).minValue(), 0);
    EXPECT_EQ(lineOf({}).maxValue(), 0);
    EXPECT_EQ(lineOf({4, -2, 9, 1}).minValue(), -2);
    EXPECT_EQ(lineOf({4, -2, 9, 1}).maxValue(), 9);
    EXPECT_FALSE(std::signbit(lineOf({0.0, -0.0}).minValue()) || std::signbit(lineOf({0.0, -0.0}).maxValue()));
    EXPECT_EQ(lineOf({3, std::nan(""), 1}).minValue(), 1);
    EXPECT_TRUE(std::isnan(lineOf({std::nan(""), 5}).maxValue())) << "only a first value that is not a number stays";

    EXPECT_EQ(lineOf({}, Baseline::zero()).drawingRange(), 1e-11);
    EXPECT_EQ(lineOf({7, 7, 7}).drawingRange(), 1e-11);
    EXPECT_EQ(lineOf({3, 8}, Baseline::minimumWithMaximum(0)).lowerEnd(), 0);
    EXPECT_EQ(lineOf({-5, 8}, Baseline::minimumWithMaximum(0)).lowerEnd(), -5);
    EXPECT_EQ(lineOf({10, 40}, Baseline::minimumValue(), Topline::maximum(100)).upperEnd(), 100);
    EXPECT_EQ(lineOf({10, 140}, Baseline::minimumValue(), Topline::maximum(100)).upperEnd(), 140);
    const ExtraLineData below = lineOf({-5, -2}, Baseline::zero());
    EXPECT_EQ(below.lowerEnd(), 0);
    EXPECT_EQ(below.upperEnd(), -2);
    EXPECT_LT(below.drawingRange(), 0);
}

TEST(ExtraLineTouch, LookupCutsTheWidthIntoOneSectionPerPoint)
{
    const ExtraLineData line = lineOf({1, 2, 3, 4});
    const kit::Rect chart(0, 0, 400, 200);
    auto indexAt = [&](double x, const kit::Rect& frame) {
        const auto found = line.extraLineTouchedPoint({x, 50}, frame);
        for (std::size_t i = 0; found && i < line.dataPoints.size(); ++i)
            if (line.dataPoints[i] == *found)
                return int(i);
        return -1;
    };
    for (const auto& [x, index] : {std::pair{99.0, 0}, {100, 1}, {399, 3}, {400, -1}, {-50, 0}, {-100, -1}})
        EXPECT_EQ(indexAt(x, chart), index) << x;
    EXPECT_FALSE(lineOf({}).extraLineTouchedPoint({10, 10}, chart));
    // Positions that are not finite or beyond 64 bits find no point.
    for (double x : {0.0, 5.0, -5.0})
        EXPECT_EQ(indexAt(x, kit::Rect(0, 0, 0, 200)), -1) << x;
    EXPECT_EQ(indexAt(1e300, kit::Rect(0, 0, 1e-300, 200)), -1);
}

TEST(ExtraLineTouch, PointLocationSnapsToTheNearestPointInLineSpacing)
{
    const ExtraLineData line = lineOf({0, 1, 2, 3, 4}, Baseline::minimumValue(), Topline::maximumValue(),
                                      LineType::line, Spacing::bar);
    const kit::Rect chart(0, 0, 400, 200);
    auto xAt = [&](double x) { return line.extraLinePointLocation({x, 0}, chart).value_or(kit::Point{-1, -1}).x; };
    for (const auto& [x, at] : {std::pair{49.0, 0.0}, {50, 100}, {449, 400}, {450, -1}, {-149, 0}, {-150, -1}})
        EXPECT_EQ(xAt(x), at) << x;

    const ExtraLineData pair = lineOf({0, 10});
    EXPECT_DOUBLE_EQ(pair.extraLinePointLocation({400, 0}, chart)->y, 200 - 200 * 10 / (10 + 1e-11));
    EXPECT_EQ(pair.extraLinePointLocation({0, 0}, chart)->y, 200);
    EXPECT_NEAR(lineOf({0, 10}, Baseline::minimumWithMaximum(-10)).extraLinePointLocation({0, 0}, chart)->y, 100, 1e-9);
    // One point has no step between points, no points have nothing to find,
    // and a chart without width has no step.
    EXPECT_FALSE(lineOf({5}).extraLinePointLocation({0, 0}, chart));
    EXPECT_FALSE(lineOf({}).extraLinePointLocation({0, 0}, chart));
    EXPECT_FALSE(pair.extraLinePointLocation({0, 0}, kit::Rect(0, 0, 0, 200)));
}

std::vector<kit::Point> corners(const kit::Path& path)
{
    std::vector<kit::Point> points;
    for (const auto& element : path.elements())
        points.push_back(element.point);
    return points;
}

TEST(ExtraLinePath, PlacesPointsBySpacingAndDrawsByLineType)
{
    const kit::Rect rect(0, 0, 200, 100);
    const auto three = lineOf({0, 5, 10}).dataPoints;
    EXPECT_EQ(corners(extraLinePath(LineType::line, Spacing::line, three, rect, 0, 10)),
              (std::vector<kit::Point>{{0, 100}, {100, 50}, {200, 0}}));
    const auto bar = corners(extraLinePath(LineType::line, Spacing::bar, three, rect, 0, 10));
    EXPECT_DOUBLE_EQ(bar.at(0).x, 200.0 / 6);
    EXPECT_DOUBLE_EQ(bar.at(2).x, 1000.0 / 6);
    const auto two = lineOf({1, 3}).dataPoints;
    EXPECT_EQ(corners(extraLinePath(LineType::stepped, Spacing::line, two, rect, 0, 4)),
              (std::vector<kit::Point>{{0, 75}, {200, 75}, {200, 25}}));

    // Curves leave and reach each point level; in the bar spacing they run
    // flat from the left edge and to the right edge.
    const auto curve =
        extraLinePath(LineType::curvedLine, Spacing::line, lineOf({0, 10}).dataPoints, rect, 0, 10).elements();
    ASSERT_EQ(curve.size(), 2u);
    EXPECT_EQ(curve[1].type, kit::Path::Element::Type::curve);
    EXPECT_EQ(std::vector({curve[1].point, curve[1].control1, curve[1].control2}),
              (std::vector<kit::Point>{{200, 0}, {100, 100}, {100, 0}}));
    const kit::Path barCurve = extraLinePath(LineType::curvedLine, Spacing::bar, lineOf({0, 10}).dataPoints, rect, 0,
                                             10);
    EXPECT_EQ(corners(barCurve), (std::vector<kit::Point>{{0, 100}, {50, 100}, {150, 0}, {200, 0}}));
    EXPECT_EQ(barCurve.elements()[2].control1, (kit::Point{100, 100}));

    const auto one = lineOf({2}).dataPoints;
    EXPECT_TRUE(extraLinePath(LineType::line, Spacing::line, one, rect, 0, 4).isEmpty());
    EXPECT_TRUE(extraLinePath(LineType::stepped, Spacing::bar, one, rect, 0, 4).isEmpty());
    EXPECT_TRUE(extraLinePath(LineType::curvedLine, Spacing::line, {}, rect, 0, 4).isEmpty());
    EXPECT_EQ(corners(extraLinePath(LineType::curvedLine, Spacing::bar, one, rect, 0, 4)),
              (std::vector<kit::Point>{{0, 50}, {100, 50}, {200, 50}}));
}

TEST(ExtraLineTouch, ThePositionOnTheLineFollowsTheChordsOfTheDrawnLine)
{
    kit::Path path;
    path.move({0, 0});
    path.addLine({100, 0});
    path.addLine({100, 100});
    path.addLine({200, 100});
    for (const auto& [x, fraction] :
         {std::pair{50.0, 50.0 / 300}, {100, 200.0 / 300}, {150, 250.0 / 300}, {-10, 0.0}, {500, 1.0}})
        EXPECT_DOUBLE_EQ(pathLengthFraction(path, {x, 0}), fraction) << x;
    EXPECT_TRUE(std::isnan(pathLengthFraction(kit::Path(), {10, 0})));

    // In the middle, before the start and past the end of a line.
    const kit::Rect chart(0, 0, 200, 100);
    const ExtraLineData line = lineOf({0, 10});
    for (const auto& [x, at] : {std::pair{100.0, kit::Point{100, 50}}, {-30, {0, 100}}, {260, {200, 0}}}) {
        const auto position = line.extraLinePositionOnLine({x, 0}, chart);
        ASSERT_TRUE(position) << x;
        EXPECT_NEAR(position->x, at.x, 0.2) << x;
        EXPECT_NEAR(position->y, at.y, 0.2) << x;
    }
    // A line without length has no position to mark.
    EXPECT_FALSE(lineOf({4}).extraLinePositionOnLine({50, 0}, chart));
    EXPECT_FALSE(lineOf({}).extraLinePositionOnLine({50, 0}, chart));
    EXPECT_FALSE(lineOf({4}, Baseline::minimumValue(), Topline::maximumValue(), LineType::curvedLine)
                     .extraLinePositionOnLine({50, 0}, chart));
}

} // namespace
