// What the line chart views write back and announce: the measured frame in
// `viewData.chartSize` as they appear (not on a later resize), one layout
// notification half a second after each appearance with data and none
// without, and the axis borders their lines carry.

#include "LineViewTest.h"

#include "charts/axes/XAxisLabels.h"
#include "charts/axes/YAxisLabels.h"

namespace {

using namespace charts;
using namespace charts::testing;

// A chart of each kind, with a way to give every line new values.
struct AnyChart {
    const char* name;
    std::function<kit::View()> view;
    std::function<kit::Rect()> chartSize;
    std::function<void(std::vector<double>)> setValues;
};

template <class ChartData, class Chart>
AnyChart anyChart(const char* name, std::shared_ptr<ChartData> data,
                  std::function<void(typename ChartData::SetType&, const std::vector<double>&)> set)
{
    return {name, [=] { return kit::View(Chart(data)); }, [=] { return data->viewData->chartSize; },
            [=](std::vector<double> values) { data->dataSets.modify([&](auto& s) { set(s, values); }); }};
}

std::vector<AnyChart> everyChart()
{
    const auto line = [](LineDataSet& s, const std::vector<double>& v) { s.dataPoints = linePoints(v); };
    return {
        anyChart<LineChartData, LineChart<LineChartData>>("line", lineChart(lineSet({0, 10})), line),
        anyChart<LineChartData, FilledLineChart<LineChartData>>("filled", lineChart(lineSet({0, 10})), line),
        anyChart<MultiLineChartData, MultiLineChart<MultiLineChartData>>(
            "multi-line", multiLineChart({lineSet({0, 10}), lineSet({10, 0})}),
            [](MultiLineDataSet& s, const std::vector<double>& v) {
                for (LineDataSet& set : s.dataSets)
                    set.dataPoints = linePoints(v);
            }),
        anyChart<RangedLineChartData, RangedLineChart<RangedLineChartData>>(
            "ranged", rangedChart({{0, 10, 0}, {10, 10, 0}}),
            [](RangedLineDataSet& s, const std::vector<double>& v) {
                s.dataPoints.clear();
                for (double value : v)
                    s.dataPoints.emplace_back(value, 10, 0);
            }),
    };
}

using LineChartLayout = UiTest;

TEST_F(LineChartLayout, TheFrameIsWrittenAndANotificationPostedOnEachAppearanceWithData)
{
    for (const AnyChart& chart : everyChart()) {
        LayoutNotices notices;
        kit::ViewHost host(kit::View(chart.view()).frame(200, 100), {300, 200});
        host.update();
        expectRect(chart.chartSize(), kit::Rect(0, 0, 200, 100)); // in the reader's own space
        kit::Clock::advance(0.49);
        EXPECT_TRUE(notices.objects.empty()) << chart.name;
        kit::Clock::advance(0.02);
        EXPECT_EQ(notices.objects.size(), 1u) << chart.name;

        // A resize and a redraw are no appearance: the lines follow, the size stays.
        host.setRoot(kit::View(chart.view()).frame(240, 150));
        chart.setValues({0, 5});
        host.update();
        kit::Clock::advance(1);
        EXPECT_NEAR(hostPath(painted(host).back()).boundingRect().maxX(), 270, 1e-9) << chart.name;
        expectRect(chart.chartSize(), kit::Rect(0, 0, 200, 100));
        EXPECT_EQ(notices.objects.size(), 1u) << chart.name;

        host.setVisible(false);
        host.setVisible(true);
        kit::runUntilIdle();
        kit::Clock::advance(0.6);
        expectRect(chart.chartSize(), kit::Rect(0, 0, 240, 150));
        EXPECT_EQ(notices.objects.size(), 2u) << chart.name;

        // Without data the no-data view appears, writing and posting nothing.
        chart.setValues({5});
        host.update();
        host.setVisible(false);
        host.setVisible(true);
        kit::runUntilIdle();
        kit::Clock::advance(0.6);
        EXPECT_EQ(notices.objects.size(), 2u) << chart.name;
    }
    auto empty = lineChart(lineSet({3}));
    kit::ViewHost host{LineChart(empty), {200, 100}};
    host.update();
    EXPECT_TRUE(empty->viewData->chartSize.isEmpty());
}

TEST_F(LineChartLayout, TheNotificationCarriesTheChartViewAndEndsWithItsHost)
{
    LayoutNotices notices;
    auto data = lineChart(lineSet({0, 10}));
    const std::weak_ptr<LineChartData> watched = data;
    {
        kit::ViewHost host{LineChart(data), {200, 100}};
        host.update();
        kit::Clock::advance(0.2);
        host.setVisible(false);
        host.setVisible(true);
        kit::runUntilIdle();
        kit::Clock::advance(0.49);
        EXPECT_TRUE(notices.objects.empty()) << "appearing again replaces the pending post";
        kit::Clock::advance(0.02);
        ASSERT_EQ(notices.objects.size(), 1u);
        const auto posted = notices.objects[0].as<LineChart<LineChartData>>();
        ASSERT_TRUE(posted);
        EXPECT_EQ(posted->chartData.object(), data);
        host.setVisible(false);
        host.setVisible(true);
        kit::runUntilIdle();
    }
    data.reset();
    kit::Clock::advance(1);
    EXPECT_EQ(notices.objects.size(), 1u) << "the pending post went with its host";
    notices.objects.clear();
    EXPECT_TRUE(watched.expired()) << "nothing keeps the chart data alive";
}

TEST_F(LineChartLayout, EachLineCarriesTheAxisBordersItsLayoutRecordAsksFor)
{
    // The dividers are the only separator-coloured items: one per border per line.
    const auto dividers = [](kit::ViewHost& host) {
        return std::count_if(host.displayList().items.begin(), host.displayList().items.end(), [](const auto& item) {
            return std::get<kit::Color>(item.paint).resolved() == kit::Color::separator().resolved();
        });
    };
    for (const auto& [x, y] : {std::pair{false, false}, {true, false}, {false, true}, {true, true}}) {
        auto data = still(multiLineChart({lineSet({0, 10}), lineSet({10, 0})}));
        data->viewData.modify([&](ChartViewData& v) {
            v.hasXAxisLabels = x;
            v.hasYAxisLabels = y;
        });
        kit::ViewHost host{MultiLineChart(data), {200, 100}};
        EXPECT_EQ(dividers(host), 2 * (int(x) + int(y))) << x << y;
        data->viewData.modify([](ChartViewData& v) { v.hasXAxisLabels = v.hasYAxisLabels = false; });
        host.update();
        EXPECT_EQ(dividers(host), 0) << "read again at each redraw";
    }

    // The axis-label decorations set the flags as they appear; the line
    // takes its borders at the redraw that follows.
    auto data = still(lineChart(lineSet({0, 10})));
    kit::ViewHost host{applyYAxisLabels(applyXAxisLabels(LineChart(data), data), data), {300, 200}};
    kit::runUntilIdle();
    EXPECT_EQ(dividers(host), 2);
}

} // namespace
