#include "charts/core/Baseline.h"
#include "charts/core/ChartMetadata.h"
#include "charts/core/ColourStyle.h"
#include "charts/core/InfoBoxPlacement.h"
#include "charts/core/LegendData.h"
#include "charts/core/PointColour.h"
#include "charts/core/PointStyle.h"
#include "charts/core/Stroke.h"
#include "charts/core/Topline.h"

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

Stroke solidStroke() { return Stroke(2, kit::LineCap::round, kit::LineJoin::bevel, 10, {}, 0); }

TEST(Stroke, OnlyCopiesOfOneStrokeAreEqual)
{
    const Stroke stroke = solidStroke();
    const Stroke copy = stroke;
    EXPECT_EQ(copy, stroke);
    EXPECT_EQ(hashOf(copy), hashOf(stroke));
    EXPECT_NE(solidStroke(), stroke);

    Stroke dashed = stroke;
    dashed.dash = {5, 5};
    Stroke longer = stroke;
    longer.dash = {5, 5, 5};
    EXPECT_NE(dashed, longer);

    Stroke negativeZero = stroke;
    negativeZero.dashPhase = -0.0;
    EXPECT_EQ(negativeZero, stroke);
    EXPECT_EQ(hashOf(negativeZero), hashOf(stroke));
}

TEST(Stroke, DefaultStrokeIsOneSharedRoundStrokeOfWidthThree)
{
    const Stroke& stroke = defaultStroke();
    EXPECT_EQ(&stroke, &defaultStroke());
    EXPECT_EQ(stroke.lineWidth, 3.0);
    EXPECT_EQ(stroke.lineCap, kit::LineCap::round);
    EXPECT_EQ(stroke.lineJoin, kit::LineJoin::round);
    EXPECT_EQ(stroke.miterLimit, 10.0);
    EXPECT_TRUE(stroke.dash.empty());
    EXPECT_EQ(stroke.dashPhase, 0.0);
    EXPECT_EQ(stroke.strokeStyle(), (kit::StrokeStyle{3.0, kit::LineCap::round, kit::LineJoin::round, 10.0, {}, 0.0}));
}

TEST(GradientStop, ZerosCompareAndHashAlikeAndConversionKeepsOrder)
{
    const GradientStop positive{kit::Color::red(), 0.0};
    const GradientStop negative{kit::Color::red(), -0.0};
    EXPECT_EQ(positive, negative);
    EXPECT_EQ(hashOf(positive), hashOf(negative));
    EXPECT_NE(positive, (GradientStop{kit::Color::blue(), 0.0}));

    EXPECT_TRUE(GradientStop::convert({}).empty());
    const auto converted = GradientStop::convert(
        {{kit::Color::red(), 0.0}, {kit::Color::green(), 0.7}, {kit::Color::blue(), 0.2}});
    ASSERT_EQ(converted.size(), 3u);
    EXPECT_EQ(converted[0], (kit::Gradient::Stop{kit::Color::red(), 0.0}));
    EXPECT_EQ(converted[1], (kit::Gradient::Stop{kit::Color::green(), 0.7}));
    EXPECT_EQ(converted[2], (kit::Gradient::Stop{kit::Color::blue(), 0.2}));
}

TEST(ColourStyle, EachInitializerSetsExactlyOneMember)
{
    const ColourStyle flat(kit::Color::red());
    EXPECT_EQ(flat.colourType, ColourType::colour);
    EXPECT_EQ(flat.colour, kit::Color::red());
    EXPECT_FALSE(flat.colours || flat.stops || flat.startPoint || flat.endPoint);

    const ColourStyle gradient(std::vector{kit::Color::red(), kit::Color::blue()}, kit::UnitPoint::top(),
                               kit::UnitPoint::bottom());
    EXPECT_EQ(gradient.colourType, ColourType::gradientColour);
    EXPECT_FALSE(gradient.colour || gradient.stops);
    EXPECT_EQ(gradient.startPoint, kit::UnitPoint::top());
    EXPECT_EQ(gradient.endPoint, kit::UnitPoint::bottom());

    const ColourStyle stops(std::vector{GradientStop{kit::Color::red(), 0}}, kit::UnitPoint::leading(),
                            kit::UnitPoint::trailing());
    EXPECT_EQ(stops.colourType, ColourType::gradientStops);
    EXPECT_FALSE(stops.colour || stops.colours);
    ASSERT_TRUE(stops.stops);
    EXPECT_EQ(stops.stops->size(), 1u);
}

TEST(ColourStyle, EqualityAndHashingFollowEveryMember)
{
    EXPECT_EQ(ColourStyle(kit::Color::rgb(0.2, 0.4, 0.6)), ColourStyle(kit::Color::rgb(0.2, 0.4, 0.6)));
    EXPECT_EQ(hashOf(ColourStyle(kit::Color::rgb(0.2, 0.4, 0.6))), hashOf(ColourStyle(kit::Color::rgb(0.2, 0.4, 0.6))));
    EXPECT_NE(ColourStyle(kit::Color::red()), ColourStyle(kit::Color::blue()));

    ColourStyle emptyList(kit::Color::red());
    emptyList.colours = std::vector<kit::Color>{};
    EXPECT_NE(emptyList, ColourStyle(kit::Color::red()));
    EXPECT_NE(hashOf(emptyList), hashOf(ColourStyle(kit::Color::red())));

    const ColourStyle a(std::vector{kit::Color::red()}, kit::UnitPoint::leading(), kit::UnitPoint::trailing());
    const ColourStyle b(std::vector{kit::Color::red()}, kit::UnitPoint::leading(), kit::UnitPoint::bottom());
    EXPECT_NE(a, b);
}

