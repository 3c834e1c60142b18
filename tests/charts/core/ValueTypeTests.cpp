#include "charts/core/CTChartData.h"
#include "charts/core/CommonChartStyle.h"
#include "charts/core/CommonLineBarChartStyle.h"
#include "charts/core/LegendData.h"
#include "charts/core/PointStyle.h"

#include <gtest/gtest.h>

#include <cmath>
#include <unordered_set>

namespace {

using namespace charts;

template <class T>
std::size_t hashOf(const T& value)
{
    return std::hash<T>{}(value);
}

// `a` and `b` are equal and hash alike.
template <class T>
void expectSame(const T& a, const T& b)
{
    EXPECT_EQ(a, b);
    EXPECT_EQ(hashOf(a), hashOf(b));
}

Stroke solidStroke()
{
    return Stroke(2, kit::LineCap::round, kit::LineJoin::bevel, 10, {}, 0);
}

TEST(Stroke, OnlyCopiesOfOneStrokeAreEqualAndTheDefaultStrokeIsShared)
{
    const Stroke stroke = solidStroke();
    Stroke copy = stroke;
    copy.dashPhase = -0.0;
    expectSame(copy, stroke);
    EXPECT_NE(solidStroke(), stroke);
    Stroke dashed = stroke;
    dashed.dash = {5, 5};
    Stroke longer = stroke;
    longer.dash = {5, 5, 5};
    EXPECT_NE(dashed, longer);

    const Stroke& shared = defaultStroke();
    EXPECT_EQ(&shared, &defaultStroke());
    EXPECT_EQ(shared.strokeStyle(), (kit::StrokeStyle{3.0, kit::LineCap::round, kit::LineJoin::round, 10.0, {}, 0.0}));
}

TEST(GradientStop, ZerosCompareAndHashAlikeAndConversionKeepsOrder)
{
    expectSame(GradientStop{kit::Color::red(), 0.0}, GradientStop{kit::Color::red(), -0.0});
    EXPECT_TRUE(GradientStop::convert({}).empty());
    EXPECT_EQ(GradientStop::convert({{kit::Color::red(), 0.0}, {kit::Color::green(), 0.7}, {kit::Color::blue(), 0.2}}),
              (std::vector<kit::Gradient::Stop>{{kit::Color::red(), 0.0},
                                                {kit::Color::green(), 0.7},
                                                {kit::Color::blue(), 0.2}}));
}

TEST(ColourStyle, EachInitializerSetsOneMemberAndEveryMemberCounts)
{
    const ColourStyle flat(kit::Color::red());
    EXPECT_EQ(flat.colourType, ColourType::colour);
    EXPECT_FALSE(flat.colours || flat.stops || flat.startPoint || flat.endPoint);
    const ColourStyle gradient(std::vector{kit::Color::red()}, kit::UnitPoint::top(), kit::UnitPoint::bottom());
    EXPECT_EQ(gradient.colourType, ColourType::gradientColour);
    EXPECT_FALSE(gradient.colour || gradient.stops);
    EXPECT_EQ(gradient.endPoint, kit::UnitPoint::bottom());
    const ColourStyle stops(std::vector{GradientStop{kit::Color::red(), 0}}, kit::UnitPoint::leading(),
                            kit::UnitPoint::trailing());
    EXPECT_EQ(stops.colourType, ColourType::gradientStops);
    EXPECT_FALSE(stops.colour || stops.colours);

    expectSame(ColourStyle(kit::Color::rgb(0.2, 0.4, 0.6)), ColourStyle(kit::Color::rgb(0.2, 0.4, 0.6)));
    ColourStyle emptyList(kit::Color::red());
    emptyList.colours = std::vector<kit::Color>{};
    EXPECT_NE(emptyList, flat);
    EXPECT_NE(hashOf(emptyList), hashOf(flat));
}

TEST(LegendData, TakesItsArgumentsInItsOwnOrderAndComparesAllSixFields)
{
    const kit::UUID id;
    const LegendData entry(id, "Pears", ColourStyle(kit::Color::green()), solidStroke(), 2, ChartType::bar);
    EXPECT_EQ(entry.id, id);
    EXPECT_EQ(entry.legend, "Pears");
    EXPECT_EQ(entry.colour, ColourStyle(kit::Color::green()));
    EXPECT_EQ(entry.prioity, 2);
    EXPECT_EQ(entry.chartType, ChartType::bar);
    expectSame(LegendData(entry), entry);

    // Entries alike but for their id, or their stroke's id, are distinct.
    const LegendData other(kit::UUID(), "Pears", entry.colour, entry.strokeStyle, 2, ChartType::bar);
    LegendData otherStroke = entry;
    otherStroke.strokeStyle = solidStroke();
    EXPECT_EQ((std::unordered_set<LegendData>{entry, other, otherStroke}.size()), 3u);

    const ChartMetadata metadata("Title", "Subtitle", kit::Font::title(), kit::Color::red(), kit::Font::caption(),
                                 kit::Color::blue());
    EXPECT_EQ(metadata.subtitle, "Subtitle");
    EXPECT_EQ(metadata.titleFont, kit::Font::title());
    EXPECT_EQ(metadata.titleColour, kit::Color::red());
    EXPECT_EQ(metadata.subtitleFont, kit::Font::caption());
}

TEST(ChartOptions, CompareByCaseAndFloatingValue)
{
    EXPECT_TRUE(std::get<InfoBoxPlacement::InfoBox>(InfoBoxPlacement::infoBox(true).value).isStatic);
    EXPECT_FALSE(std::get<InfoBoxPlacement::InfoBox>(InfoBoxPlacement::infoBox(false).value).isStatic);

    expectSame(Baseline::minimumWithMaximum(0.0), Baseline::minimumWithMaximum(-0.0));
    EXPECT_NE(hashOf(Baseline::minimumValue()), hashOf(Baseline::zero()));
    EXPECT_NE(Baseline::minimumWithMaximum(std::nan("")), Baseline::minimumWithMaximum(std::nan("")));
    expectSame(Topline::maximum(-0.0), Topline::maximum(0.0));
    EXPECT_NE(hashOf(Topline::maximumValue()), hashOf(Topline::maximum(0)));
    // A case hashes as its position, then its associated values in order.
    EXPECT_EQ(hashOf(Baseline::minimumWithMaximum(2.5)), Hasher().combine(std::size_t{1}).combine(2.5).finalize());
    EXPECT_EQ(hashOf(Topline::maximumValue()), Hasher().combine(std::size_t{0}).finalize());
    EXPECT_NE(hashOf(Baseline::minimumWithMaximum(2.5)), hashOf(Baseline::minimumWithMaximum(3.5)));

    const PointStyle style{0.0, kit::Color::red(),        kit::Color::white(),
                           1,   PointType::filledOutLine, PointShape::circle};
    PointStyle negativeZero = style;
    negativeZero.pointSize = -0.0;
    expectSame(negativeZero, style);
    expectSame(PointColour{kit::Color::red(), kit::Color::blue()}, PointColour{kit::Color::red(), kit::Color::blue()});
    EXPECT_NE(hashOf(PointColour{kit::Color::red(), kit::Color::blue()}),
              hashOf(PointColour{kit::Color::blue(), kit::Color::red()}));
}

} // namespace
