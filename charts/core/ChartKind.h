#pragma once

#include "charts/core/ChartType.h"
#include "charts/core/DataSetType.h"

namespace charts {

// A chart's family and whether it holds one data set or a set of sets.
struct ChartKind {
    ChartType chartType;
    DataSetType dataSetType;

    friend bool operator==(const ChartKind&, const ChartKind&) = default;
};

} // namespace charts
