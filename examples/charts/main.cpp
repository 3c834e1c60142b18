// A bar chart above a line chart of the same six quarters, shown in one
// window by the chart library's Qt host.
//   chart_example                   shows the window
//   chart_example --render out.png  waits until both charts have drawn in,
//                                   saves the window's pixels and quits

#include "charts/bar/BarChart.h"
#include "charts/line/LineChart.h"
#include "kit/ui/HostingWidget.h"
#include "kit/ui/Stacks.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

using namespace charts;

namespace {

const std::vector<std::string> quarters{"Q1", "Q2", "Q3", "Q4", "Q5", "Q6"};
const std::vector<double> sales{20, 45, 30, 70, 55, 90};
const kit::Color barColour = kit::Color::rgb(0.2, 0.4, 0.9);
const kit::Color lineColour = kit::Color::rgb(0.9, 0.3, 0.1);

ChartMetadata metadata(const std::string& title)
{
    return ChartMetadata(title, "By quarter", kit::Font::title3(), kit::Color::primary(), kit::Font::subheadline(),
                         kit::Color::secondary());
}

// Values from zero to the largest, no axis labels or titles, drawn in within 0.3 s.
GridStyle grid()
{
    return GridStyle(4, kit::Color::gray(), 1, {}, 0);
}

BarChartStyle barChartStyle()
{
    return BarChartStyle(InfoBoxPlacement::floating(), InfoBoxAlignment::vertical, kit::Font::body(),
                         kit::Color::primary(), kit::Font::caption(), kit::Color::secondary(), kit::Color::white(),
                         kit::Color::gray(), kit::StrokeStyle{}, BarMarkerType::none(), grid(),
                         XAxisLabelPosistion::bottom, kit::Font::caption(), kit::Color::primary(),
                         LabelsFrom::dataPoint(kit::Angle::zero()), std::nullopt, kit::Font::caption(),
                         kit::Color::primary(), grid(), YAxisLabelPosistion::leading, kit::Font::caption(),
                         kit::Color::primary(), 5, YAxisLabelType::numeric, std::nullopt, kit::Font::caption(),
                         kit::Color::primary(), Baseline::zero(), Topline::maximumValue(), kit::Animation::linear(0.3));
}

LineChartStyle lineChartStyle()
{
    return LineChartStyle(InfoBoxPlacement::floating(), InfoBoxAlignment::vertical, kit::Font::body(),
                          kit::Color::primary(), kit::Font::caption(), kit::Color::secondary(), kit::Color::white(),
                          kit::Color::gray(), kit::StrokeStyle{}, LineMarkerType::none(), grid(),
                          XAxisLabelPosistion::bottom, kit::Font::caption(), kit::Color::primary(),
                          LabelsFrom::dataPoint(kit::Angle::zero()), std::nullopt, kit::Font::caption(),
                          kit::Color::primary(), std::nullopt, grid(), YAxisLabelPosistion::leading,
                          kit::Font::caption(), kit::Color::primary(), 5, YAxisLabelType::numeric, std::nullopt,
                          kit::Font::caption(), kit::Color::primary(), std::nullopt, Baseline::zero(),
                          Topline::maximumValue(), kit::Animation::linear(0.3));
}

std::shared_ptr<BarChartData> barData()
{
    std::vector<BarChartDataPoint> points;
    for (std::size_t i = 0; i < sales.size(); ++i)
        points.emplace_back(sales[i], quarters[i], "Quarter " + std::to_string(i + 1), std::nullopt,
                            ColourStyle(barColour));
    return std::make_shared<BarChartData>(BarDataSet(std::move(points), "Sales"), metadata("Sales"), std::nullopt,
                                          std::nullopt,
                                          BarStyle(0.5, 0, 0, 0, 0, ColourFrom::barStyle, ColourStyle(barColour)),
                                          barChartStyle(), kit::Text("No data"));
}

std::shared_ptr<LineChartData> lineData()
{
    std::vector<LineChartDataPoint> points;
    for (std::size_t i = 0; i < sales.size(); ++i)
        points.emplace_back(sales[i], quarters[i], "Quarter " + std::to_string(i + 1));
    LineDataSet set(std::move(points), "Sales",
                    PointStyle{6, lineColour, kit::Color::white(), 2, PointType::filled, PointShape::circle},
                    LineStyle(ColourStyle(lineColour), LineType::line, defaultStroke(), false));
    return std::make_shared<LineChartData>(std::move(set), metadata("Sales"), std::nullopt, std::nullopt,
                                           lineChartStyle(), kit::Text("No data"));
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    const qsizetype render = arguments.indexOf(QStringLiteral("--render"));
    if (render >= 0 && render + 1 >= arguments.size()) {
        std::fprintf(stderr, "usage: chart_example [--render <image file>]\n");
        return 2;
    }

    kit::HostingWidget window(
        kit::VStack({BarChart(barData()), LineChart(lineData())}).padding(20).background(kit::Color::white()));
    window.setWindowTitle(QStringLiteral("Charts"));
    window.resize(640, 480);
    window.show();
    if (render < 0)
        return application.exec();

    // Both charts draw in as they appear: their pixels are taken once the host's animations have ended.
    const QString path = arguments.at(render + 1);
    QElapsedTimer clock;
    clock.start();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &window, [&] {
        if (clock.elapsed() < 500 || (window.host().isAnimating() && clock.elapsed() < 10000))
            return;
        poll.stop();
        const bool saved = window.grab().toImage().save(path);
        if (!saved)
            std::fprintf(stderr, "chart_example: cannot write %s\n", qPrintable(path));
        QApplication::exit(saved ? 0 : 1);
    });
    poll.start(100);
    return application.exec();
}
