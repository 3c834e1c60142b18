#include "kit/base/Clock.h"
#include "kit/base/Published.h"
#include "kit/base/Random.h"
#include "kit/base/RunLoop.h"
#include "kit/base/TimerScheduler.h"
#include "kit/ui/UI.h"
#include "liquid/Liquid.h"
#include "liquid/LiquidCircle.h"
#include "liquid/LiquidPathView.h"

#include <QImage>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using kit::Point;
using liquid::AnimatableArray;
using liquid::Liquid;

namespace {

constexpr std::uint64_t seed = 2024;

kit::View blobOfSide(double side)
{
    return Liquid(8, 6.0).frame(side, side).foregroundColor(kit::Color::rgb(1, 0, 0));
}

class LiquidView : public testing::Test {
protected:
    void SetUp() override
    {
        kit::discardPendingWork();
        kit::Clock::useManual(0);
        kit::Random::seed(seed);
    }
    void TearDown() override
    {
        kit::discardPendingWork();
        kit::Clock::useReal();
        kit::Random::reseedFromSystem();
    }

    static bool anyTimer()
    {
        return kit::TimerScheduler::shared().nextDue(std::numeric_limits<double>::infinity()) != nullptr;
    }

    // The angle samplings an 8-point blob draws one after another.
    static std::vector<AnimatableArray> samplings(int count)
    {
        std::vector<AnimatableArray> result;
        for (int i = 0; i < count; ++i)
            result.push_back(liquid::LiquidCircle::sampleRadians(8));
        kit::Random::seed(seed);
        return result;
    }

    // The points the blob's curve passes through, in host coordinates.
    static std::vector<Point> blobPoints(kit::ViewHost& host)
    {
        auto fills = host.displayList().itemsOfKind(kit::DisplayItem::Kind::fill);
        EXPECT_EQ(fills.size(), 1u);
        std::vector<Point> points;
        const auto& elements = fills.front()->path.elements();
        for (std::size_t i = 1; i < elements.size(); ++i)
            points.push_back(fills.front()->transform.apply(elements[i].point));
        return points;
    }

    // Checks a 200 × 200 blob at the host's origin against its angles.
    static void expectAngles(kit::ViewHost& host, const AnimatableArray& radians, const char* when)
    {
        auto actual = blobPoints(host);
        auto expected = liquid::LiquidCircle(radians).points({0, 0, 200, 200});
        ASSERT_EQ(actual.size(), expected.size()) << when;
        for (std::size_t i = 0; i < actual.size(); ++i)
            EXPECT_LT(actual[i].distance(expected[i]), 1e-6) << when << ", point " << i;
    }
};

} // namespace

TEST_F(LiquidView, CircleBlobMorphsLinearlyFromItsFirstTurnOnePeriodAtATime)
{
    auto s = samplings(4);
    kit::ViewHost host(blobOfSide(200), {200, 200});
    host.update();
    expectAngles(host, s[0], "as built");
    kit::runUntilIdle(); // the first morph starts on the next turn
    EXPECT_TRUE(host.isAnimating());

    kit::Clock::advance(1.5);
    expectAngles(host, AnimatableArray::interpolate(s[0], s[1], 0.25), "a quarter period");
    kit::Clock::advance(4.5);
    expectAngles(host, s[1], "one period");
    kit::Clock::advance(9);
    expectAngles(host, AnimatableArray::interpolate(s[2], s[3], 0.5), "one morph per period");
}

TEST_F(LiquidView, HiddenCircleBlobRunsNoTimerAndRestartsOnceWhenShownAgain)
{
    auto s = samplings(4);
    kit::ViewHost host(blobOfSide(200), {200, 200});
    host.update();
    kit::runUntilIdle();
    kit::Clock::advance(3);

    host.setVisible(false);
    kit::Clock::advance(3.1); // past the end of the morph in flight
    EXPECT_FALSE(anyTimer()) << "a hidden blob costs no timer";
    kit::Clock::advance(56.9);

    host.setVisible(true);
    host.update();
    kit::runUntilIdle(); // the morph to s[2] starts at 63 s
    kit::Clock::advance(9);
    // One timer: exactly one more sampling, drawn by the tick at 69 s.
    expectAngles(host, AnimatableArray::interpolate(s[2], s[3], 0.5), "restarted once");
}

