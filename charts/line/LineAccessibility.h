#pragma once

#include "charts/core/AccessibilityRectangle.h"
#include "charts/core/DataPointTexts.h"
#include "charts/core/DataSetProtocols.h"
#include "kit/ui/ForEach.h"
#include "kit/ui/Shape.h"
#include "kit/ui/Stacks.h"
#include "kit/ui/View.h"

namespace charts {

// The accessibility element of point `index` of a line: its share of the
// chart's width at full height (AccessibilityRectangle), tinted grey at
// opacity 1e-9 so it shows nothing, labelled with the chart's title (a
// localizable key) and valued with the point's accessibility value text in
// the chart's touch specifier and formatter.
template <class ChartData, CTSingleDataSetProtocol DataSet>
kit::View accessibilityElementView(const ChartData& chartData, const DataSet& dataSet, int index)
{
    const auto& point = dataSet.dataPoints[static_cast<std::size_t>(index)];
    const auto& info = *chartData.infoView;
    const int count = static_cast<int>(dataSet.dataPoints.size());
    return kit::Shape(AccessibilityRectangle{count, index})
        .fill(kit::Color::gray().opacity(1e-9))
        .accessibilityLabel(chartData.metadata->title)
        .accessibilityValue(accessibilityValueString(point, info.touchSpecifier, info.touchFormatter));
}

// One accessibility element per point of the set, identified by its index,
// laid over one another;
// the chart data's points are read when the view is built.
template <class ChartData, CTSingleDataSetProtocol DataSet>
kit::View accessibilityViewBody(const ChartData& chartData, const DataSet& dataSet)
{
    return kit::ZStack(kit::Alignment::center(),
                       {kit::ForEach(kit::Range{0, static_cast<int>(dataSet.dataPoints.size())},
                                     [&](int index) { return accessibilityElementView(chartData, dataSet, index); })});
}

} // namespace charts
