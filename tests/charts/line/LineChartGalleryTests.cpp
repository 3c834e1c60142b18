// The four line charts rendered offscreen at two sizes, in the light and the
// dark appearance: pixels where their lines, areas and bands must be, and
// none where they must not. Lines are 6 wide, so the pixels checked on them
// are wholly covered.

#include "LineViewTest.h"

#include <QColor>

namespace {

using namespace charts;
using namespace charts::testing;

const Stroke wide(6, kit::LineCap::butt, kit::LineJoin::miter, 10, {}, 0);

LineStyle wideStyle(ColourStyle colour, Stroke stroke = wide)
{
    return strokedStyle(std::move(colour), std::move(stroke));
}

// A place in the image, as fractions of its size, and the colour it must
// show (none: nothing drawn).
struct Spot {
    double x, y;
    std::optional<kit::Color> colour;
};

void expectSpots(const QImage& image, kit::ColorScheme scheme, const std::vector<Spot>& spots, const std::string& what)
{
    for (const Spot& spot : spots) {
        const int px = int(spot.x * image.width()), py = int(spot.y * image.height());
        const QColor seen = image.pixelColor(px, py);
        const std::string where = what + " at (" + std::to_string(px) + ", " + std::to_string(py) + ")";
        if (!spot.colour) {
            EXPECT_EQ(seen.alpha(), 0) << where;
            continue;
        }
        const kit::RGBA want = spot.colour->resolved(scheme);
        EXPECT_EQ(seen.alpha(), 255) << where;
        EXPECT_NEAR(seen.redF(), want.red, 2.0 / 255) << where;
        EXPECT_NEAR(seen.greenF(), want.green, 2.0 / 255) << where;
        EXPECT_NEAR(seen.blueF(), want.blue, 2.0 / 255) << where;
    }
}

using LineChartGallery = UiTest;

TEST_F(LineChartGallery, EachChartPaintsWhereItsLinesAreasAndBandsLie)
{
    const auto red = ColourStyle(kit::Color::red()), green = ColourStyle(kit::Color::green());
    const auto filled = still(lineChart(lineSet({0, 10}, wideStyle(blueOverRed()))));
    RangedLineStyle ranged = rangedStyle(false, ColourStyle(kit::Color::blue()));
    ranged.strokeStyle = wide;
    struct Case {
        const char* what;
        kit::View chart;
        std::vector<Spot> spots;
    };
    const Case cases[] = {
        // From the bottom-left corner to the top-right one.
        {"line",
         LineChart(still(lineChart(lineSet({0, 10}, wideStyle(red))))),
         {{0.5, 0.5, kit::Color::red()}, {0.25, 0.75, kit::Color::red()}, {0.25, 0.25, {}}, {0.75, 0.75, {}}}},
        // The area under that diagonal, blue over the top half and red under
        // it (stops given out of order), its green top line under it.
        {"filled",
         applyFilledTopLine(FilledLineChart(filled), filled, green, kit::StrokeStyle{.lineWidth = 20}),
         {{0.9, 0.3, kit::Color::blue()},
          {0.9, 0.8, kit::Color::red()},
          {0.2, 0.95, kit::Color::red()},
          {0.5, 0.6, kit::Color::red()},
          {0.25, 0.25, {}}}},
        // Red rises from the bottom-left corner, green falls from the top-left one.
        {"multi-line",
         MultiLineChart(still(multiLineChart({lineSet({0, 10}, wideStyle(red)), lineSet({10, 0}, wideStyle(green))}))),
         {{0.25, 0.75, kit::Color::red()},
          {0.75, 0.25, kit::Color::red()},
          {0.25, 0.25, kit::Color::green()},
          {0.75, 0.75, kit::Color::green()},
          {0.5, 0.9, {}},
          {0.1, 0.5, {}}}},
        // (value, upper, lower) = (5, 6, 4) then (5, 10, 0): the band widens
        // from the middle fifth at the left edge to the whole height at the
        // right one; the line runs flat through the middle over it.
        {"ranged",
         RangedLineChart(still(rangedChart({{5, 6, 4}, {5, 10, 0}}, ranged))),
         {{0.5, 0.5, kit::Color::red()},
          {0.75, 0.25, kit::Color::blue()},
          {0.75, 0.85, kit::Color::blue()},
          {0.1, 0.1, {}},
          {0.1, 0.9, {}}}},
    };
    for (const Case& c : cases)
        for (const kit::Size size : {kit::Size{200, 100}, kit::Size{320, 240}})
            for (const kit::ColorScheme scheme : {kit::ColorScheme::light, kit::ColorScheme::dark}) {
                kit::ViewHost host(c.chart, size);
                host.setColorScheme(scheme);
                expectSpots(host.renderImage(), scheme, c.spots,
                            std::string(c.what) + " " + std::to_string(int(size.width)) +
                                (scheme == kit::ColorScheme::dark ? " dark" : " light"));
            }

    // The top line shows above the area's edge only. The edge runs
    // x + 2y = 200 through (150, 25) in 200 × 100; its normal is (1, 2)/√5.
    kit::ViewHost host(cases[1].chart, {200, 100});
    const double nx = 1 / std::sqrt(5.0), ny = 2 / std::sqrt(5.0);
    expectSpots(host.renderImage(), kit::ColorScheme::light,
                {{(150 - 4 * nx) / 200, (25 - 4 * ny) / 100, kit::Color::green()},
                 {(150 + 6 * nx) / 200, (25 + 6 * ny) / 100, kit::Color::blue()}},
                "the top line's upper half");
}

TEST_F(LineChartGallery, GradientsAndDashesThatCannotBeDrawnAsGivenAreDrawnSoundly)
{
    // A flat line through the middle (5 between 0 and 10), checked 5, 15 and
    // 25 points from the left edge.
    const auto dashed = [](std::vector<double> dash) {
        return Stroke(6, kit::LineCap::butt, kit::LineJoin::miter, 10, std::move(dash), 0);
    };
    const auto along = [](std::optional<kit::Color> a, std::optional<kit::Color> b, std::optional<kit::Color> c) {
        return std::vector<Spot>{{5.5 / 200, 0.5, a}, {15.5 / 200, 0.5, b}, {25.5 / 200, 0.5, c}};
    };
    const auto g = kit::Color::green(), r = kit::Color::red();
    const ColourStyle red(r);
    struct Case {
        const char* what;
        ColourStyle colour;
        Stroke stroke;
        std::vector<Spot> spots;
    };
    const Case cases[] = {
        {"no colours", ColourStyle(std::vector<kit::Color>{}, kit::UnitPoint::leading(), kit::UnitPoint::trailing()),
         wide, along({}, {}, {})},
        {"one colour", ColourStyle(std::vector<kit::Color>{g}, kit::UnitPoint::leading(), kit::UnitPoint::trailing()),
         wide, along(g, g, g)},
        {"an odd dash list taken twice: 10 on, 10 off", red, dashed({10}), along(r, {}, r)},
        {"a negative dash", red, dashed({10, -1}), along(r, r, r)},
        {"a dash of zeros", red, dashed({0, 0}), along(r, r, r)},
    };
    for (const Case& c : cases) {
        kit::ViewHost host{LineChart(still(lineChart(lineSet({5, 5}, wideStyle(c.colour, c.stroke)),
                                                     lineChartStyle(LineMarkerType::none(), Baseline::zero(),
                                                                    Topline::maximum(10))))),
                           {200, 100}};
        expectSpots(host.renderImage(), kit::ColorScheme::light, c.spots, c.what);
    }
}

} // namespace
