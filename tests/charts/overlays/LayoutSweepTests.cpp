// One check of a chart's layout, run over every chart type at a sweep of
// frame sizes and densities, bare and decorated, on the display list and the
// accessibility elements:
//  - every mark, label and decoration lies inside the frame;
//  - no two texts' boxes overlap (a text's box where its lines are drawn);
//  - each y label's centre lies within a pixel of its value's height in the
//    plot (along the width for a horizontal bar chart);
//  - each shown x label's centre lies within a pixel of its point or its
//    category's centre;
//  - the plot keeps at least half the frame in each dimension.
// A failure names the chart, the size and the invariant.
//
// QM_SWEEP_IMAGES=<folder> saves every picture there; QM_SWEEP_QT_FONTS=1
// lays the charts out with Qt's own text metrics instead of the fixed ones,
// so that the pictures read as a user sees them.

#include "SweepCharts.h"
#include "tests/charts/core/ChartViewTest.h"

#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>

namespace {

using namespace charts;
using namespace charts::sweep;
using namespace charts::testing;

constexpr double tolerance = 1.0;

const std::vector<kit::Size>& sweepSizes()
{
    static const std::vector<kit::Size> sizes{{240, 160}, {300, 200}, {400, 300}, {480, 320}, {800, 600}, {1600, 1000}};
    return sizes;
}

std::string sizeText(kit::Size s)
{
    return std::to_string(int(s.width)) + "x" + std::to_string(int(s.height));
}

std::string rectText(const kit::Rect& r)
{
    char text[96];
    std::snprintf(text, sizeof text, "(%.1f, %.1f, %.1f x %.1f)", r.minX(), r.minY(), r.width(), r.height());
    return text;
}

std::string formatted(double v)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.0f", v);
    return text;
}