TEST(LegendData, EntriesDifferingInIdOrStrokeIdAreDistinct)
{
    const Stroke stroke = solidStroke();
    const ColourStyle colour(kit::Color::red());
    const LegendData first(kit::UUID(), "Apples", colour, stroke, 1, ChartType::line);
    const LegendData second(kit::UUID(), "Apples", colour, stroke, 1, ChartType::line);
    EXPECT_NE(first, second);
    const std::unordered_set<LegendData> set{first, second};
    EXPECT_EQ(set.size(), 2u);

    const LegendData copy = first;
    EXPECT_EQ(copy, first);
    EXPECT_EQ(hashOf(copy), hashOf(first));

    LegendData otherStroke = first;
    otherStroke.strokeStyle = solidStroke();
    EXPECT_NE(otherStroke, first);
    LegendData noStroke = first;
    noStroke.strokeStyle.reset();
    EXPECT_NE(noStroke, first);
}

TEST(LegendData, InitializerTakesItsArgumentsInItsOwnOrder)
{
    const kit::UUID id;
    const LegendData entry(id, "Pears", ColourStyle(kit::Color::green()), std::nullopt, 2, ChartType::bar);
    EXPECT_EQ(entry.id, id);
    EXPECT_EQ(entry.legend, "Pears");
    EXPECT_EQ(entry.colour, ColourStyle(kit::Color::green()));
    EXPECT_FALSE(entry.strokeStyle);
    EXPECT_EQ(entry.prioity, 2);
    EXPECT_EQ(entry.chartType, ChartType::bar);

    const ChartMetadata metadata("Title", "Subtitle", kit::Font::title(), kit::Color::red(), kit::Font::caption(),
                                 kit::Color::blue());
    EXPECT_EQ(metadata.title, "Title");
    EXPECT_EQ(metadata.subtitle, "Subtitle");
    EXPECT_EQ(metadata.titleFont, kit::Font::title());
    EXPECT_EQ(metadata.titleColour, kit::Color::red());
    EXPECT_EQ(metadata.subtitleFont, kit::Font::caption());
    EXPECT_EQ(metadata.subtitleColour, kit::Color::blue());
}

TEST(InfoBoxPlacement, InfoBoxCarriesItsStaticFlag)
{
    const auto fixed = InfoBoxPlacement::infoBox(true);
    const auto moving = InfoBoxPlacement::infoBox(false);
    ASSERT_TRUE(fixed.is<InfoBoxPlacement::InfoBox>());
    ASSERT_TRUE(moving.is<InfoBoxPlacement::InfoBox>());
    EXPECT_TRUE(std::get<InfoBoxPlacement::InfoBox>(fixed.value).isStatic);
    EXPECT_FALSE(std::get<InfoBoxPlacement::InfoBox>(moving.value).isStatic);
    EXPECT_TRUE(InfoBoxPlacement::header().is<InfoBoxPlacement::Header>());
}

TEST(BaselineAndTopline, CompareByCaseAndFloatingValue)
{
    EXPECT_EQ(Baseline::minimumWithMaximum(0.0), Baseline::minimumWithMaximum(-0.0));
    EXPECT_EQ(hashOf(Baseline::minimumWithMaximum(0.0)), hashOf(Baseline::minimumWithMaximum(-0.0)));
    EXPECT_NE(Baseline::minimumValue(), Baseline::zero());
    EXPECT_NE(hashOf(Baseline::minimumValue()), hashOf(Baseline::zero()));
    EXPECT_NE(Baseline::minimumWithMaximum(std::nan("")), Baseline::minimumWithMaximum(std::nan("")));
    EXPECT_NE(Baseline::minimumWithMaximum(1), Baseline::minimumWithMaximum(2));

    EXPECT_EQ(Topline::maximum(-0.0), Topline::maximum(0.0));
    EXPECT_EQ(hashOf(Topline::maximum(-0.0)), hashOf(Topline::maximum(0.0)));
    EXPECT_NE(Topline::maximumValue(), Topline::maximum(0));
    EXPECT_NE(hashOf(Topline::maximumValue()), hashOf(Topline::maximum(0)));
}

TEST(PointStyle, ComparesAndHashesFieldByField)
{
    const PointStyle style{0.0, kit::Color::red(), kit::Color::white(), 1, PointType::filledOutLine, PointShape::circle};
    PointStyle negativeZero = style;
    negativeZero.pointSize = -0.0;
    EXPECT_EQ(negativeZero, style);
    EXPECT_EQ(hashOf(negativeZero), hashOf(style));
    PointStyle square = style;
    square.pointShape = PointShape::square;
    EXPECT_NE(square, style);

    const PointColour colour{kit::Color::red(), kit::Color::blue()};
    EXPECT_EQ(colour, (PointColour{kit::Color::red(), kit::Color::blue()}));
    EXPECT_NE(colour, (PointColour{kit::Color::blue(), kit::Color::red()}));
    EXPECT_EQ(hashOf(colour), hashOf(PointColour{kit::Color::red(), kit::Color::blue()}));
}

} // namespace
