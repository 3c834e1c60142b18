#pragma once

#include "charts/core/Hasher.h"
#include "charts/pie/PieChartDataPoint.h"
#include "kit/base/UUID.h"

#include <string>
#include <vector>

namespace charts {

// The slices of a pie or doughnut chart, in drawing order clockwise from the
// top, and the title a touched slice carries as its legend tag.
struct PieDataSet {
    using DataPoint = PieChartDataPoint;

    kit::UUID id;
    std::vector<PieChartDataPoint> dataPoints;
    std::string legendTitle;

    // A set with a fresh id.
    PieDataSet(std::vector<PieChartDataPoint> dataPoints, std::string legendTitle)
        : dataPoints(std::move(dataPoints)), legendTitle(std::move(legendTitle))
    {
    }

    friend bool operator==(const PieDataSet&, const PieDataSet&) = default;
};

} // namespace charts

template <>
struct std::hash<charts::PieDataSet> {
    std::size_t operator()(const charts::PieDataSet& s) const
    {
        return charts::hashValues(s.id, s.dataPoints, s.legendTitle);
    }
};
