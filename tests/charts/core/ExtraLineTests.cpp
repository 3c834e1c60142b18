#include "TestExtraLine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using namespace charts;
using Spacing = ExtraLineStyle::SpacingType;

ExtraLineStyle styleWith(Baseline baseline, Topline topLine, LineType lineType = LineType::line,
                         Spacing spacing = Spacing::line)
{
    return charts::testing::extraLineStyle(LineMarkerType::none(), baseline, topLine, lineType, spacing);
}

ExtraLineData lineOf(std::vector<double> values, Baseline baseline = Baseline::minimumValue(),
                     Topline topLine = Topline::maximumValue(), LineType lineType = LineType::line,
                     Spacing spacing = Spacing::line)
{
    return charts::testing::extraLine(values, styleWith(baseline, topLine, lineType, spacing));
}

TEST(ExtraLineData, InitializerCallsEachClosureOnce)
{
    int pointCalls = 0;
    int styleCalls = 0;
    const ExtraLineData line(
        "Temperature",
        [&] {
            ++pointCalls;
            return std::vector{ExtraLineDataPoint(3, std::nullopt, "cold")};
        },
        [&] {
            ++styleCalls;
            return styleWith(Baseline::zero(), Topline::maximumValue());
        });
    EXPECT_EQ(pointCalls, 1);
    EXPECT_EQ(styleCalls, 1);
    EXPECT_EQ(line.legendTitle, "Temperature");
    ASSERT_EQ(line.dataPoints.size(), 1u);
    EXPECT_EQ(line.dataPoints[0].pointDescription, "cold");
}

TEST(ExtraLineDataPoint, EqualOnlyAsCopiesAndZerosHashAlike)
{
    const ExtraLineDataPoint point(0.0, PointColour{kit::Color::red(), kit::Color::blue()}, "a");
    EXPECT_NE(point, ExtraLineDataPoint(0.0, PointColour{kit::Color::red(), kit::Color::blue()}, "a"));
    ExtraLineDataPoint copy = point;
    EXPECT_EQ(copy, point);
    copy.value = -0.0;
    EXPECT_EQ(copy, point);
    EXPECT_EQ(std::hash<ExtraLineDataPoint>{}(copy), std::hash<ExtraLineDataPoint>{}(point));
    copy.pointColour.reset();
    EXPECT_NE(copy, point);
    copy = point;
    copy.pointDescription = "b";
    EXPECT_NE(copy, point);
    copy = point;
    copy.value = std::nan("");
    EXPECT_NE(copy, copy);
}

TEST(ExtraLineData, SmallestAndLargestKeepTheFirstOfATie)
{
    EXPECT_EQ(lineOf({}).minValue(), 0);
    EXPECT_EQ(lineOf({}).maxValue(), 0);
    EXPECT_EQ(lineOf({4, -2, 9, 1}).minValue(), -2);
    EXPECT_EQ(lineOf({4, -2, 9, 1}).maxValue(), 9);
    EXPECT_FALSE(std::signbit(lineOf({0.0, -0.0}).minValue()));
    EXPECT_FALSE(std::signbit(lineOf({0.0, -0.0}).maxValue()));
    EXPECT_EQ(lineOf({3, std::nan(""), 1}).minValue(), 1);
    EXPECT_TRUE(std::isnan(lineOf({std::nan(""), 5}).maxValue()));
}

TEST(ExtraLineData, ValueRangeFollowsBaselineAndTopLine)
{
    EXPECT_EQ(lineOf({}, Baseline::zero()).drawingRange(), 1e-11);
    EXPECT_EQ(lineOf({7, 7, 7}).drawingRange(), 1e-11);

    EXPECT_EQ(lineOf({3, 8}, Baseline::minimumWithMaximum(0)).lowerEnd(), 0);
    EXPECT_EQ(lineOf({-5, 8}, Baseline::minimumWithMaximum(0)).lowerEnd(), -5);
    EXPECT_EQ(lineOf({10, 40}, Baseline::minimumValue(), Topline::maximum(100)).upperEnd(), 100);
    EXPECT_EQ(lineOf({10, 140}, Baseline::minimumValue(), Topline::maximum(100)).upperEnd(), 140);

    // Nothing clamps a baseline above the data: the range turns negative.
    const ExtraLineData below = lineOf({-5, -2}, Baseline::zero());
    EXPECT_EQ(below.lowerEnd(), 0);
    EXPECT_EQ(below.upperEnd(), -2);
    EXPECT_LT(below.drawingRange(), 0);
}

