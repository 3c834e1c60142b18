// Charts in a small dashboard tile or with a year of daily points read as
// they do at 800x600: one render test for each way they once gave a wrong
// reading. The charts are laid out with the fixed text metrics (a caption is
// 12 points high and 6 points a character), and a text is measured where its
// lines are drawn, which may run out of its frame. Expected places come from
// the plot's frame and the data: a value v on an axis from `lowest` over
// `range` stands at plot.maxY - (v - lowest) / range * plot.height.
//
// QM_SWEEP_IMAGES=<folder> saves every picture there, as the layout sweep does.
//
// Sections:
//   the fixture        the charts of four months, their plots, labels and marks
//   1. y labels        each at the height of the value it names
//   2. fixed info box  a line's points keep their heights under it
//   3. horizontal bars each category label beside its bar
//   4. giving way      decorations yield, the plot keeps half the frame
//   5. many labels     x labels thinned from the first, cut short, inside the frame
//   6. grid lines      value labels on their grid lines at 800x600
//   7. line ends       x labels on their points, ends included

#include "OverlayTest.h"
#include "SweepCharts.h"

#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace charts;
using namespace charts::sweep;
using namespace charts::testing;
using Spacing = ExtraLineStyle::SpacingType;

constexpr double pixel = 1.0;

// Four months, the highest 42: on an axis from 0 over 42, the five y labels
// name 0, 10.5, 21, 31.5 and 42, written "0", "10", "21", "32", "42" ("%.0f"
// rounds a half to even).
const std::vector<double> fourMonths{12, 42, 25, 33};
constexpr double highest = 42;

std::string written(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.0f", v);
    return text;
}

// Which of the five labels of the axis from 0 to 42 `text` is: the quarter
// i whose value 42 * i / 4 it writes; -1 for none.
int quarterNamed(const std::string& text)
{
    for (int i = 0; i < 5; ++i)
        if (written(highest * i / 4) == text)
            return i;
    return -1;
}

// The marker colour of the line tests' points, which nothing else draws in.
kit::Color pointColour()
{
    return kit::Color::hsb(0.9, 1, 0.7);
}

template <class Data>
std::shared_ptr<Data> barData(const std::vector<double>& v, const Options& options)
{
    return std::make_shared<Data>(BarDataSet(barPoints(v, options), "Sales"), sweepMetadata(options), std::nullopt,
                                  std::nullopt, sweepBar(), sweepBarStyle(options), kit::Text("No data"));
}

std::shared_ptr<LineChartData> lineData(const std::vector<double>& v, const Options& options)
{
    std::vector<LineChartDataPoint> points;
    for (std::size_t i = 0; i < v.size(); ++i)
        points.emplace_back(v[i], categoryName(int(i), options, int(v.size())), "Day " + std::to_string(i + 1));
    LineDataSet set(std::move(points), "Sales",
                    PointStyle{6, pointColour(), pointColour(), 1, PointType::filled, PointShape::circle},
                    LineStyle(ColourStyle(seriesColour(0)), LineType::line, defaultStroke(), false));
    return std::make_shared<LineChartData>(std::move(set), sweepMetadata(options), std::nullopt, std::nullopt,
                                           sweepLineStyle(options), kit::Text("No data"));
}

// A chart of `v` with its axis labels (and every decoration with
// options.decorated), its plot marked with plotId().
kit::View barChart(const std::vector<double>& v, const Options& options)
{
    const auto data = barData<BarChartData>(v, options);
    const kit::View chart = plotted(BarChart(data));
    return options.decorated ? decorateAxes(chart, data, options, int(v.size()), Spacing::bar) : axesOnly(chart, data);
}

kit::View horizontalChart(const std::vector<double>& v, const Options& options)
{
    const auto data = barData<HorizontalBarChartData>(v, options);
    const kit::View chart = plotted(HorizontalBarChart(data));
    return options.decorated ? decorateAxes(chart, data, options, int(v.size()), Spacing::bar) : axesOnly(chart, data);
}

