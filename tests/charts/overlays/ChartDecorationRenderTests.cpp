#include "POITest.h"

#include "charts/axes/AxisGrid.h"
#include "charts/axes/XAxisLabels.h"
#include "charts/axes/YAxisLabels.h"
#include "charts/bar/BarChart.h"
#include "charts/line/LineChart.h"

#include <QImage>

namespace {

using namespace charts;
using namespace charts::testing;

// The chart data of a bar chart and of a line chart of the values 0, 40, 80
// and 100 (so the value axis runs from 0 to 100), drawn whole at once by
// their chart views, with both grids, a
// magenta marker at the value 50 labelled on the value axis, a cyan marker
// at the third data point labelled in its middle, and both axes with their
// labels and titles; rendered offscreen and checked pixel by pixel where the
// lines and labels must stand, relative to the plot area's frame.
class ChartDecorationRenderTest : public AxisViewTest {
protected:
    static constexpr kit::Color magenta = kit::Color::rgb(1, 0, 1);
    static constexpr kit::Color cyan = kit::Color::rgb(0, 1, 1);

    template <class Chart>
    static kit::View decorated(const std::shared_ptr<Chart>& chart, const kit::View& plot)
    {
        kit::View view = applyYAxisGrid(applyXAxisGrid(plot.id("plot"), chart), chart);
        view = applyYAxisPOI(view, chart, "Target", 50, DisplayValue::yAxis("%.0f", nullptr), kit::Font::caption(),
                             kit::Color::black(), kit::Color::white(), magenta, std::nullopt,
                             kit::StrokeStyle{.lineWidth = 3});
        view = applyXAxisPOI(view, chart, "Peak", 2, 4, cyan, std::nullopt, kit::StrokeStyle{.lineWidth = 3},
                             DisplayValue::center("", nullptr), kit::Font::caption(), kit::Color::black(),
                             kit::Color::white());
        view = applyXAxisLabels(view, chart);
        return applyYAxisLabels(view, chart, "%.0f", nullptr, AxisColour::style(8));
    }

    template <class Style>
    static void titled(Style& style)
    {
        style.xAxisTitle = "Month";
        style.yAxisTitle = "Sales";
        style.xAxisLabelFont = kit::Font::system(10);
        style.yAxisLabelFont = kit::Font::system(10);
        style.xAxisGridStyle = GridStyle(3, kit::Color::black(), 1, {}, 0);
        style.yAxisGridStyle = GridStyle(4, kit::Color::black(), 1, {}, 0);
    }