TEST(ExtraLineTouch, LookupCutsTheWidthIntoOneSectionPerPoint)
{
    const ExtraLineData line = lineOf({1, 2, 3, 4});
    const kit::Rect chart(0, 0, 400, 200);
    auto indexAt = [&](double x) -> int {
        const auto found = line.extraLineTouchedPoint({x, 50}, chart);
        if (!found)
            return -1;
        for (std::size_t i = 0; i < line.dataPoints.size(); ++i)
            if (line.dataPoints[i] == *found)
                return static_cast<int>(i);
        return -2;
    };
    EXPECT_EQ(indexAt(99), 0);
    EXPECT_EQ(indexAt(100), 1);
    EXPECT_EQ(indexAt(399), 3);
    EXPECT_EQ(indexAt(400), -1);
    EXPECT_EQ(indexAt(-50), 0);
    EXPECT_EQ(indexAt(-100), -1);

    EXPECT_FALSE(lineOf({}).extraLineTouchedPoint({10, 10}, chart));
    // A chart without width has no sections: no point, whatever the touch.
    for (double x : {0.0, 5.0, -5.0})
        EXPECT_FALSE(line.extraLineTouchedPoint({x, 10}, kit::Rect(0, 0, 0, 200))) << x;
    EXPECT_FALSE(line.extraLineTouchedPoint({1e300, 10}, kit::Rect(0, 0, 1e-300, 200)));
}

TEST(ExtraLineTouch, PointLocationSnapsToTheNearestPointInLineSpacing)
{
    const ExtraLineData line = lineOf({0, 1, 2, 3, 4}, Baseline::minimumValue(), Topline::maximumValue(),
                                      LineType::line, Spacing::bar);
    const kit::Rect chart(0, 0, 400, 200);
    auto xAt = [&](double x) { return line.extraLinePointLocation({x, 0}, chart).value_or(kit::Point{-1, -1}).x; };
    EXPECT_EQ(xAt(49), 0);
    EXPECT_EQ(xAt(50), 100);
    EXPECT_EQ(xAt(449), 400);
    EXPECT_EQ(xAt(450), -1);
    EXPECT_EQ(xAt(-149), 0);
    EXPECT_EQ(xAt(-150), -1);

    const ExtraLineData pair = lineOf({0, 10});
    const auto top = pair.extraLinePointLocation({400, 0}, chart);
    ASSERT_TRUE(top);
    EXPECT_DOUBLE_EQ(top->y, 200 - 200 * 10 / (10 + 1e-11));
    EXPECT_GT(top->y, 0);
    EXPECT_EQ(pair.extraLinePointLocation({0, 0}, chart)->y, 200);

    const ExtraLineData fromMinusTen = lineOf({0, 10}, Baseline::minimumWithMaximum(-10));
    EXPECT_NEAR(fromMinusTen.extraLinePointLocation({0, 0}, chart)->y, 100, 1e-9);

    // One point has no step between points; no points have nothing to find.
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
    const auto points = lineOf({0, 5, 10}).dataPoints;
    EXPECT_EQ(corners(extraLinePath(LineType::line, Spacing::line, points, rect, 0, 10)),
              (std::vector<kit::Point>{{0, 100}, {100, 50}, {200, 0}}));
    const auto bar = corners(extraLinePath(LineType::line, Spacing::bar, points, rect, 0, 10));
    ASSERT_EQ(bar.size(), 3u);
    EXPECT_DOUBLE_EQ(bar[0].x, 200.0 / 6);
    EXPECT_DOUBLE_EQ(bar[1].x, 100);
    EXPECT_DOUBLE_EQ(bar[2].x, 1000.0 / 6);

    const auto steps = lineOf({1, 3}).dataPoints;
    EXPECT_EQ(corners(extraLinePath(LineType::stepped, Spacing::line, steps, rect, 0, 4)),
              (std::vector<kit::Point>{{0, 75}, {200, 75}, {200, 25}}));

    const auto one = lineOf({2}).dataPoints;
    EXPECT_TRUE(extraLinePath(LineType::line, Spacing::line, one, rect, 0, 4).isEmpty());
    EXPECT_TRUE(extraLinePath(LineType::stepped, Spacing::bar, one, rect, 0, 4).isEmpty());
    EXPECT_TRUE(extraLinePath(LineType::curvedLine, Spacing::line, {}, rect, 0, 4).isEmpty());
    EXPECT_EQ(corners(extraLinePath(LineType::curvedLine, Spacing::bar, one, rect, 0, 4)),
              (std::vector<kit::Point>{{0, 50}, {100, 50}, {200, 50}}));
}