kit::View lineChart(const std::shared_ptr<LineChartData>& data, const Options& options, int n)
{
    const kit::View chart = applyPointMarkers(plotted(LineChart(data)), data);
    return options.decorated ? decorateAxes(chart, data, options, n, Spacing::line) : axesOnly(chart, data);
}

class SmallFrames : public UiTest {
protected:
    std::unique_ptr<kit::ViewHost> host;
    kit::Size size;
    kit::Rect plot;

    // Shows `view` at `size` and lets every reveal run out.
    void show(const std::string& name, const kit::View& view, kit::Size at)
    {
        size = at;
        host = std::make_unique<kit::ViewHost>(view.background(kit::Color::windowBackground()), size);
        settle();
        if (const char* folder = std::getenv("QM_SWEEP_IMAGES")) {
            std::string file = name + "_" + std::to_string(int(size.width)) + "x" + std::to_string(int(size.height));
            std::replace(file.begin(), file.end(), ' ', '_');
            std::replace(file.begin(), file.end(), ',', '_');
            host->renderImage(1).save(QString::fromStdString(std::string(folder) + "/" + file + ".png"));
        }
    }
    void settle()
    {
        host->update();
        for (int i = 0; i < 6; ++i) {
            kit::Clock::advance(1);
            host->update();
        }
        plot = frameOf(*host, plotId());
    }

    std::vector<kit::AccessibilityElement> elements(const std::string& label)
    {
        std::vector<kit::AccessibilityElement> found;
        for (const kit::AccessibilityElement& e : allElements(*host))
            if (e.label == label)
                found.push_back(e);
        return found;
    }
    // Where the text of `label` is drawn: the lines of the text in its
    // frame, which a text too wide for it runs out of.
    kit::Rect drawnText(const kit::AccessibilityElement& label)
    {
        for (const kit::DisplayItem* text : textItems(*host))
            if (std::abs(text->hostBounds().midX() - label.frame.midX()) < 1e-6 &&
                std::abs(text->hostBounds().midY() - label.frame.midY()) < 1e-6)
                return paintedBounds(*text);
        ADD_FAILURE() << "no text drawn for " << label.value;
        return label.frame;
    }
    // The value labels of the chart's own axis, beside the plot's leading edge.
    std::vector<kit::AccessibilityElement> leadingValueLabels()
    {
        std::vector<kit::AccessibilityElement> found;
        for (const kit::AccessibilityElement& e : elements("Y-Axis-Label"))
            if (e.frame.midX() < plot.minX())
                found.push_back(e);
        return found;
    }
    // The fills painted in `colour` whose middle lies in the plot, in drawing order.
    std::vector<kit::Rect> marksIn(kit::Color colour)
    {
        std::vector<kit::Rect> found;
        for (const kit::DisplayItem* item : itemsPainted(*host, colour, kit::DisplayItem::Kind::fill))
            if (isDrawn(*item) && plot.insetBy(-pixel, -pixel).contains(item->hostBounds().center()))
                found.push_back(item->hostBounds());
        return found;
    }
    void expectInsideTheFrame()
    {
        for (const kit::DisplayItem& item : host->displayList().items) {
            const kit::Rect r = paintedBounds(item);
            if (!isDrawn(item) || r.isNull() || r.isEmpty())
                continue;
            EXPECT_TRUE(r.minX() >= -pixel && r.minY() >= -pixel && r.maxX() <= size.width + pixel &&
                        r.maxY() <= size.height + pixel)
                << (item.kind == kit::DisplayItem::Kind::text ? "\"" + textOf(&item) + "\"" : std::string("an item"))
                << " at (" << r.minX() << ", " << r.minY() << ", " << r.width() << " x " << r.height() << ")";
        }
    }
    void expectPlotKeepsHalf()
    {
        EXPECT_GE(plot.width(), size.width / 2 - pixel);
        EXPECT_GE(plot.height(), size.height / 2 - pixel);
    }
};

