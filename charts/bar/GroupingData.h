#pragma once

#include "charts/core/ColourStyle.h"
#include "charts/core/Hasher.h"
#include "kit/base/UUID.h"

#include <string>

namespace charts {

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
