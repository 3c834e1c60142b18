#include "AxesTest.h"

#include "charts/axes/YAxisLabelValues.h"

#include <cmath>
#include <limits>

namespace {

using namespace charts;
using namespace charts::testing;

static_assert(ValueRangeChartData<ValueChart> && GetDataProtocol<ValueChart>);
static_assert(!ValueRangeChartData<TestAxisChart>, "a data set without data functions has no value range");
static_assert(HorizontalChartData<HorizontalValueChart> && !HorizontalChartData<ValueChart>);

const double nan = std::numeric_limits<double>::quiet_NaN();

// The value range of every bar class is tested row by row in
// BarValueRangeTests; here, what holds for any chart with axes.

TEST(ValueRange, ADataExtremeThatIsNotANumberPassesThroughTheGivenEnds)
{
    const auto chart = std::make_shared<ValueChart>(std::vector<double>{nan},
                                                    axisStyle(Baseline::minimumWithMaximum(4), Topline::maximum(4)));
    EXPECT_TRUE(std::isnan(chart->minValue()));
    EXPECT_TRUE(std::isnan(chart->maxValue()));
    EXPECT_TRUE(std::isnan(chart->range()));
}

// Gives "+n" for a value that is not negative, and nothing for a negative one.
struct PositiveOnly : kit::NumberFormatter {
    std::optional<std::string> string(double value) const override
    {
        if (value < 0)
            return std::nullopt;
        return "+" + std::to_string(int(value));
    }
};

struct LabelCase {
    const char* name;
    std::vector<double> values;
    YAxisLabelType type;
    std::int64_t count;
    std::optional<std::vector<std::string>> custom;
    std::string specifier;
    NumberFormatterPtr formatter;
    std::vector<std::string> expected;
};

TEST(YAxisLabelValues, NumericLabelsSpreadTheRangeLowestFirstAndCustomLabelsAreTakenAsTheyStand)
{
    const auto positive = std::make_shared<PositiveOnly>();
    using V = std::vector<std::string>;
    const LabelCase cases[] = {
        {"two labels", {0, 10}, YAxisLabelType::numeric, 2, {}, "%.0f", nullptr, V{"0", "10"}},
        {"five labels", {-20, 80}, YAxisLabelType::numeric, 5, {}, "%.0f", nullptr, V{"-20", "5", "30", "55", "80"}},
        {"a range of 0", {4, 4}, YAxisLabelType::numeric, 3, {}, "%.1f", nullptr, V{"4.0", "4.0", "4.0"}},
        {"an invalid specifier", {0, 3}, YAxisLabelType::numeric, 2, {}, "%d", nullptr, V{"0", "3"}},
        {"the formatter, or the specifier where it gives nothing",
         {-20, 80},
         YAxisLabelType::numeric,
         3,
         {},
         "%.1f",
         positive,
         V{"-20.0", "+30", "+80"}},
        {"one label: the lowest value", {2, 9}, YAxisLabelType::numeric, 1, {}, "%.0f", nullptr, V{"2"}},
        {"no labels", {2, 9}, YAxisLabelType::numeric, 0, {}, "%.0f", nullptr, V{}},
        {"a negative count", {2, 9}, YAxisLabelType::numeric, -3, {}, "%.0f", nullptr, V{}},
        {"custom", {2, 9}, YAxisLabelType::custom, 7, V{"a", "b", "c"}, "%.0f", nullptr, V{"a", "b", "c"}},
        {"custom without labels", {2, 9}, YAxisLabelType::custom, 7, std::nullopt, "%.0f", nullptr, V{}},
    };
    for (const LabelCase& c : cases) {
        TestAxisStyle style;
        style.yAxisLabelType = c.type;
        style.yAxisNumberOfLabels = c.count;
        const auto chart = std::make_shared<ValueChart>(c.values, style);
        chart->yAxisLabels = c.custom;
        EXPECT_EQ(yAxisLabelValues(*chart, c.specifier, c.formatter), c.expected) << c.name;
    }
}

} // namespace
