#pragma once

#include "charts/core/ColourStyle.h"
#include "charts/core/DataPointProtocols.h"
#include "charts/core/Hasher.h"
#include "kit/base/Date.h"
#include "kit/base/UUID.h"

#include <optional>
#include <string>
#include <string_view>

namespace charts {

// One floating bar of a ranged bar chart, from its lower to its upper
// value, with its label on the category axis, description, date, colour and
// the legend tag a touch writes into it. `_value` and `_valueOnly` belong to
// the chart library: a point standing for one value (the extra line's
// point of a touch) shows `_value` alone. Every field takes part in
// equality and hashing, the id included.
struct RangedBarDataPoint : CTisRanged {
    kit::UUID id;
    double upperValue;
    double lowerValue;
    std::optional<std::string> xAxisLabel;
    std::optional<std::string> description;
    std::optional<kit::Date> date;
    ColourStyle colour;
    std::string legendTag;
    double _value = 0;
    bool _valueOnly = false;

    // A point with a fresh id; the lower value comes first.
    RangedBarDataPoint(double lowerValue, double upperValue, std::optional<std::string> xAxisLabel,
                       std::optional<std::string> description, std::optional<kit::Date> date, ColourStyle colour)
        : upperValue(upperValue), lowerValue(lowerValue), xAxisLabel(std::move(xAxisLabel)),
          description(std::move(description)), date(date), colour(std::move(colour))
    {
    }

    // "lower-upper", each by the formatter ("" when it gives none) when one
    // is given, else by the specifier; without a formatter a value-only
    // point gives the specifier's text of `_value` alone.
    std::string formattedValue(std::string_view specifier, const NumberFormatterPtr& formatter) const
    {
        if (!formatter && _valueOnly)
            return specifierText(specifier, _value);
        return rangeText(lowerValue, upperValue, specifier, formatter);
    }

    friend bool operator==(const RangedBarDataPoint&, const RangedBarDataPoint&) = default;
};

} // namespace charts

template <>
struct std::hash<charts::RangedBarDataPoint> {
    std::size_t operator()(const charts::RangedBarDataPoint& p) const
    {
        return charts::hashValues(p.id, p.upperValue, p.lowerValue, p.xAxisLabel, p.description, p.date, p.colour,
                                  p.legendTag, p._value, p._valueOnly);
    }
};
