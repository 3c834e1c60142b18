// Charts composed as a library user composes them (a chart view with its
// grids and axis labels, or with every decoration at once), rendered
// offscreen and read in the display list and in pixels: the parts of a
// stacked bar meet without a seam.

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

} // namespace