    static QColor pixel(const QImage& image, double x, double y)
    {
        return image.pixelColor(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)));
    }

    static void expectColour(const QImage& image, double x, double y, kit::Color colour, const std::string& what)
    {
        const kit::RGBA expected = colour.resolved();
        const QColor actual = pixel(image, x, y);
        EXPECT_NEAR(actual.redF(), expected.red, 0.02) << what << " at " << x << ", " << y;
        EXPECT_NEAR(actual.greenF(), expected.green, 0.02) << what << " at " << x << ", " << y;
        EXPECT_NEAR(actual.blueF(), expected.blue, 0.02) << what << " at " << x << ", " << y;
        EXPECT_GT(actual.alphaF(), 0.98) << what << " at " << x << ", " << y;
    }

    // Some pixel within `bounds` is drawn nearly opaque: a glyph of the text.
    static void expectInk(const QImage& image, const kit::Rect& bounds, const std::string& what)
    {
        bool inked = false;
        for (int y = int(std::floor(bounds.minY())); y < int(std::ceil(bounds.maxY())) && !inked; ++y)
            for (int x = int(std::floor(bounds.minX())); x < int(std::ceil(bounds.maxX())) && !inked; ++x)
                inked = image.valid(x, y) && image.pixelColor(x, y).alphaF() > 0.5;
        EXPECT_TRUE(inked) << what;
    }

    // Some pixel within 2 points of (x, y) has `colour`: a drawn stroke
    // whose exact pixel row depends on antialiasing.
    static void expectColourNear(const QImage& image, double x, double y, kit::Color colour, const std::string& what)
    {
        const kit::RGBA expected = colour.resolved();
        bool found = false;
        for (int dy = -2; dy <= 2 && !found; ++dy)
            for (int dx = -2; dx <= 2 && !found; ++dx) {
                const QColor actual = pixel(image, x + dx, y + dy);
                found = std::abs(actual.redF() - expected.red) < 0.05 &&
                        std::abs(actual.greenF() - expected.green) < 0.05 &&
                        std::abs(actual.blueF() - expected.blue) < 0.05 && actual.alphaF() > 0.95;
            }
        EXPECT_TRUE(found) << what << " near " << x << ", " << y;
    }

    // Checks one chart of 400 × 300; `peakX` is the third point's share of
    // the plot's width (bar or line spacing); `data` is a point of the drawn
    // data, as shares of the plot's width and height, where `dataColour` shows.
    template <class Chart>
    void check(const std::shared_ptr<Chart>& chart, const kit::View& plot, double peakX, kit::Point data,
               kit::Color dataColour)
    {
        chart->disableAnimation = true;
        kit::ViewHost host(decorated(chart, plot), {400, 300});
        settle(host);
        const kit::Rect area = frameOf(host, "plot");
        ASSERT_GT(area.width(), 200);
        ASSERT_GT(area.height(), 150);
        const QImage image = host.renderImage(1);

        // The chart's own data, under the decorations.
        expectColourNear(image, area.minX() + area.width() * data.x, area.minY() + area.height() * data.y, dataColour,
                         "chart data");
        // The value marker: half way up the plot, across it.
        const double valueY = area.minY() + area.height() * 0.5;
        expectColour(image, area.minX() + area.width() * 0.1, valueY, magenta, "value marker");
        expectColour(image, area.minX() + area.width() * 0.9, valueY, magenta, "value marker");
        // The data-point marker: down the plot at the third point.
        const double pointX = area.minX() + area.width() * peakX;
        expectColour(image, pointX, area.minY() + area.height() * 0.1, cyan, "data-point marker");
        expectColour(image, pointX, area.minY() + area.height() * 0.9, cyan, "data-point marker");
        // The grids (black, 1 wide): three vertical lines, the inner one at
        // half of (width − 1); four horizontal lines, the inner ones at a
        // third and two thirds of (height − 1).
        const QColor vertical = pixel(image, area.minX() + (area.width() - 1) * 0.5 + 0.5, area.minY() + 2);
        EXPECT_LT(vertical.lightnessF(), 0.2) << "vertical grid line";
        for (const double share : {1.0 / 3, 2.0 / 3}) {
            const QColor horizontal = pixel(image, area.minX() + 2, area.minY() + (area.height() - 1) * share + 0.5);
            EXPECT_LT(horizontal.lightnessF(), 0.2) << "horizontal grid line at " << share;
        }

        // Labels and titles stand outside the plot: y-axis labels left of it,
        // the x-axis labels and title below it, the y title further left.
        for (const char* label : {"0", "50", "100", "Month", "Sales", "Peak"}) {
            const kit::DisplayItem* item = host.displayList().textItem(label);
            ASSERT_TRUE(item) << label;
            expectInk(image, item->hostBounds(), label);
        }
        const kit::Rect top = host.displayList().textItem("100")->hostBounds();
        EXPECT_LT(top.maxX(), area.minX()) << "the y-axis labels stand left of the plot";
        EXPECT_NEAR(top.midY(), area.minY(), 8) << "the top label level with the top of the plot";
        EXPECT_LT(host.displayList().textItem("Sales")->hostBounds().maxX(), top.minX());
        EXPECT_GT(host.displayList().textItem("Month")->hostBounds().minY(), area.maxY());
        const kit::Rect peak = host.displayList().textItem("Peak")->hostBounds();
        EXPECT_NEAR(peak.midX(), pointX, 1e-6);
        EXPECT_NEAR(peak.midY(), area.midY(), 1e-6);
    }
};

TEST_F(ChartDecorationRenderTest, ABarChartCarriesBothAxesTitlesGridsAndTwoPointsOfInterest)
{
    BarChartStyle style = barChartStyle();
    titled(style);
    const auto chart = barData({0, 40, 80, 100}, style);
    // The third of four equal slots has its middle at 2.5 / 4 of the width;
    // the fourth bar (100, the whole height) is orange at 3.5 / 4 of the
    // width, a quarter from the bottom.
    check(chart, BarChart<BarChartData>(chart), 2.5 / 4, {3.5 / 4, 0.75}, kit::Color::orange());
}

TEST_F(ChartDecorationRenderTest, ALineChartCarriesBothAxesTitlesGridsAndTwoPointsOfInterest)
{
    LineChartStyle style = lineChartStyle();
    titled(style);
    const auto chart = lineChart(lineSet({0, 40, 80, 100}), style);
    chart->dataSets.modify([](LineDataSet& set) {
        for (std::size_t i = 0; i < set.dataPoints.size(); ++i)
            set.dataPoints[i].xAxisLabel = "Q" + std::to_string(i + 1);
    });
    // Four points from edge to edge: the third at 2 / 3 of the width. The
    // red line passes half way between the first two points (0 and 40) at
    // the value 20, a fifth of the height from the bottom.
    check(chart, LineChart<LineChartData>(chart), 2.0 / 3, {1.0 / 6, 0.8}, kit::Color::red());
}

} // namespace