// 1. Each y label stands at the height of the value it names, within the
// plot's height, and the tallest bar or highest point reaches the label of
// 42: with the axis labels alone, with every decoration, and with a fixed
// info box's band above the plot.
TEST_F(SmallFrames, YLabelsStandAtTheValuesTheyName)
{
    const struct {
        const char* what;
        Options options;
        kit::Size size;
    } cases[] = {
        {"axis labels", {.decorated = false}, {300, 200}},
        {"decorated", {}, {300, 200}},
        {"a fixed info box", {.fixedInfoBox = true}, {400, 300}},
    };
    for (const auto& c : cases)
        for (const bool line : {false, true}) {
            SCOPED_TRACE(std::string(line ? "line, " : "bar, ") + c.what);
            show(std::string(line ? "line " : "bar ") + c.what,
                 line ? lineChart(lineData(fourMonths, c.options), c.options, 4) : barChart(fourMonths, c.options),
                 c.size);
            ASSERT_GT(plot.height(), 0);
            const auto yOf = [&](double v) { return plot.maxY() - v / highest * plot.height(); };
            const auto labels = leadingValueLabels();
            ASSERT_GE(labels.size(), 2u);
            bool lowest = false;
            for (const kit::AccessibilityElement& label : labels) {
                const int quarter = quarterNamed(label.value);
                ASSERT_GE(quarter, 0) << "a label \"" << label.value << "\" names no value of the axis";
                lowest = lowest || quarter == 0;
                EXPECT_NEAR(label.frame.midY(), yOf(highest * quarter / 4), pixel) << "label \"" << label.value << "\"";
                EXPECT_GE(label.frame.midY(), plot.minY() - pixel) << "label \"" << label.value << "\"";
                EXPECT_LE(label.frame.midY(), plot.maxY() + pixel) << "label \"" << label.value << "\"";
            }
            EXPECT_TRUE(lowest) << "the lowest label is kept";
            // The mark of 42, the second: a bar's top or a point's centre on
            // the plot's top edge, where the label "42" stands.
            const auto marks = marksIn(line ? pointColour() : seriesColour(0));
            ASSERT_EQ(marks.size(), fourMonths.size());
            const kit::Rect tallest = marks[1];
            EXPECT_NEAR(line ? tallest.midY() : tallest.minY(), yOf(42), pixel) << "the mark of 42";
        }
}

// 2. A line chart with every decoration and a fixed info box 70 high at
// 300x200 leaves the plot a height, and the points stand at their values'
// heights, before and while a touch shows its values.
TEST_F(SmallFrames, LinePointsUnderAFixedInfoBoxKeepTheirHeights)
{
    const Options options{.fixedInfoBox = true};
    const auto data = lineData(fourMonths, options);
    show("line with a fixed box", lineChart(data, options, 4), {300, 200});
    for (const bool touched : {false, true}) {
        SCOPED_TRACE(touched ? "touched" : "untouched");
        if (touched) {
            const kit::Point at{plot.minX() + plot.width() / 3, plot.midY()};
            host->pointerPressed(at);
            host->pointerMoved({at.x + 1, at.y});
            settle();
            EXPECT_TRUE(data->infoView->isTouchCurrent);
        }
        ASSERT_GT(plot.height(), 0);
        const auto points = marksIn(pointColour());
        ASSERT_EQ(points.size(), fourMonths.size());
        for (std::size_t i = 0; i < points.size(); ++i)
            EXPECT_NEAR(points[i].midY(), plot.maxY() - fourMonths[i] / highest * plot.height(), pixel)
                << "point " << i;
        // 42 above 33 above 25 above 12.
        EXPECT_LT(points[1].midY(), points[3].midY());
        EXPECT_LT(points[3].midY(), points[2].midY());
        EXPECT_LT(points[2].midY(), points[0].midY());
    }
    host->pointerReleased({plot.midX(), plot.midY()});
}