TEST(ExtraLinePath, CurvesLeaveAndReachEachPointLevel)
{
    const kit::Rect rect(0, 0, 200, 100);
    const auto points = lineOf({0, 10}).dataPoints;
    const kit::Path path = extraLinePath(LineType::curvedLine, Spacing::line, points, rect, 0, 10);
    ASSERT_EQ(path.elements().size(), 2u);
    const auto& curve = path.elements()[1];
    EXPECT_EQ(curve.type, kit::Path::Element::Type::curve);
    EXPECT_EQ(curve.point, (kit::Point{200, 0}));
    EXPECT_EQ(curve.control1, (kit::Point{100, 100}));
    EXPECT_EQ(curve.control2, (kit::Point{100, 0}));

    const kit::Path barPath = extraLinePath(LineType::curvedLine, Spacing::bar, points, rect, 0, 10);
    EXPECT_EQ(corners(barPath), (std::vector<kit::Point>{{0, 100}, {50, 100}, {150, 0}, {200, 0}}));
    EXPECT_EQ(barPath.elements()[2].control1, (kit::Point{100, 100}));
}

TEST(ExtraLineTouch, PathLengthFractionMeasuresChordsLeftOfTheTouch)
{
    kit::Path path;
    path.move({0, 0});
    path.addLine({100, 0});
    path.addLine({100, 100});
    path.addLine({200, 100});
    EXPECT_DOUBLE_EQ(pathLengthFraction(path, {50, 0}), 50.0 / 300);
    EXPECT_DOUBLE_EQ(pathLengthFraction(path, {100, 0}), 200.0 / 300);
    EXPECT_DOUBLE_EQ(pathLengthFraction(path, {150, 0}), 250.0 / 300);
    EXPECT_EQ(pathLengthFraction(path, {-10, 0}), 0);
    EXPECT_EQ(pathLengthFraction(path, {500, 0}), 1);
    EXPECT_TRUE(std::isnan(pathLengthFraction(kit::Path(), {10, 0})));
}

TEST(ExtraLineTouch, PositionOnTheLineFollowsTheDrawnLine)
{
    const kit::Rect chart(0, 0, 200, 100);
    const ExtraLineData line = lineOf({0, 10}, Baseline::minimumValue(), Topline::maximumValue());
    const auto middle = line.extraLinePositionOnLine({100, 0}, chart);
    ASSERT_TRUE(middle);
    EXPECT_NEAR(middle->x, 100, 0.2);
    EXPECT_NEAR(middle->y, 50, 0.2);

    const auto start = line.extraLinePositionOnLine({-30, 0}, chart);
    ASSERT_TRUE(start);
    EXPECT_NEAR(start->x, 0, 0.2);
    EXPECT_NEAR(start->y, 100, 0.2);

    const auto end = line.extraLinePositionOnLine({260, 0}, chart);
    ASSERT_TRUE(end);
    EXPECT_NEAR(end->x, 200, 0.2);
    EXPECT_NEAR(end->y, 0, 0.2);

    // A line without length has no position to mark.
    EXPECT_FALSE(lineOf({4}).extraLinePositionOnLine({50, 0}, chart));
    EXPECT_FALSE(lineOf({}).extraLinePositionOnLine({50, 0}, chart));
    EXPECT_FALSE(lineOf({4}, Baseline::minimumValue(), Topline::maximumValue(), LineType::curvedLine)
                     .extraLinePositionOnLine({50, 0}, chart));
}

} // namespace