class LayoutSweep : public UiTest, public ::testing::WithParamInterface<Kind> {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        if (std::getenv("QM_SWEEP_QT_FONTS"))
            kit::FontMetrics::useQt();
    }

    std::vector<std::string> failures;
    int cases = 0;

    void fail(const Chart& chart, kit::Size size, const std::string& what)
    {
        failures.push_back(chart.name + " at " + sizeText(size) + ": " + what);
    }

    void check(const Chart& chart, kit::Size size)
    {
        ++cases;
        kit::ViewHost host(chart.view.background(kit::Color::windowBackground()), size);
        host.update();
        for (int i = 0; i < 6; ++i) {
            kit::Clock::advance(1);
            host.update();
        }
        if (const char* folder = std::getenv("QM_SWEEP_IMAGES")) {
            std::string file = chart.name + " " + sizeText(size) + ".png";
            std::replace(file.begin(), file.end(), ' ', '_');
            std::replace(file.begin(), file.end(), ',', '_');
            host.renderImage(1).save(QString::fromStdString(std::string(folder) + "/" + file));
        }
        const kit::Rect frame{0, 0, size.width, size.height};
        const kit::Rect plot = frameOf(host, plotId());
        const kit::DisplayList& list = host.displayList();

        // Inside the frame.
        int outside = 0;
        for (const kit::DisplayItem& item : list.items) {
            if (!isDrawn(item))
                continue;
            const kit::Rect r = paintedBounds(item);
            if (r.isNull() || r.width() <= 0 || r.height() <= 0)
                continue;
            if (r.minX() < -tolerance || r.minY() < -tolerance || r.maxX() > frame.maxX() + tolerance ||
                r.maxY() > frame.maxY() + tolerance) {
                if (outside++ < 3)
                    fail(chart, size,
                         "outside the frame: " +
                             (item.kind == kit::DisplayItem::Kind::text ? "text \"" + textOf(&item) + "\" "
                                                                        : std::string("an item ")) +
                             rectText(r));
            }
        }

        // Texts apart.
        std::vector<std::pair<kit::Rect, std::string>> boxes;
        for (const kit::DisplayItem& item : list.items)
            if (item.kind == kit::DisplayItem::Kind::text && isDrawn(item)) {
                const kit::Rect r = paintedBounds(item);
                if (!r.isNull() && r.width() > 0 && r.height() > 0)
                    boxes.emplace_back(r, textOf(&item));
            }
        std::sort(boxes.begin(), boxes.end(),
                  [](const auto& a, const auto& b) { return a.first.minX() < b.first.minX(); });
        int overlaps = 0;
        for (std::size_t i = 0; i < boxes.size() && overlaps < 3; ++i)
            for (std::size_t j = i + 1; j < boxes.size() && boxes[j].first.minX() < boxes[i].first.maxX() - 0.5; ++j) {
                const kit::Rect both = boxes[i].first.intersection(boxes[j].first);
                if (!both.isNull() && both.width() > 0.5 && both.height() > 0.5) {
                    fail(chart, size,
                         "texts overlap: \"" + boxes[i].second + "\" " + rectText(boxes[i].first) + " and \"" +
                             boxes[j].second + "\" " + rectText(boxes[j].first));
                    if (++overlaps >= 3)
                        break;
                }
            }

        // The plot keeps at least half.
        if (plot.width() < size.width / 2 - tolerance || plot.height() < size.height / 2 - tolerance)
            fail(chart, size, "the plot " + rectText(plot) + " keeps less than half the frame");

        if (!hasAxes(chart.kind))
            return;
        const std::vector<kit::AccessibilityElement> elements = allElements(host);
        checkValueLabels(chart, size, plot, elements);
        checkCategoryLabels(chart, size, plot, elements);
    }

    // Each value label stands at its value: the nearest of the values whose
    // text it shows.
    void checkValueLabels(const Chart& chart, kit::Size size, const kit::Rect& plot,
                          const std::vector<kit::AccessibilityElement>& elements)
    {
        const bool horizontal = chart.kind == Kind::horizontal;
        const auto [lowest, range] = chart.valueAxis();
        std::vector<std::pair<std::string, double>> own, extra;
        for (int i = 0; i < chart.valueLabels; ++i) {
            const double f = double(i) / double(chart.valueLabels - 1);
            const double along = horizontal ? plot.minX() + f * plot.width() : plot.maxY() - f * plot.height();
            own.emplace_back(formatted(lowest + range / double(chart.valueLabels - 1) * double(i)), along);
        }
        if (chart.extraAxis)
            for (int i = 0; i < chart.extraLabels; ++i) {
                const double f = double(i) / double(chart.extraLabels - 1);
                const double step = (chart.extraAxis->second - chart.extraAxis->first + 1e-11) /
                                    double(chart.extraLabels - 1);
                extra.emplace_back(formatted(chart.extraAxis->first + step * double(i)),
                                   plot.maxY() - f * plot.height());
            }
        int wrong = 0;
        for (const kit::AccessibilityElement& e : elements) {
            // A horizontal bar chart's values run under (or over) it; the
            // extra line's labels stand beside it, on its own scale.
            if (e.label != "Y-Axis-Label" ||
                (horizontal &&
                 ((e.frame.midY() > plot.minY() && e.frame.midY() < plot.maxY()) || e.frame.midX() > plot.maxX())))
                continue;
            const bool isExtra = !horizontal && chart.extraAxis && e.frame.midX() > plot.midX();
            const auto& expected = isExtra ? extra : own;
            const double at = horizontal ? e.frame.midX() : e.frame.midY();
            double best = kit::infinity;
            for (const auto& [text, along] : expected)
                if (text == e.value)
                    best = std::min(best, std::abs(at - along));
            if (best > tolerance && wrong++ < 3) {
                char text[160];
                std::snprintf(text, sizeof text, "%s label \"%s\" stands %.1f off its value (centre at %.1f)",
                              isExtra ? "extra y" : "y", e.value.c_str(), best, at);
                fail(chart, size, text);
            }
        }
    }

    // Each shown category label stands at its category.
    void checkCategoryLabels(const Chart& chart, kit::Size size, const kit::Rect& plot,
                             const std::vector<kit::AccessibilityElement>& elements)
    {
        if (!chart.categoryLabel || chart.categories == 0)
            return;
        const bool horizontal = chart.kind == Kind::horizontal;
        std::map<std::string, int> index;
        for (int i = 0; i < chart.categories; ++i)
            index.emplace(chart.categoryLabel(i), i);
        const int n = chart.categories;
        const auto centre = [&](int i) {
            const double length = horizontal ? plot.height() : plot.width();
            const double start = horizontal ? plot.minY() : plot.minX();
            if (chart.kind == Kind::grouped) {
                // Gaps of 10, narrowed where they would leave the clusters
                // less than half the width.
                const double gap = n > 1 ? std::min(10.0, length / (2.0 * double(n - 1))) : 10.0;
                const double cluster = (length - double(n - 1) * gap) / double(n);
                return start + double(i) * (cluster + gap) + cluster / 2;
            }
            if (chart.pointsAtEnds)
                return n == 1 ? start : start + double(i) * length / double(n - 1);
            return start + (double(i) + 0.5) * length / double(n);
        };
        int wrong = 0;
        for (const kit::AccessibilityElement& e : elements) {
            if (e.label != "X-Axis-Label")
                continue;
            const auto found = index.find(e.value);
            if (found == index.end())
                continue;
            const double at = horizontal ? e.frame.midY() : e.frame.midX();
            const double off = std::abs(at - centre(found->second));
            if (off > tolerance && wrong++ < 3) {
                char text[160];
                std::snprintf(text, sizeof text, "x label \"%s\" stands %.1f off its %s (centre at %.1f)",
                              e.value.c_str(), off, chart.pointsAtEnds ? "point" : "category", at);
                fail(chart, size, text);
            }
        }
    }

    void report()
    {
        std::ostringstream out;
        for (std::size_t i = 0; i < failures.size() && i < 40; ++i)
            out << "\n  " << failures[i];
        EXPECT_TRUE(failures.empty()) << failures.size() << " failures in " << cases << " layouts:" << out.str();
    }
};

