#pragma once

#include "kit/base/Angle.h"

#include <variant>

namespace charts {

// X-axis labels from each data point's own label, or from the chart data's
// label list; each with the rotation of the label text.
struct LabelsFrom {
    struct DataPoint {
        kit::Angle rotation;
    };
    struct ChartData {
        kit::Angle rotation;
    };

    std::variant<DataPoint, ChartData> value;

    static LabelsFrom dataPoint(kit::Angle rotation) { return {DataPoint{rotation}}; }
    static LabelsFrom chartData(kit::Angle rotation) { return {ChartData{rotation}}; }
};

} // namespace charts
