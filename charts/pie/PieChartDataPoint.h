#pragma once

#include "charts/core/DataPointProtocols.h"
#include "charts/core/Hasher.h"
#include "charts/pie/OverlayType.h"
#include "kit/base/Color.h"
#include "kit/base/Date.h"
#include "kit/base/UUID.h"

#include <optional>
#include <string>
#include <string_view>

namespace charts {

// One slice of a pie or doughnut chart. Its wedge (startAngle and amount, in
// radians, clockwise on screen from the positive x axis) is filled in by the
// chart data when the chart is made. colour and legendTag take no part in
// equality or hashing.
struct PieChartDataPoint : CTnotRanged {
    kit::UUID id;
    double value;
    std::optional<std::string> description;
    std::optional<kit::Date> date;
    kit::Color colour;
    OverlayType label;
    double startAngle = 0;
    double amount = 0;
    std::string legendTag;

    // A slice with a fresh id and no wedge yet.
    PieChartDataPoint(double value, std::optional<std::string> description, std::optional<kit::Date> date,
                      kit::Color colour, OverlayType label)
        : value(value), description(std::move(description)), date(date), colour(colour), label(std::move(label))
    {
    }

    // The value as text: the formatter's when one is given, else the specifier's.
    std::string formattedValue(std::string_view specifier, const NumberFormatterPtr& formatter) const
    {
        return valueText(value, specifier, formatter);
    }

    friend bool operator==(const PieChartDataPoint& a, const PieChartDataPoint& b)
    {
        return a.id == b.id && a.amount == b.amount && a.startAngle == b.startAngle && a.value == b.value &&
               a.date == b.date && a.description == b.description && a.label == b.label;
    }
};

} // namespace charts

template <>
struct std::hash<charts::PieChartDataPoint> {
    std::size_t operator()(const charts::PieChartDataPoint& p) const
    {
        return charts::hashValues(p.id, p.value, p.description, p.date, p.label, p.startAngle, p.amount);
    }
};
