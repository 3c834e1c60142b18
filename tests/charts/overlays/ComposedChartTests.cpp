// Charts composed as a library user composes them (a chart view with its
// grids and axis labels, or with every decoration at once), rendered
// offscreen and read in the display list and in pixels: the plot keeps its
// height when no x-axis label is given, x-axis labels stand under their
// points and level with each other, the parts of a stacked bar meet without
// a seam, and a press on a decoration reaches the chart.

#include "DecoratedCharts.h"
#include "OverlayTest.h"
#include "POITest.h"

#include "charts/axes/AxisGrid.h"
#include "charts/axes/XAxisLabels.h"
#include "charts/axes/YAxisLabels.h"
#include "charts/bar/BarChart.h"
#include "charts/bar/RangedBarChart.h"
#include "charts/bar/StackedBarChart.h"
#include "charts/line/FilledLineChart.h"
#include "charts/line/LineChart.h"
#include "charts/line/PointMarkers.h"

#include <QImage>

#include <functional>
#include <string>
#include <vector>

namespace {

using namespace charts;
using namespace charts::testing;

class ComposedCharts : public AxisViewTest {
protected:
    // `plot` (marked "plot") with both grids, then x-axis labels, then
    // y-axis labels, the order the README gives.
    template <class Chart>
    static kit::View withAxes(const std::shared_ptr<Chart>& chart, const kit::View& plot)
    {
        chart->disableAnimation = true;
        kit::View view = applyYAxisGrid(applyXAxisGrid(plot.id("plot"), chart), chart);
        view = applyXAxisLabels(view, chart);
        return applyYAxisLabels(view, chart, "%.0f");
    }

