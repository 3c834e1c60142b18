#pragma once

// Shared helpers for the axis decoration tests: a fixture that settles a
// host (the first pass, then the passes its measurements cause), readers of
// the drawn texts and strokes, and a view that shows one label view of a
// chart, re-evaluated whenever the chart announces a change.

#include "tests/charts/bar/BarTest.h"
#include "tests/charts/line/LineTest.h"

#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace charts::testing {

// One label view of a chart beside a stand-in for its plot at `plot`
// (besidePlot), re-evaluated whenever the chart announces a change.
template <class Chart>
struct LabelsOf {
    kit::ObservedObject<Chart> chartData;
    std::function<kit::View(const Chart&)> labels;
    kit::Rect plot;

    auto dynamicFields() { return std::tie(chartData); }
    kit::View body() const { return besidePlot(chartData.object().get(), plot, labels(*chartData)); }
};

// A line of text, as drawn: its text and its bounds in host coordinates.
struct DrawnText {
    std::string text;
    kit::Rect bounds;
};

class AxisViewTest : public UiTest {
protected:
    static void settle(kit::ViewHost& host)
    {
        host.update();
        kit::runUntilIdle();
        host.update();
    }

    static std::vector<DrawnText> drawnTexts(kit::ViewHost& host)
    {
        std::vector<DrawnText> result;
        for (const kit::DisplayItem* item : textItems(host))
            result.push_back({textOf(item), item->hostBounds()});
        return result;
    }

    // The drawn texts, top to bottom as drawn, with the vertical centre of each.
    static std::vector<std::pair<std::string, double>> textMidYs(kit::ViewHost& host)
    {
        std::vector<std::pair<std::string, double>> result;
        for (const DrawnText& text : drawnTexts(host))
            result.emplace_back(text.text, text.bounds.midY());
        return result;
    }

    // The stroked items whose path is not empty, as drawn.
    static std::vector<const kit::DisplayItem*> strokes(kit::ViewHost& host)
    {
        std::vector<const kit::DisplayItem*> result;
        for (const kit::DisplayItem* item : host.displayList().itemsOfKind(kit::DisplayItem::Kind::stroke))
            if (!item->path.isEmpty())
                result.push_back(item);
        return result;
    }

    static std::vector<std::pair<std::string, std::string>> accessibility(kit::ViewHost& host)
    {
        std::vector<std::pair<std::string, std::string>> result;
        for (const kit::AccessibilityElement& element : host.accessibilityElements())
            result.emplace_back(element.label, element.value);
        return result;
    }
};

using MidYs = std::vector<std::pair<std::string, double>>;

} // namespace charts::testing
