// How the line chart views animate and which scale they keep: lines drawn
// in by trimming, areas and top lines risen from the bottom edge, the band
// standing at once, read at hand-driven clock times (the test style's
// animation is linear over 0.3 s, so at 0.15 s everything is half-way), and
// the scales frozen when a view is made.

#include "LineViewTest.h"

#include "charts/line/PointMarkers.h"

namespace {

using namespace charts;
using namespace charts::testing;

class LineChartAnimation : public UiTest {
protected:
    kit::ViewHost host{kit::EmptyView(), {200, 100}};

    void show(const kit::View& chart)
    {
        host.setRoot(chart);
        host.update();
    }
    std::vector<const kit::DisplayItem*> after(double seconds)
    {
        kit::Clock::advance(seconds);
        return painted(host);
    }
};

TEST_F(LineChartAnimation, LinesDrawInAreasAndTopLinesRiseAndTheBandStands)
{
    // Values 0, 5, 10 between 0 and 10: (0, 100), (100, 50), (200, 0).
    // Risen by s about the bottom edge: y = 100 − s(100 − y).
    const auto area = [](double s) {
        return std::vector<PathStep>{M(0, 100), L(100, 100 - 50 * s), L(200, 100 - 100 * s), L(200, 100), L(0, 100),
                                     Z()};
    };
    const auto top = [](double s) {
        return std::vector<PathStep>{M(0, 100), L(100, 100 - 50 * s), L(200, 100 - 100 * s)};
    };
    // The band of (value, upper, lower) = (0, 10, 0), (10, 10, 0) covers the frame.
    const std::vector<PathStep> band{M(0, 0), L(200, 0), L(200, 100), L(0, 100), L(0, 0)};
    auto filled = lineChart(lineSet({0, 5, 10}));
    struct Case {
        const char* what;
        kit::View chart;
        std::vector<std::vector<PathStep>> start, half; // the layers at 0 s and at 0.15 s
    };
    const Case cases[] = {
        {"line", LineChart(lineChart(lineSet({0, 5, 10}))), {{}}, {{M(0, 100), L(100, 50)}}},
        {"area and top line",
         applyFilledTopLine(FilledLineChart(filled), filled, ColourStyle(kit::Color::blue()), {}),
         {top(0), area(0)},
         {top(0.5), area(0.5)}},
        // The second line has four points, step 200/3.
        {"multi-line",
         MultiLineChart(multiLineChart({lineSet({0, 10}), lineSet({10, 10, 0, 0})})),
         {{}, {}},
         {{M(0, 100), L(100, 50)}, {M(0, 0), L(200.0 / 3, 0), L(100, 50)}}},
        {"ranged",
         RangedLineChart(rangedChart({{0, 10, 0}, {10, 10, 0}})),
         {band, {}},
         {band, {M(0, 100), L(100, 50)}}},
    };
    for (const Case& c : cases) {
        show(c.chart);
        for (const auto& [time, layers] : {std::pair{0.0, c.start}, std::pair{0.15, c.half}}) {
            const auto items = after(time);
            const std::string when = std::string(c.what) + " at " + std::to_string(time) + " s";
            ASSERT_EQ(items.size(), layers.size()) << when;
            for (std::size_t i = 0; i < items.size(); ++i)
                expectPath(hostPath(items[i]), layers[i], when + ", layer " + std::to_string(i));
        }
        after(1);
    }
}

TEST_F(LineChartAnimation, LeavingUndrawsTheLineAndComingBackDrawsItInAgainUnlessAnimationIsDisabled)
{
    const std::vector<PathStep> whole{M(0, 100), L(200, 0)}, half{M(0, 100), L(100, 50)};
    for (const bool disabled : {false, true}) {
        auto data = lineChart(lineSet({0, 10}));
        data->disableAnimation = disabled;
        show(LineChart(data));
        after(1);
        host.setVisible(false);
        kit::runUntilIdle();
        expectPath(hostPath(after(0.15).at(0)), disabled ? whole : half, "leaving");
        after(1);
        host.setVisible(true);
        kit::runUntilIdle();
        EXPECT_EQ(painted(host).at(0)->path.isEmpty(), !disabled);
        expectPath(hostPath(after(0.15).at(0)), disabled ? whole : half, "coming back");
        EXPECT_EQ(host.isAnimating(), !disabled);
    }
}

TEST_F(LineChartAnimation, AFilledChartMakesItsDataRiseItsMarkers)
{
    auto data = lineChart(lineSet({0, 10}));
    const FilledLineChart chart(data);
    EXPECT_TRUE(data->isFilled);
    // Half-way the filled marker of value 10 (10 across, centred at (200, 0))
    // is squashed to 5 high about the bottom edge: y from 47.5 to 52.5.
    show(applyPointMarkers(kit::View(chart), data));
    const auto items = after(0.15);
    ASSERT_EQ(items.size(), 3u) << "the area and two markers";
    expectRect(hostPath(items[2]).boundingRect(), kit::Rect(195, 47.5, 10, 5), 1e-9);
}

TEST_F(LineChartAnimation, ScalesAreFrozenWhereTheViewIsMadeAndReadAfreshElsewhere)
{
    // Made over 0 to 10, then the second value becomes 20. Read afresh the
    // scale is 0 to 20 and 20 lies on the top edge; frozen it stays 0 to 10
    // (y = 100 − 10v) and 20 lies at −100, above the frame.
    auto line = still(lineChart(lineSet({0, 10})));
    auto filled = still(lineChart(lineSet({0, 10})));
    auto multi = still(multiLineChart({lineSet({0, 10})}));
    auto ranged = still(rangedChart({{0, 0, 0}, {10, 10, 0}}));
    const auto raise = [](auto& point) { point.value = 20; };
    struct Case {
        const char* what;
        kit::View chart;
        std::function<void()> change;
        double yOf20;
    };
    const Case cases[] = {
        {"line", LineChart(line), [&] { line->dataSets.modify([&](auto& s) { raise(s.dataPoints[1]); }); }, 0},
        {"ranged", RangedLineChart(ranged),
         [&] { ranged->dataSets.modify([&](auto& s) { raise(s.dataPoints[1]), s.dataPoints[1].upperValue = 20; }); },
         0},
        {"filled", FilledLineChart(filled), [&] { filled->dataSets.modify([&](auto& s) { raise(s.dataPoints[1]); }); },
         -100},
        {"multi-line", MultiLineChart(multi),
         [&] { multi->dataSets.modify([&](auto& s) { raise(s.dataSets[0].dataPoints[1]); }); }, -100},
    };
    for (const Case& c : cases) {
        show(c.chart);
        c.change();
        host.update();
        EXPECT_NEAR(hostPath(painted(host).back()).elements()[1].point.y, c.yOf20, 1e-9) << c.what;
    }

    // A multi-line chart made without points keeps that start range: lowest
    // 100, highest 0, range −100, so y = 100 − (v − 100) × 100 / −100 = v.
    auto empty = still(multiLineChart({}));
    show(MultiLineChart(empty));
    empty->dataSets.modify([](MultiLineDataSet& set) { set.dataSets.push_back(lineSet({0, 10})); });
    host.update();
    expectPath(hostPath(painted(host).at(0)), {M(0, 0), L(200, 10)}, "against the start range");
}

} // namespace
