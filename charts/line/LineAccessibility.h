#pragma once

#include "charts/core/AccessibilityRectangle.h"
#include "charts/core/DataPointTexts.h"
#include "charts/core/DataSetProtocols.h"
#include "charts/core/SharedSelf.h"
#include "kit/ui/AccessibilityElements.h"
#include "kit/ui/Stacks.h"
#include "kit/ui/View.h"

#include <functional>
#include <memory>
#include <vector>

namespace charts {

// The accessibility element of point `index` of a line: labelled with the
// chart's title (a localizable key) and valued with the point's
// accessibility value text in the chart's touch specifier and formatter;
// its frame is the whole chart. A point the set no longer has (or a set
// that is gone) gets the label alone.
template <class ChartData, CTSingleDataSetProtocol DataSet>
kit::AccessibilityElementContent accessibilityElementContent(const ChartData& chartData, const DataSet* dataSet,
                                                             int index)
{
    kit::AccessibilityElementContent content{.label = chartData.metadata->title, .localizeLabel = true};
    if (dataSet && index >= 0 && static_cast<std::size_t>(index) < dataSet->dataPoints.size()) {
        const auto& info = *chartData.infoView;
        content.value = accessibilityValueString(dataSet->dataPoints[static_cast<std::size_t>(index)],
                                                 info.touchSpecifier, info.touchFormatter);
    }
    return content;
}

// One accessibility element per point of the set, in index order, standing
// in one view; each point's area, its share of the chart's width at full
// height (AccessibilityRectangle), is filled grey at opacity 1e-9 so that it
// shows nothing (its paths, which hang on the count alone, are kept while
// the count and the frame stay). The elements' texts are made when they are asked for, from
// the chart data as it then stands (`findSet` finds the set in it, null
// once it is gone); chart data no shared pointer owns has them made now.
template <class ChartData, CTSingleDataSetProtocol DataSet>
kit::View accessibilityViewBody(const ChartData& chartData, const DataSet& dataSet,
                                std::function<const DataSet*(const ChartData&)> findSet)
{
    const int count = static_cast<int>(dataSet.dataPoints.size());
    if (count == 0)
        return kit::ZStack(kit::Alignment::center(), {});
    std::function<kit::AccessibilityElementContent(int)> element;
    if (std::shared_ptr<const ChartData> owner = sharedSelf(chartData)) {
        element = [owner, findSet = std::move(findSet)](int index) {
            return accessibilityElementContent(*owner, findSet(*owner), index);
        };
    } else {
        std::vector<kit::AccessibilityElementContent> contents;
        contents.reserve(static_cast<std::size_t>(count));
        for (int index = 0; index < count; ++index)
            contents.push_back(accessibilityElementContent(chartData, &dataSet, index));
        element = [contents = std::move(contents)](int index) { return contents[static_cast<std::size_t>(index)]; };
    }
    kit::AccessibilityElementAreas areas{[count](int index, const kit::Rect& rect) {
                                             return AccessibilityRectangle{count, index}.path(rect);
                                         },
                                         kit::Color::gray().opacity(1e-9), static_cast<std::size_t>(count)};
    return kit::ZStack(kit::Alignment::center(),
                       {kit::AccessibilityElements(count, std::move(element), std::move(areas))});
}

} // namespace charts
