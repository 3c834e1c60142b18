#include "OverlayTest.h"
#include "tests/charts/line/LineTest.h"

#include "charts/overlays/ExtraYAxisLabels.h"

namespace {

using namespace charts;
using namespace charts::testing;

// A 200 × 100 chart (a red fill, marked as the plot) with an extra line of
// 0 to 100 and two labels, "0" and "100": in the size-10 caption font the
// column is 18 wide, and half a label (6) is kept free above and below.
class ExtraYAxisLabelsTest : public UiTest {
protected:
    std::shared_ptr<LineChartData> chart = lineChart(lineSet({1, 2, 3}));
    kit::ViewHost host{kit::EmptyView(), {200, 100}};

    void setUp(YAxisLabelPosistion position, std::optional<std::string> title)
    {
        chart->chartStyle.modify([&](auto& style) { style.yAxisLabelPosition = position; });
        ExtraLineStyle style = extraLineStyle();
        style.yAxisNumberOfLabels = 2;
        style.yAxisTitle = std::move(title);
        chart->extraLineData = extraLine({0, 100}, style);
    }
    void show()
    {
        host.setRoot(kit::EmptyView());
        host.update();
        host.setRoot(
            applyExtraYAxisLabels(kit::View(kit::Color::red()).id("chart").layoutAnchor(plotAnchor(chart.get())), chart,
                                  "%.2f", AxisColour::none()));
        host.update();
        host.update();
    }
    kit::Rect textFrame(const std::string& text)
    {
        const kit::DisplayItem* item = host.displayList().textItem(text);
        EXPECT_TRUE(item) << text;
        return item ? item->hostBounds() : kit::Rect::null();
    }
};

TEST_F(ExtraYAxisLabelsTest, LabelsStandOppositeTheChartsOwnPaddedTowardItWithTheTitleOutermost)
{
    struct Case {
        const char* what;
        YAxisLabelPosistion position;
        kit::Rect chartFrame;
        double labelsMinX, labelsMaxX; // of the label "100"
    };
    const Case cases[] = {
        // The chart's own labels on the left: the extra column on the right, 4 clear of the chart.
        {"own labels leading", YAxisLabelPosistion::leading, {0, 6, 178, 88}, 182, 200},
        {"own labels trailing", YAxisLabelPosistion::trailing, {22, 6, 178, 88}, 0, 18},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        setUp(c.position, std::nullopt);
        show();
        expectRect(frameOf(host, "chart"), c.chartFrame);
        const kit::Rect label = textFrame("100");
        EXPECT_NEAR(label.minX(), c.labelsMinX, 1e-6);
        EXPECT_NEAR(label.maxX(), c.labelsMaxX, 1e-6);
        // Formatted with the layout's format, not the modifier's "%.2f".
        EXPECT_NE(host.displayList().textItem("0"), nullptr);
    }

    // With a title, it stands outside the labels on the same side.
    setUp(YAxisLabelPosistion::leading, "Cost");
    show();
    EXPECT_GT(textFrame("Cost").minX(), textFrame("100").maxX());
    EXPECT_GT(textFrame("100").minX(), frameOf(host, "chart").maxX());
    setUp(YAxisLabelPosistion::trailing, "Cost");
    show();
    EXPECT_LT(textFrame("Cost").maxX(), textFrame("100").minX());
    EXPECT_LT(textFrame("100").maxX(), frameOf(host, "chart").minX());
}

TEST_F(ExtraYAxisLabelsTest, AppearingMarksTheLayoutAsLabelledEvenWithoutData)
{
    for (bool data : {true, false}) {
        SCOPED_TRACE(data ? "with data" : "without data");
        chart = lineChart(lineSet(data ? std::vector<double>{1, 2} : std::vector<double>{}));
        setUp(YAxisLabelPosistion::leading, "Cost");
        EXPECT_FALSE(chart->viewData->hasYAxisLabels);
        show();
        EXPECT_TRUE(chart->viewData->hasYAxisLabels);
        if (!data) {
            expectRect(frameOf(host, "chart"), {0, 0, 200, 100});
            EXPECT_TRUE(textItems(host).empty());
        }
    }
    // Without an extra line: no labels and no title; the chart keeps the width left.
    chart = lineChart(lineSet({1, 2}));
    show();
    EXPECT_EQ(texts(host), std::vector<std::string>{});
}

} // namespace
