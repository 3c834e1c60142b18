// The C++ snippets of the README's chart section, compiled and run as they
// stand there. The build takes them out of the README
// (cmake/ReadmeSnippets.cmake) into ReadmeChartSnippets.h, each snippet the
// body of one member function of ReadmeCharts, whose members are the names
// the README takes as made once (metadata, styles, a second line, the bar
// chart the decorations go around). A snippet that no longer builds fails
// the build; one added to the README, or taken out of it, no longer matches
// the functions declared here.

#include "DecoratedCharts.h"
#include "tests/kit/ui/UiTest.h"

#include "charts/bar/GroupedBarChart.h"
#include "charts/bar/HorizontalBarChart.h"
#include "charts/bar/RangedBarChart.h"
#include "charts/bar/StackedBarChart.h"
#include "charts/line/FilledLineChart.h"
#include "charts/line/FilledTopLine.h"
#include "charts/line/MultiLineChart.h"
#include "charts/line/RangedLineChart.h"
#include "charts/overlays/InfoBoxes.h"
#include "charts/pie/DoughnutChart.h"
#include "charts/pie/PieChart.h"

#include <memory>
#include <vector>

namespace {

using namespace charts;

struct ReadmeCharts {
    ChartMetadata metadata = gallery::galleryMetadata("Code breakdown");
    Stroke stroke = defaultStroke();
    PieChartStyle pieStyle{InfoBoxPlacement::floating(),  InfoBoxAlignment::vertical, kit::Font::body(),
                           kit::Color::primary(),         kit::Font::caption(),       kit::Color::secondary(),
                           kit::Color::white(),           kit::Color::gray(),         kit::StrokeStyle{},
                           kit::Animation::easeInOut(0.3)};
    DoughnutChartStyle doughnutStyle{InfoBoxPlacement::floating(),
                                     InfoBoxAlignment::vertical,
                                     kit::Font::body(),
                                     kit::Color::primary(),
                                     kit::Font::caption(),
                                     kit::Color::secondary(),
                                     kit::Color::white(),
                                     kit::Color::gray(),
                                     kit::StrokeStyle{},
                                     kit::Animation::easeInOut(0.3),
                                     30};
    BarStyle barStyle = *gallery::galleryBarData()->barStyle;
    BarChartStyle barChartStyle = *gallery::galleryBarData()->chartStyle;
    LineChartStyle lineChartStyle = *gallery::galleryLineData()->chartStyle;
    std::vector<GroupingData> groups{GroupingData("North", ColourStyle(kit::Color::red()))};
    std::shared_ptr<StackedBarChartData> stackedData = std::make_shared<StackedBarChartData>(
        StackedBarDataSets({StackedBarDataSet({StackedBarDataPoint(10, "Jan", std::nullopt, groups[0])}, "January")}),
        groups, metadata, std::nullopt, std::nullopt, barStyle, barChartStyle, kit::Text("No data"));
    std::shared_ptr<HorizontalBarChartData> horizontalData = std::make_shared<HorizontalBarChartData>(
        BarDataSet({BarChartDataPoint(20, "Q1", "First", std::nullopt, ColourStyle(kit::Color::blue()))}, "Stores"),
        metadata, std::nullopt, std::nullopt, barStyle, barChartStyle, kit::Text("No data"));
    LineDataSet costs = gallery::galleryLineData()->dataSets.get();
    std::shared_ptr<BarChartData> bars = gallery::galleryBarData();
    static std::vector<ExtraLineDataPoint> targetPoints() { return gallery::targets(); }
    static ExtraLineStyle targetStyle() { return gallery::targetStyle(ExtraLineStyle::SpacingType::bar); }

    // The snippets, in README order: what the others assume, pie and
    // doughnut, bar charts, line charts, decorations.
    void snippet1();
    void snippet2();
    void snippet3();
    void snippet4();
    void snippet5();
};

#include "ReadmeChartSnippets.h"

using ReadmeChartSnippets = UiTest;

TEST_F(ReadmeChartSnippets, EachSnippetOfTheChartSectionBuildsAndRuns)
{
    ReadmeCharts readme;
    readme.snippet1();
    readme.snippet2();
    readme.snippet3();
    readme.snippet4();
    readme.snippet5();
}

} // namespace
