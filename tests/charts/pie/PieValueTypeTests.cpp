#include "charts/pie/CTPieDataPoint.h"
#include "charts/pie/PieDataSet.h"

#include <gtest/gtest.h>

#include <numbers>
#include <unordered_set>

namespace {

using namespace charts;

static_assert(CTPieDataPoint<PieChartDataPoint>);

template <class T>
std::size_t hashOf(const T& value)
{
    return std::hash<T>{}(value);
}

PieChartDataPoint slice(double value, const char* description)
{
    return PieChartDataPoint(value, description, std::nullopt, kit::Color::blue(),
                             OverlayType::label("x", kit::Color::white(), kit::Font::caption(), 0.5));
}

TEST(PieChartDataPoint, ColourAndLegendTagTakeNoPartInEqualityOrHashing)
{
    const PieChartDataPoint point = slice(4, "Apples");
    PieChartDataPoint copy = point;
    copy.colour = kit::Color::red();
    copy.legendTag = "Fruit";
    EXPECT_EQ(copy, point);
    EXPECT_EQ(hashOf(copy), hashOf(point));

    EXPECT_NE(slice(4, "Apples"), point); // a fresh id

    for (auto change : std::initializer_list<void (*)(PieChartDataPoint&)>{
             [](PieChartDataPoint& p) { p.value = 5; },
             [](PieChartDataPoint& p) { p.description.reset(); },
             [](PieChartDataPoint& p) { p.date = kit::Date{10}; },
             [](PieChartDataPoint& p) { p.label = OverlayType::none(); },
             [](PieChartDataPoint& p) { p.startAngle = 1; },
             [](PieChartDataPoint& p) { p.amount = 1; },
         }) {
        PieChartDataPoint changed = point;
        change(changed);
        EXPECT_NE(changed, point);
    }

    PieChartDataPoint zero = point;
    zero.startAngle = 0.0;
    PieChartDataPoint negativeZero = point;
    negativeZero.startAngle = -0.0;
    EXPECT_EQ(zero, negativeZero);
    EXPECT_EQ(hashOf(zero), hashOf(negativeZero));
}

TEST(PieChartDataPoint, FormatsItsValueBySpecifierOrFormatter)
{
    const PieChartDataPoint point = slice(2.5, "Apples");
    EXPECT_EQ(point.formattedValue("%.0f", nullptr), "2");
    EXPECT_EQ(point.formattedValue("%.1f%%", nullptr), "2.5%");
    EXPECT_EQ(point.formattedValue("%d", nullptr), "2");
    const auto decimal = std::make_shared<kit::NumberFormatter>(kit::NumberFormatter::Style::decimal);
    EXPECT_EQ(point.formattedValue("%.0f", decimal), "2.5");
}

TEST(OverlayType, EqualWhenTheCaseAndEveryValueAgree)
{
    const auto label = OverlayType::label("a", kit::Color::white(), kit::Font::caption(), 0.5);
    EXPECT_EQ(label, OverlayType::label("a", kit::Color::white(), kit::Font::caption(), 0.5));
    EXPECT_EQ(hashOf(label), hashOf(OverlayType::label("a", kit::Color::white(), kit::Font::caption(), 0.5)));
    EXPECT_NE(label, OverlayType::label("a", kit::Color::white(), kit::Font::caption(), 0.6));
    EXPECT_NE(label, OverlayType::label("a", kit::Color::white(), kit::Font::body(), 0.5));
    EXPECT_NE(OverlayType::icon("star", kit::Color::white(), 24, 0.5),
              OverlayType::icon("star", kit::Color::white(), 20, 0.5));
    EXPECT_EQ(OverlayType::none(), OverlayType::none());
    EXPECT_NE(OverlayType::none(), label);
    EXPECT_NE(hashOf(OverlayType::none()), hashOf(OverlayType::icon("", kit::Color::clear(), 0, 0)));
}

TEST(PieDataSet, ComparesIdPointsAndTitle)
{
    const PieDataSet set({slice(1, "a"), slice(2, "b")}, "Fruit");
    PieDataSet copy = set;
    EXPECT_EQ(copy, set);
    EXPECT_EQ(hashOf(copy), hashOf(set));
    copy.dataPoints[1].colour = kit::Color::green();
    EXPECT_EQ(copy, set);
    copy.dataPoints[1].value = 3;
    EXPECT_NE(copy, set);
    copy = set;
    copy.legendTitle = "Veg";
    EXPECT_NE(copy, set);
    EXPECT_NE(PieDataSet(set.dataPoints, "Fruit"), set);
    const std::unordered_set<PieDataSet> sets{set, copy};
    EXPECT_EQ(sets.size(), 2u);
}

} // namespace
