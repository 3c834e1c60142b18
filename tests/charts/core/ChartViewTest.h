#pragma once

// Shared helpers for the chart views' tests: the view-layer fixture (manual
// clock, fixed text metrics) and readers of the display list.

#include "TestChartData.h"
#include "charts/core/ViewExtensions.h"
#include "kit/base/NotificationCenter.h"
#include "tests/kit/ui/UiTest.h"

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

// Every layout notification posted while alive, with its object.
struct LayoutNotices {
    std::vector<kit::AnyObject> objects;
    kit::Cancellable observer = kit::NotificationCenter::defaultCenter().addObserver(
        layoutDidFinishNotification(), {}, kit::NotificationCenter::Delivery::postingThread,
        [this](const kit::Notification& n) { objects.push_back(n.object); });
};

} // namespace charts::testing