TEST_F(LiquidView, TimersEndWithTheirViews)
{
    {
        kit::ViewHost host(blobOfSide(100), {100, 100});
        host.update();
        EXPECT_TRUE(anyTimer());
    }
    EXPECT_FALSE(anyTimer()) << "the host is gone";

    {
        Liquid never(kit::Path::ellipse({0, 0, 100, 100}), 100, 8, 6.0);
        Liquid copy = never;
        EXPECT_TRUE(anyTimer()) << "a path blob's timer runs from its creation";
    }
    EXPECT_FALSE(anyTimer()) << "and stops with its last copy";
}

TEST_F(LiquidView, PathBlobPicksFromTheOutlineAtOnceAndOnEveryTick)
{
    liquid::LiquidPathView view(kit::Path::rect({10, 10, 80, 80}), 200, 8, 6.0);
    EXPECT_EQ(*view.x, AnimatableArray::zero());
    EXPECT_EQ(*view.y, AnimatableArray::zero());
    auto onOutline = [](const std::vector<Point>& points) {
        for (Point p : points) {
            bool inside = p.x >= 10 && p.x <= 90 && p.y >= 10 && p.y <= 90;
            bool onEdge = p.x == 10 || p.x == 90 || p.y == 10 || p.y == 90;
            if (!inside || !onEdge)
                return false;
        }
        return points.size() == 8;
    };

    kit::Clock::advance(2); // the timer runs from the view's creation
    kit::ViewHost host(kit::View(view).frame(100, 100), {100, 100});
    host.update();
    EXPECT_FALSE(host.isAnimating()) << "from the single zero point the first pick jumps";
    auto first = blobPoints(host);
    EXPECT_TRUE(onOutline(first));
    kit::Clock::advance(4); // tick at 6 s
    EXPECT_TRUE(host.isAnimating());
    kit::Clock::advance(6);
    auto second = blobPoints(host);
    EXPECT_NE(second, first);
    EXPECT_TRUE(onOutline(second));

    // A disappearance ends the timer for good: one morph on return, then rest.
    host.setVisible(false);
    kit::Clock::advance(6.1);
    EXPECT_FALSE(anyTimer());
    host.setVisible(true);
    host.update();
    kit::Clock::advance(6);
    auto rested = blobPoints(host);
    EXPECT_NE(rested, second);
    kit::Clock::advance(30);
    EXPECT_EQ(blobPoints(host), rested);
}

TEST_F(LiquidView, ANewPathBlobValueReplacesTheOldTimer)
{
    struct Generation : kit::ObservableObject {
        kit::Published<int> count{this, 0};
    };
    struct Parent {
        kit::ObservedObject<Generation> generation;
        auto dynamicFields() { return std::tie(generation); }
        kit::View body() const
        {
            (void)*generation->count;
            return Liquid(kit::Path::ellipse({0, 0, 100, 100}), 100, 8, 6.0).frame(100, 100);
        }
    };
    auto generation = std::make_shared<Generation>();
    kit::ViewHost host(Parent{generation}, {100, 100});
    host.update();
    kit::Clock::advance(3);
    generation->count = 1; // a new blob value, whose timer starts now
    kit::runUntilIdle();
    kit::Clock::advance(3.5);
    EXPECT_FALSE(host.isAnimating()) << "the first value's tick at 6 s is gone";
    kit::Clock::advance(2.6);
    EXPECT_TRUE(host.isAnimating()) << "the new value ticks at 9 s";
}

TEST_F(LiquidView, RendersTheBlobScaledToItsFrameInTheForegroundColour)
{
    std::vector<std::vector<Point>> shapes;
    for (double side : {100.0, 240.0}) {
        kit::Random::seed(seed);
        kit::ViewHost host(blobOfSide(side), {side, side});
        host.update();
        shapes.push_back(blobPoints(host));

        QImage image = host.renderImage(1);
        const int c = int(side / 2);
        EXPECT_EQ(image.pixel(c, c), qRgb(255, 0, 0));
        EXPECT_EQ(qAlpha(image.pixel(1, 1)), 0) << "corners stay clear";
        EXPECT_EQ(qAlpha(image.pixel(int(side) - 2, int(side) - 2)), 0);
        int reach = 0; // how far from the centre the colour reaches
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qAlpha(image.pixel(x, y)) == 255)
                    reach = std::max(reach, int(std::hypot(x + 0.5 - c, y + 0.5 - c)));
        EXPECT_GE(reach, int(side * 0.45));
        EXPECT_LE(reach, int(side * 0.55));
    }
    ASSERT_EQ(shapes[0].size(), 8u);
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_NEAR(shapes[0][i].distance({50, 50}), 50, 1e-9);
        EXPECT_LT(shapes[1][i].distance(shapes[0][i] * 2.4), 1e-9);
    }
}
