#pragma once

// Shared helpers for the chart views' tests: the view-layer fixture (manual
// clock, fixed text metrics) and readers of the display list.

#include "TestChartData.h"
#include "charts/axes/AxisLabelPlacement.h"
#include "charts/core/ViewExtensions.h"
#include "kit/base/NotificationCenter.h"
#include "tests/kit/ui/UiTest.h"

#include <QImage>

#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace charts::testing {

// The text items of the display list, in drawing order, as their first line.
inline std::vector<const kit::DisplayItem*> textItems(kit::ViewHost& host)
{
    return host.displayList().itemsOfKind(kit::DisplayItem::Kind::text);
}

inline std::string textOf(const kit::DisplayItem* item)
{
    return item && !item->lines.empty() ? item->lines.front().text : std::string();
}

inline std::vector<std::string> texts(kit::ViewHost& host)
{
    std::vector<std::string> result;
    for (const kit::DisplayItem* item : textItems(host))
        result.push_back(textOf(item));
    return result;
}

// The bounds, in host coordinates, of the path of a fill or stroke item.
inline kit::Rect pathBounds(const kit::DisplayItem& item)
{
    return item.path.boundingRect().applying(item.transform);
}

// The box the lines of a text item cover, in host coordinates: each line
// from its baseline as wide as the text metrics make it. A text wider than
// its frame runs out of it.
inline kit::Rect textLinesBounds(const kit::DisplayItem& item)
{
    const kit::FontMetrics& metrics = kit::FontMetrics::shared();
    const double ascent = metrics.ascent(item.font), descent = metrics.descent(item.font);
    kit::Rect r = kit::Rect::null();
    for (const kit::DisplayTextLine& line : item.lines) {
        const kit::Rect box(line.baseline.x, line.baseline.y - ascent, metrics.advance(item.font, line.text),
                            ascent + descent);
        r = r.isNull() ? box : r.unionWith(box);
    }
    return r.isNull() ? r : r.applying(item.transform);
}

// The box, in host coordinates, an item can paint in: its bounds (a text's
// lines, textLinesBounds) cut by its clips.
inline kit::Rect paintedBounds(const kit::DisplayItem& item)
{
    kit::Rect r = item.kind == kit::DisplayItem::Kind::text ? textLinesBounds(item) : item.hostBounds();
    for (const kit::DisplayClip& clip : item.clips)
        r = r.intersection(clip.path.boundingRect().applying(clip.transform));
    return r;
}

// Whether an item shows anything: not a hit area, not (nearly) transparent,
// not a text without characters.
inline bool isDrawn(const kit::DisplayItem& item)
{
    return item.kind != kit::DisplayItem::Kind::hitArea && item.effectiveOpacity() > 0.02 &&
           !(item.kind == kit::DisplayItem::Kind::text && (item.lines.empty() || item.lines.front().text.empty()));
}

// The accessibility elements of `host`, each followed by its children, as
// one list.
inline std::vector<kit::AccessibilityElement> allElements(kit::ViewHost& host)
{
    std::vector<kit::AccessibilityElement> out;
    const std::function<void(const std::vector<kit::AccessibilityElement>&)> add = [&](const auto& elements) {
        for (const kit::AccessibilityElement& e : elements) {
            out.push_back(e);
            add(e.children);
        }
    };
    add(host.accessibilityElements());
    return out;
}

// Whether the pixel at (x, y) is opaque in `colour` (resolved for
// `scheme`), or, without a colour, empty.
inline bool pixelIs(const QImage& image, double x, double y, std::optional<kit::Color> colour,
                    kit::ColorScheme scheme = kit::ColorScheme::light)
{
    const QColor c = image.pixelColor(int(std::floor(x)), int(std::floor(y)));
    if (!colour)
        return c.alpha() == 0;
    const kit::RGBA want = colour->resolved(scheme);
    return c.alpha() == 255 && std::abs(c.redF() - want.red) < 0.02 && std::abs(c.greenF() - want.green) < 0.02 &&
           std::abs(c.blueF() - want.blue) < 0.02;
}

// `labels` over the top-leading corner of what the host offers, beside a
// stand-in for the plot of `chartData` at `plot` (marked as its plot, as a
// chart view marks itself): a label view stands where that plot is.
inline kit::View besidePlot(const void* chartData, const kit::Rect& plot, const kit::View& labels)
{
    const kit::View stand = kit::View(kit::Color::clear())
                                .frame(plot.width(), plot.height())
                                .layoutAnchor(plotAnchor(chartData))
                                .padding(kit::EdgeInsets{plot.minY(), plot.minX(), 0, 0});
    return kit::ZStack(kit::Alignment::topLeading(), {stand, labels})
        .frame(kit::FlexFrame{.maxWidth = kit::infinity,
                              .maxHeight = kit::infinity,
                              .alignment = kit::Alignment::topLeading()});
}

// Every layout notification posted while alive, with its object.
struct LayoutNotices {
    std::vector<kit::AnyObject> objects;
    kit::Cancellable observer = kit::NotificationCenter::defaultCenter().addObserver(
        layoutDidFinishNotification(), {}, kit::NotificationCenter::Delivery::postingThread,
        [this](const kit::Notification& n) { objects.push_back(n.object); });
};

} // namespace charts::testing