// 3. Horizontal bars at 300x200: four slots of a quarter of the plot's
// height from its top, each bar 0.6 of its slot thick and centred in it, so
// bar i's centre is plot.minY + (i + 0.5) / 4 * plot.height and the four
// bars span (4 - 0.4) / 4 = 0.9 of the plot; each month's label beside its bar.
TEST_F(SmallFrames, HorizontalBarsHaveTheirLabelsBesideThem)
{
    for (const bool decorations : {false, true}) {
        SCOPED_TRACE(decorations ? "decorated" : "axis labels");
        show(decorations ? "horizontal decorated" : "horizontal",
             horizontalChart(fourMonths, Options{.decorated = decorations}), {300, 200});
        EXPECT_GE(plot.height(), size.height / 2 - pixel) << "the bars take at least half the height";
        const auto bars = marksIn(seriesColour(0));
        ASSERT_EQ(bars.size(), fourMonths.size());
        const double slot = plot.height() / 4;
        for (std::size_t i = 0; i < bars.size(); ++i) {
            EXPECT_NEAR(bars[i].midY(), plot.minY() + (double(i) + 0.5) * slot, pixel) << "bar " << i;
            EXPECT_NEAR(bars[i].height(), 0.6 * slot, pixel) << "bar " << i;
        }
        EXPECT_NEAR(bars.back().maxY() - bars.front().minY(), 0.9 * plot.height(), 2 * pixel)
            << "the bars spread over the plot";
        const auto labels = elements("X-Axis-Label");
        ASSERT_EQ(labels.size(), fourMonths.size());
        for (std::size_t i = 0; i < labels.size(); ++i) {
            EXPECT_EQ(labels[i].value, categoryName(int(i), Options{.decorated = decorations}, 4));
            EXPECT_NEAR(labels[i].frame.midY(), bars[i].midY(), pixel) << "label " << labels[i].value;
            EXPECT_LE(labels[i].frame.maxX(), plot.minX()) << "beside the bars, before them";
        }
    }
}

// 4. Every decoration at 300x200 (header, legends, values either side of
// zero, labels turned a quarter): everything drawn stays inside the frame
// and the plot keeps half of it, with every bar drawn in it. A pie
// and a doughnut under their header and legend keep a radius of at least a
// quarter of the frame's smaller side, 200 / 4 = 50, the legend clear of them.
TEST_F(SmallFrames, DecorationsGiveWayToThePlot)
{
    const Options options{.negative = true, .labelRotation = 90};
    for (const Kind kind : {Kind::bar, Kind::horizontal, Kind::line}) {
        const Chart chart = makeChart(kind, 12, options);
        SCOPED_TRACE(chart.name);
        show(chart.name, chart.view, {300, 200});
        expectInsideTheFrame();
        expectPlotKeepsHalf();
        if (kind != Kind::line) {
            EXPECT_EQ(marksIn(seriesColour(0)).size(), 12u) << "every bar is drawn in the plot";
        }
    }
    for (const Kind kind : {Kind::pie, Kind::doughnut}) {
        const Chart chart = makeChart(kind, 12);
        SCOPED_TRACE(chart.name);
        show(chart.name, chart.view, {300, 200});
        expectInsideTheFrame();
        kit::Rect disc = kit::Rect::null();
        for (const kit::DisplayItem* item : itemsOf(*host, plotId()))
            if (isDrawn(*item) && item->kind != kit::DisplayItem::Kind::text)
                disc = disc.isNull() ? item->hostBounds() : disc.unionWith(item->hostBounds());
        ASSERT_FALSE(disc.isNull());
        EXPECT_GE(std::min(disc.width(), disc.height()) / 2, 50);
        const auto legend = elements("Pie-Chart-Legend");
        ASSERT_FALSE(legend.empty()) << "a legend, reduced where room is short";
        for (const kit::AccessibilityElement& entry : legend)
            EXPECT_TRUE(entry.frame.intersection(disc).isNull() || entry.frame.intersection(disc).isEmpty())
                << "legend entry " << entry.value << " over the " << nameOf(kind);
    }
}

