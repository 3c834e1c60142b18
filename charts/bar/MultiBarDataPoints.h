#pragma once

#include "charts/core/ColourStyle.h"
#include "charts/core/DataPointProtocols.h"
#include "charts/core/Hasher.h"
#include "kit/base/Date.h"
#include "kit/base/UUID.h"

#include <concepts>
#include <optional>
#include <string>
#include <string_view>

namespace charts {

// The points of the grouped and stacked bar charts, and the groups that
// colour them.

// One group of a grouped bar chart, or one kind of segment of a stacked
// chart: its name (the text of its legend entry, whose id is the group's)
// and the colour of all its bars. Only copies of one group are equal.
struct GroupingData {
    kit::UUID id;
    std::string title;
    ColourStyle colour;

    // A group with a fresh id.
    GroupingData(std::string title, ColourStyle colour) : title(std::move(title)), colour(std::move(colour)) {}

    friend bool operator==(const GroupingData&, const GroupingData&) = default;
};

} // namespace charts

template <>
struct std::hash<charts::GroupingData> {
    std::size_t operator()(const charts::GroupingData& g) const { return charts::hashValues(g.id, g.title, g.colour); }
};

namespace charts {

// The fields and behaviour that a bar of a grouped chart and a segment of a
// stacked chart share (`Derived` is the point type): its value, its
// description and date, a full copy of the group that colours it, and the
// legend tag a touch writes into it. It has no x-axis label when made (one
// may be assigned later). Every field takes part in equality and hashing,
// the id included, so only copies of one point are equal.
template <class Derived>
struct MultiBarDataPoint : CTnotRanged {
    kit::UUID id;
    double value;
    std::optional<std::string> xAxisLabel;
    std::optional<std::string> description;
    std::optional<kit::Date> date;
    GroupingData group;
    std::string legendTag;

    // A point with a fresh id, no x-axis label and an empty legend tag.
    MultiBarDataPoint(double value, std::optional<std::string> description, std::optional<kit::Date> date,
                      GroupingData group)
        : value(value), description(std::move(description)), date(date), group(std::move(group))
    {
    }

    // The value as text: the formatter's ("" when it gives none) when a
    // formatter is given, else the specifier's.
    std::string formattedValue(std::string_view specifier, const NumberFormatterPtr& formatter) const
    {
        return valueText(value, specifier, formatter);
    }

    friend bool operator==(const MultiBarDataPoint&, const MultiBarDataPoint&) = default;
};

// One bar of a cluster of a grouped bar chart, coloured by its group.
struct GroupedBarDataPoint : MultiBarDataPoint<GroupedBarDataPoint> {
    using MultiBarDataPoint::MultiBarDataPoint;
    friend bool operator==(const GroupedBarDataPoint&, const GroupedBarDataPoint&) = default;
};

// One segment of a column of a stacked bar chart, coloured by its group.
struct StackedBarDataPoint : MultiBarDataPoint<StackedBarDataPoint> {
    using MultiBarDataPoint::MultiBarDataPoint;
    friend bool operator==(const StackedBarDataPoint&, const StackedBarDataPoint&) = default;
};

} // namespace charts

template <class T>
requires std::derived_from<T, charts::MultiBarDataPoint<T>>
struct std::hash<T> {
    std::size_t operator()(const T& p) const
    {
        return charts::hashValues(p.id, p.value, p.xAxisLabel, p.description, p.date, p.group, p.legendTag);
    }
};
