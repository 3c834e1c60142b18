#pragma once

#include "charts/core/ChartType.h"
#include "charts/core/ColourStyle.h"
#include "charts/core/Stroke.h"
#include "kit/base/UUID.h"

#include <optional>
#include <string>

namespace charts {

// One legend entry. Entries are shown in list order; prioity only picks the
// entry's accessibility label. Equal only when all six fields are equal.
struct LegendData {
    kit::UUID id;
    ChartType chartType;
    std::string legend;
    std::optional<Stroke> strokeStyle;
    int prioity;
    ColourStyle colour;

    LegendData(kit::UUID id, std::string legend, ColourStyle colour, std::optional<Stroke> strokeStyle, int prioity,
               ChartType chartType)
        : id(id), chartType(chartType), legend(std::move(legend)), strokeStyle(std::move(strokeStyle)),
          prioity(prioity), colour(std::move(colour))
    {
    }

    friend bool operator==(const LegendData&, const LegendData&) = default;
};

} // namespace charts

template <>
struct std::hash<charts::LegendData> {
    std::size_t operator()(const charts::LegendData& d) const
    {
        return charts::hashValues(d.id, d.chartType, d.legend, d.strokeStyle, d.prioity, d.colour);
    }
};