// 5. 300 bars and 5,000 points, bare and decorated at 800x600 and bare at
// 300x200 (where the decorated chart's x axis gives way): the x labels are
// thinned to every k-th, the first kept, each at its bar's or point's
// centre (bars: plot.minX + (i + 0.5) * W / 300; points: plot.minX + i * W /
// 4999), no two boxes meeting and none past the frame. Not thinned further
// than needed: the labels from "D100" (bars) or "D1000" (points) on are 4 or
// 5 characters, 24 or 30 wide, so a step of k - 1 would bring two of them
// nearer than their width and a 4-point gap.
TEST_F(SmallFrames, ManyLabelsAreThinnedAndKeptInTheFrame)
{
    const struct {
        Kind kind;
        int n;
        double widest;
    } densities[] = {{Kind::bar, 300, 24}, {Kind::line, 5000, 30}};
    for (const auto& d : densities)
        for (const auto& [decorations, at] :
             {std::pair{false, kit::Size{800, 600}}, std::pair{true, kit::Size{800, 600}},
              std::pair{false, kit::Size{300, 200}}}) {
            const Chart chart = makeChart(d.kind, d.n, Options{.decorated = decorations});
            SCOPED_TRACE(chart.name + " at " + std::to_string(int(at.width)));
            show(chart.name, chart.view, at);
            const bool bars = d.kind == Kind::bar;
            const double spacing = plot.width() / (bars ? d.n : d.n - 1);
            // The labels in order along the axis; the first three faults
            // are reported, not one for each of 5,000 labels.
            std::vector<int> shown;
            std::vector<kit::Rect> boxes;
            int wrong = 0;
            for (const kit::AccessibilityElement& label : elements("X-Axis-Label")) {
                const int i = std::stoi(label.value.substr(1)) - 1;
                const double centre = plot.minX() + (i + (bars ? 0.5 : 0)) * spacing;
                const kit::Rect box = drawnText(label);
                if ((std::abs(box.midX() - centre) > pixel || box.minX() < -pixel || box.maxX() > size.width + pixel ||
                     (!boxes.empty() && boxes.back().maxX() >= box.minX())) &&
                    wrong++ < 3)
                    ADD_FAILURE() << label.value << " drawn from " << box.minX() << " to " << box.maxX()
                                  << ": its centre at " << centre << ", the previous label ending at "
                                  << (boxes.empty() ? 0.0 : boxes.back().maxX());
                shown.push_back(i);
                boxes.push_back(box);
            }
            ASSERT_GE(shown.size(), 2u);
            EXPECT_EQ(shown.front(), 0) << "the first label is kept";
            const int k = shown[1] - shown[0];
            for (std::size_t j = 1; j < shown.size(); ++j)
                if (shown[j] - shown[j - 1] != k && wrong++ < 3)
                    ADD_FAILURE() << "D" << shown[j] + 1 << " follows D" << shown[j - 1] + 1 << ", not every " << k
                                  << "th label";
            EXPECT_LT((k - 1) * spacing, d.widest + 4) << "thinned more than needed";
        }

    // Twelve names of 17 or 18 characters (over 100 points wide) under a
    // plot less than 300 wide, where a name may take a sixth of the plot at
    // most: each name shown is its first letters and "…", apart and in the frame.
    show("long names", barChart(values(12, false), {.decorated = false, .longLabels = true}), {300, 200});
    const std::string ellipsis = "…", name = "Northern region ";
    std::vector<kit::Rect> names;
    for (const kit::DisplayItem* text : textItems(*host))
        if (const std::string shown = textOf(text); text->hostBounds().midY() > plot.maxY()) {
            const std::size_t kept = shown.size() > ellipsis.size() ? shown.size() - ellipsis.size() : 0;
            EXPECT_TRUE(kept > 0 && shown.substr(kept) == ellipsis && name.compare(0, kept, shown, 0, kept) == 0)
                << shown;
            const kit::Rect box = paintedBounds(*text);
            EXPECT_TRUE(box.minX() >= -pixel && box.maxX() <= size.width + pixel) << shown;
            EXPECT_TRUE(names.empty() || names.back().maxX() < box.minX()) << shown;
            names.push_back(box);
        }
    EXPECT_GE(names.size(), 2u);
}