// A year of daily points is swept at a small and a large frame only: the
// densities below it at every size.
TEST_P(LayoutSweep, holdsAtEverySizeAndDensity)
{
    std::vector<int> densities{3, 12, 300, 5000};
    if (const char* only = std::getenv("QM_SWEEP_DENSITIES")) {
        densities.clear();
        for (std::istringstream in(only); in.good();) {
            int n = 0;
            if (in >> n)
                densities.push_back(n);
        }
    }
    const std::vector<kit::Size> dense{{300, 200}, {1600, 1000}};
    for (const int n : densities)
        for (const bool decorated : {false, true})
            for (const kit::Size size : n > 1000 ? dense : sweepSizes()) {
                Options options;
                options.decorated = decorated;
                check(makeChart(GetParam(), n, options), size);
            }
    report();
}

// What else a user composes: values either side of zero, long category
// names, labels turned a quarter, a fixed info box and the touched values
// in the header.
TEST_P(LayoutSweep, holdsForEveryVariant)
{
    if (!hasAxes(GetParam()))
        return;
    const auto variant = [](auto set) {
        Options options;
        set(options);
        return options;
    };
    const std::vector<std::pair<std::string, Options>> variants{
        {"negative values", variant([](Options& o) { o.negative = true; })},
        {"long labels", variant([](Options& o) { o.longLabels = true; })},
        {"turned labels", variant([](Options& o) { o.labelRotation = 90; })},
        {"a fixed info box", variant([](Options& o) { o.fixedInfoBox = true; })},
        {"the header's read-out", variant([](Options& o) { o.headerInfoBox = true; })},
    };
    for (const auto& [name, options] : variants)
        for (const int n : {12, 300})
            for (const kit::Size size : {kit::Size{240, 160}, kit::Size{300, 200}, kit::Size{800, 600}}) {
                Chart chart = makeChart(GetParam(), n, options);
                chart.name += ", " + name;
                check(chart, size);
            }
    report();
}

INSTANTIATE_TEST_SUITE_P(
    EveryChart, LayoutSweep, ::testing::ValuesIn(allKinds()), [](const ::testing::TestParamInfo<Kind>& info) {
        std::string name = nameOf(info.param);
        name.erase(std::remove_if(name.begin(), name.end(), [](char c) { return c == ' ' || c == '-'; }), name.end());
        return name;
    });

} // namespace