    static const DrawnText& drawn(const std::vector<DrawnText>& texts, const std::string& text)
    {
        static const DrawnText none{"", kit::Rect::null()};
        for (const DrawnText& t : texts)
            if (t.text == text)
                return t;
        ADD_FAILURE() << "no text " << text;
        return none;
    }
};

// Month labels for the first points of a line chart.
void labelMonths(LineChartData& chart)
{
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr"};
    chart.dataSets.modify([](LineDataSet& set) {
        for (std::size_t i = 0; i < set.dataPoints.size() && i < 4; ++i)
            set.dataPoints[i].xAxisLabel = months[i];
    });
}

TEST_F(ComposedCharts, WithoutXAxisLabelsThePlotTakesTheWholeHeightBesideItsYAxisLabels)
{
    // 400 × 300, values from 0 to 100 (y-axis labels 0, 25, 50, 75, 100),
    // no point with an x-axis label. Half a y-axis label is kept free above
    // and below the plot (the line style's labels are 12 high, the bar
    // style's 6); under the plot only the stack's spacing of 8 and the 2
    // points of padding of the empty label row remain: the plot is
    // 300 − 2 · half − 10 high, and the middle label, 50, stands on its middle.
    const auto line = lineChart(lineSet({0, 40, 80, 100}));
    const auto filled = lineChart(lineSet({0, 40, 80, 100}));
    const auto ranged = rangedData({{0, 40}, {20, 100}});
    ranged->dataSets.modify([](RangedBarDataSet& set) {
        for (RangedBarDataPoint& point : set.dataPoints)
            point.xAxisLabel = std::nullopt;
    });
    const struct {
        const char* name;
        kit::View chart;
        double half;
    } cases[] = {
        {"line", withAxes(line, LineChart<LineChartData>(line)), 6},
        {"filled line", withAxes(filled, FilledLineChart<LineChartData>(filled)), 6},
        {"ranged bar", withAxes(ranged, RangedBarChart<RangedBarChartData>(ranged)), 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        kit::ViewHost host(c.chart, {400, 300});
        settle(host);
        const kit::Rect plot = frameOf(host, "plot");
        EXPECT_NEAR(plot.minY(), c.half, 1e-9);
        EXPECT_NEAR(plot.height(), 300 - 2 * c.half - 10, 1e-9);
        EXPECT_NEAR(drawn(drawnTexts(host), "50").bounds.midY(), plot.midY(), 1e-9);
    }
}

TEST_F(ComposedCharts, XAxisLabelsStandOnTheirPointsLevelWithEachOther)
{
    // Four points on each chart, labelled. Bars stand in the middles of four
    // equal slots, a line's points from the plot's left edge to its right
    // edge. Every label's text has its middle on its point's x and stands
    // 8 + 2 points clear of the plot: the stack's spacing and the row's
    // padding.
    const auto slot = [](const kit::Rect& plot, int i) { return plot.minX() + plot.width() / 4 * (i + 0.5); };
    const auto point = [](const kit::Rect& plot, int i) { return plot.minX() + plot.width() / 3 * i; };
    for (const XAxisLabelPosistion position : {XAxisLabelPosistion::bottom, XAxisLabelPosistion::top}) {
        const auto placed = [position](auto chart) {
            chart->chartStyle.modify([position](auto& style) { style.xAxisLabelPosition = position; });
            return chart;
        };
        const auto bars = placed(barData({10, 20, 30, 40}));
        const auto ranged = placed(rangedData({{0, 20}, {10, 40}, {20, 30}, {30, 40}}));
        const auto line = placed(lineChart(lineSet({10, 20, 30, 40})));
        labelMonths(*line);
        const struct {
            const char* name;
            kit::View chart;
            std::vector<std::string> labels;
            std::function<double(const kit::Rect&, int)> x;
        } cases[] = {
            {"bar", withAxes(bars, BarChart<BarChartData>(bars)), {"L0", "L1", "L2", "L3"}, slot},
            {"ranged bar",
             withAxes(ranged, RangedBarChart<RangedBarChartData>(ranged)),
             {"R0", "R1", "R2", "R3"},
             slot},
            {"line", withAxes(line, LineChart<LineChartData>(line)), {"Jan", "Feb", "Mar", "Apr"}, point},
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (position == XAxisLabelPosistion::top ? " above" : " below"));
            kit::ViewHost host(c.chart, {400, 300});
            settle(host);
            const kit::Rect plot = frameOf(host, "plot");
            const std::vector<DrawnText> texts = drawnTexts(host);
            for (int i = 0; i < 4; ++i) {
                const std::string& text = c.labels[std::size_t(i)];
                const kit::Rect label = drawn(texts, text).bounds;
                EXPECT_NEAR(label.midX(), c.x(plot, i), 1e-9) << text;
                if (position == XAxisLabelPosistion::bottom)
                    EXPECT_NEAR(label.minY(), plot.maxY() + 10, 1e-9) << text;
                else
                    EXPECT_NEAR(label.maxY(), plot.minY() - 10, 1e-9) << text;
            }
        }
    }
}

TEST_F(ComposedCharts, TheStackedPartsOfABarMeetWithoutASeam)
{
    // One column of 1 (red, at the bottom) and 2 (green) filling a chart
    // 100 high: the parts meet at y = 100 − 100/3 = 66.67, two thirds of
    // the way into pixel row 66 (at scale 2, a third into row 133). Down the
    // middle of the bar every pixel is wholly painted in one part's colour,
    // those rows included.
    const auto chart = stackedData({{1, 2}});
    chart->disableAnimation = true;
    const QColor red = kit::Color::red().resolved().toQColor(), green = kit::Color::green().resolved().toQColor();
    for (const double scale : {1.0, 2.0}) {
        kit::ViewHost host(StackedBarChart<StackedBarChartData>(chart), {100, 100});
        const QImage image = host.renderImage(scale);
        for (int y = 0; y < image.height(); ++y) {
            const QColor c = image.pixelColor(image.width() / 2, y);
            EXPECT_TRUE(c == red || c == green)
                << "row " << y << " at scale " << scale << ": " << c.name(QColor::HexArgb).toStdString();
        }
    }
}

TEST_F(ComposedCharts, APressOnADecorationOverThePlotReachesTheChart)
{
    // A bar and a line chart with every decoration: a press on a point of
    // interest's line or label, on the trend line, or on the extra line or
    // one of its markers starts a touch of the chart, as a press on the plot
    // itself does, and its release ends it.
    using gallery::decoratedBarChart;
    using gallery::decoratedLineChart;
    const auto bars = gallery::galleryBarData();
    const auto line = gallery::galleryLineData();
    const auto check = [&](const char* name, const kit::View& chart, auto data) {
        SCOPED_TRACE(name);
        data->disableAnimation = true;
        kit::ViewHost host(chart, {760, 600});
        settle(host);
        const auto longest = [&](kit::Color colour) {
            const kit::DisplayItem* best = nullptr;
            for (const kit::DisplayItem* item : itemsPainted(host, colour, kit::DisplayItem::Kind::stroke)) {
                const kit::Rect b = item->hostBounds();
                if (!best || b.width() + b.height() > best->hostBounds().width() + best->hostBounds().height())
                    best = item;
            }
            return best;
        };
        // A quarter of the way along the first piece of a line item.
        const auto alongLine = [](const kit::DisplayItem* item) {
            const auto& elements = item->path.elements();
            const kit::Point a = item->transform.apply(elements.at(0).point);
            const kit::Point b = item->transform.apply(elements.at(1).point);
            return kit::Point{a.x + (b.x - a.x) / 4, a.y + (b.y - a.y) / 4};
        };
        const kit::DisplayItem* goal = longest(gallery::goalColour());
        const kit::DisplayItem* peak = longest(gallery::peakColour());
        const kit::DisplayItem* trend = longest(gallery::trendColour());
        const kit::DisplayItem* extra = longest(gallery::extraColour());
        const auto markers = itemsPainted(host, gallery::extraFill(), kit::DisplayItem::Kind::fill);
        ASSERT_TRUE(goal && peak && trend && extra);
        ASSERT_EQ(markers.size(), 6u);
        // The labels of the points of interest: the value's text on the goal
        // line, the name over the peak line (the legend's "Peak" is below the plot).
        const kit::Rect plot = peak->hostBounds().unionWith(goal->hostBounds());
        const kit::DisplayItem* goalLabel = nullptr;
        const kit::DisplayItem* peakLabel = nullptr;
        for (const kit::DisplayItem* text : textItems(host)) {
            if (!plot.contains(text->hostBounds().center()))
                continue;
            if (textOf(text) == "60")
                goalLabel = text;
            if (textOf(text) == "Peak")
                peakLabel = text;
        }
        ASSERT_TRUE(goalLabel && peakLabel);
        // The last item of the chart's own bars or line in the plot: every
        // decoration is drawn over it.
        const auto& items = host.displayList().items;
        std::ptrdiff_t chartTop = -1;
        for (const auto kind : {kit::DisplayItem::Kind::fill, kit::DisplayItem::Kind::stroke})
            for (const kit::DisplayItem* item : itemsPainted(host, gallery::barColour(), kind))
                if (plot.contains(item->hostBounds().center()))
                    chartTop = std::max(chartTop, item - items.data());
        ASSERT_GE(chartTop, 0);
        const struct {
            const char* what;
            const kit::DisplayItem* item;
            kit::Point at;
        } presses[] = {
            {"the value marker's line", goal, alongLine(goal)},
            {"the value marker's label", goalLabel, goalLabel->hostBounds().center()},
            {"the data-point marker's line", peak, alongLine(peak)},
            {"the data-point marker's label", peakLabel, peakLabel->hostBounds().center()},
            {"the trend line", trend, alongLine(trend)},
            {"the extra line", extra, alongLine(extra)},
            {"an extra line marker", markers[1], markers[1]->hostBounds().center()},
        };
        for (const auto& press : presses) {
            SCOPED_TRACE(press.what);
            ASSERT_TRUE(press.item->hitTest(press.at)) << "the press lands on the decoration";
            ASSERT_GT(press.item - items.data(), chartTop) << "which is drawn over the chart";
            host.pointerPressed(press.at);
            EXPECT_TRUE(data->infoView->isTouchCurrent);
            EXPECT_FALSE(data->infoView->touchOverlayInfo.empty());
            host.pointerReleased(press.at);
            host.update();
            EXPECT_FALSE(data->infoView->isTouchCurrent);
        }
    };
    check("bar", decoratedBarChart(bars), bars);
    check("line", decoratedLineChart(line), line);
}

TEST_F(ComposedCharts, APressOnAPointMarkerLaidOverTheTouchOverlayReachesTheChart)
{
    // The touch overlay first, then the point markers over it (10 wide): a
    // press on the middle of the second marker touches the second point.
    const auto line = lineChart(lineSet({10, 40, 20, 30}));
    line->disableAnimation = true;
    kit::ViewHost host(applyPointMarkers(applyTouchOverlay(LineChart<LineChartData>(line), line, 0, "%.0f", nullptr,
                                                           TouchUnit::none()),
                                         line),
                       {400, 300});
    settle(host);
    std::vector<const kit::DisplayItem*> markers;
    for (const kit::DisplayItem* item : host.displayList().itemsOfKind(kit::DisplayItem::Kind::fill))
        if (std::abs(item->hostBounds().width() - 10) < 1e-9 && std::abs(item->hostBounds().height() - 10) < 1e-9)
            markers.push_back(item);
    ASSERT_EQ(markers.size(), 4u);
    const kit::Point at = markers[1]->hostBounds().center();
    ASSERT_NEAR(at.x, 400.0 / 3, 1e-9);
    host.pointerPressed(at);
    EXPECT_TRUE(line->infoView->isTouchCurrent);
    ASSERT_EQ(line->infoView->touchOverlayInfo.size(), 1u);
    EXPECT_EQ(line->infoView->touchOverlayInfo.front().value, 40);
    host.pointerReleased(at);
}

} // namespace