// 6. At 800x600 the five y labels (0 to 42 in quarters) stand on the five
// horizontal grid lines, line i at plot.maxY - i / 4 * plot.height; the
// horizontal bar chart's value labels stand on its vertical grid lines, line
// i at plot.minX + i / 4 * plot.width.
TEST_F(SmallFrames, ValueLabelsStandOnTheirGridLines)
{
    const auto gridLines = [&](bool across) {
        std::vector<double> at;
        for (const kit::DisplayItem* item :
             itemsPainted(*host, sweepGrid().lineColour, kit::DisplayItem::Kind::stroke)) {
            const kit::Rect r = item->hostBounds();
            if (across ? r.width() > r.height() : r.height() > r.width())
                at.push_back(across ? r.midY() : r.midX());
        }
        std::sort(at.begin(), at.end());
        return at;
    };
    for (const bool line : {false, true}) {
        SCOPED_TRACE(line ? "line" : "bar");
        show(line ? "line on its grid" : "bar on its grid",
             line ? lineChart(lineData(fourMonths, Options{}), Options{}, 4) : barChart(fourMonths, Options{}),
             {800, 600});
        const auto across = gridLines(true);
        ASSERT_EQ(across.size(), 5u);
        // Sorted top down: line 4 - i is quarter i's.
        for (std::size_t i = 0; i < 5; ++i)
            EXPECT_NEAR(across[4 - i], plot.maxY() - double(i) / 4 * plot.height(), pixel) << "grid line " << i;
        const auto labels = leadingValueLabels();
        ASSERT_EQ(labels.size(), 5u);
        for (const kit::AccessibilityElement& label : labels) {
            const int quarter = quarterNamed(label.value);
            ASSERT_GE(quarter, 0) << label.value;
            EXPECT_NEAR(label.frame.midY(), across[std::size_t(4 - quarter)], pixel) << "label " << label.value;
        }
    }
    show("horizontal on its grid", horizontalChart(fourMonths, Options{}), {800, 600});
    const auto down = gridLines(false);
    ASSERT_EQ(down.size(), 5u);
    std::vector<kit::AccessibilityElement> labels;
    for (const kit::AccessibilityElement& e : elements("Y-Axis-Label"))
        if (e.frame.midY() > plot.maxY())
            labels.push_back(e);
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_NEAR(down[i], plot.minX() + double(i) / 4 * plot.width(), pixel) << "grid line " << i;
    ASSERT_EQ(labels.size(), 5u);
    for (const kit::AccessibilityElement& label : labels) {
        const int quarter = quarterNamed(label.value);
        ASSERT_GE(quarter, 0) << label.value;
        EXPECT_NEAR(label.frame.midX(), down[std::size_t(quarter)], pixel) << "label " << label.value;
    }
}

// 7. A multi-line and a ranged-line chart of six months put the first and
// last points on the plot's edges and the others W / 5 apart: each month's
// label is centred on its point, plot.minX + i / 5 * W, and on where the
// line passes.
TEST_F(SmallFrames, LineLabelsStandOnTheirPointsToTheEnds)
{
    for (const Kind kind : {Kind::multiLine, Kind::rangedLine})
        for (const auto& [decorations, at] :
             {std::pair{false, kit::Size{800, 600}}, std::pair{true, kit::Size{800, 600}},
              std::pair{false, kit::Size{300, 200}}}) {
            const Chart chart = makeChart(kind, 6, Options{.decorated = decorations});
            SCOPED_TRACE(chart.name + " at " + std::to_string(int(at.width)));
            show(chart.name, chart.view, at);
            // The line of the first series: its path passes each point.
            std::vector<double> passes;
            for (const kit::DisplayItem* item : itemsPainted(*host, seriesColour(0), kit::DisplayItem::Kind::stroke))
                if (item->path.elements().size() == 6) {
                    passes.clear();
                    const kit::Path line = item->path.applying(item->transform);
                    for (const kit::Path::Element& e : line.elements())
                        passes.push_back(e.point.x);
                }
            ASSERT_EQ(passes.size(), 6u);
            const auto labels = elements("X-Axis-Label");
            ASSERT_EQ(labels.size(), 6u);
            for (std::size_t i = 0; i < 6; ++i) {
                const double x = plot.minX() + double(i) / 5 * plot.width();
                EXPECT_NEAR(passes[i], x, pixel) << "point " << i;
                EXPECT_EQ(labels[i].value, chart.categoryLabel(int(i)));
                EXPECT_NEAR(labels[i].frame.midX(), x, pixel) << "label " << labels[i].value;
            }
        }
}

} // namespace
