#pragma once

#include "charts/bar/GroupingData.h"
#include "charts/core/DataPointProtocols.h"
#include "charts/core/Hasher.h"
#include "kit/base/Date.h"
#include "kit/base/UUID.h"

#include <concepts>
#include <optional>
#include <string>
#include <string_view>

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

} // namespace charts

template <class T>
requires std::derived_from<T, charts::MultiBarDataPoint<T>>
struct std::hash<T> {
    std::size_t operator()(const T& p) const
    {
        return charts::hashValues(p.id, p.value, p.xAxisLabel, p.description, p.date, p.group, p.legendTag);
    }
};
