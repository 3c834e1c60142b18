#pragma once

#include "charts/core/ChartEnums.h"
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

// The colour of a bar or line legend entry, made from a style colour by its
// kind: the flat colour alone, or the gradient's colours or stops running
// from leading to trailing (the source's own start and end points are not
// copied). None when the member the kind needs is missing.
std::optional<ColourStyle> legendColour(const ColourStyle& source);

// The legend entry of a line or band, of priority 1 with the line's stroke
// and the legend colour of `colour`; none when that colour is missing.
std::optional<LegendData> lineLegendEntry(kit::UUID id, ChartType chartType, const std::string& legend,
                                          const Stroke& strokeStyle, const ColourStyle& colour);

} // namespace charts

template <>
struct std::hash<charts::LegendData> {
    std::size_t operator()(const charts::LegendData& d) const
    {
        return charts::hashValues(d.id, d.chartType, d.legend, d.strokeStyle, d.prioity, d.colour);
    }
};
