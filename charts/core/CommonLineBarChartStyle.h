#pragma once

#include "charts/core/ChartEnums.h"
#include "charts/core/CommonChartStyle.h"
#include "charts/core/Hasher.h"
#include "kit/base/Angle.h"
#include "kit/base/Color.h"

#include <cstdint>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <variant>
#include <vector>

namespace charts {

// The grid lines of one axis: how many, their colour, width and dash.
struct GridStyle {
    int numberOfLines;
    kit::Color lineColour;
    double lineWidth;
    std::vector<double> dash;
    double dashPhase;

    GridStyle(int numberOfLines, kit::Color lineColour, double lineWidth, std::vector<double> dash, double dashPhase)
        : numberOfLines(numberOfLines), lineColour(lineColour), lineWidth(lineWidth), dash(std::move(dash)),
          dashPhase(dashPhase)
    {
    }
};

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

// Where the value axis starts: at the lowest data value, at the lower of the
// lowest data value and a given value, or at 0.
struct Baseline {
    struct MinimumValue {
        friend bool operator==(MinimumValue, MinimumValue) = default;
    };
    struct MinimumWithMaximum {
        double of = 0;
        auto members() const { return std::tie(of); }
        friend bool operator==(MinimumWithMaximum, MinimumWithMaximum) = default;
    };
    struct Zero {
        friend bool operator==(Zero, Zero) = default;
    };

    std::variant<MinimumValue, MinimumWithMaximum, Zero> value;

    static Baseline minimumValue() { return {MinimumValue{}}; }
    static Baseline minimumWithMaximum(double of) { return {MinimumWithMaximum{of}}; }
    static Baseline zero() { return {Zero{}}; }

    friend bool operator==(const Baseline&, const Baseline&) = default;
};

// Where the value axis ends: at the highest data value, or at the higher of
// the highest data value and a given value.
struct Topline {
    struct MaximumValue {
        friend bool operator==(MaximumValue, MaximumValue) = default;
    };
    struct Maximum {
        double of = 0;
        auto members() const { return std::tie(of); }
        friend bool operator==(Maximum, Maximum) = default;
    };

    std::variant<MaximumValue, Maximum> value;

    static Topline maximumValue() { return {MaximumValue{}}; }
    static Topline maximum(double of) { return {Maximum{of}}; }

    friend bool operator==(const Topline&, const Topline&) = default;
};

// The fields a chart style with axes adds to the chart style's, over its
// touch marker type `M`: the marker, both axes (grid lines, labels, titles,
// border colours) and where the value axis starts and ends.
template <class M>
struct AxesStyle {
    M markerType;
    GridStyle xAxisGridStyle;
    XAxisLabelPosistion xAxisLabelPosition;
    kit::Font xAxisLabelFont;
    kit::Color xAxisLabelColour;
    LabelsFrom xAxisLabelsFrom;
    std::optional<std::string> xAxisTitle;
    kit::Font xAxisTitleFont;
    kit::Color xAxisTitleColour;
    std::optional<kit::Color> xAxisBorderColour;
    GridStyle yAxisGridStyle;
    YAxisLabelPosistion yAxisLabelPosition;
    kit::Font yAxisLabelFont;
    kit::Color yAxisLabelColour;
    std::int64_t yAxisNumberOfLabels;
    YAxisLabelType yAxisLabelType;
    std::optional<std::string> yAxisTitle;
    kit::Font yAxisTitleFont;
    kit::Color yAxisTitleColour;
    std::optional<kit::Color> yAxisBorderColour;
    Baseline baseline;
    Topline topLine;
};

// The fields of a chart style with axes (CTLineBarChartStyle): the chart
// style's and the axes'. The bar and line styles differ only in `M` and in
// their initializers, which hand their arguments on by name:
//
//   LineChartStyle(...) : CommonLineBarChartStyle{{.infoBoxPlacement = ...}, {.markerType = ...}} {}
template <class M>
struct CommonLineBarChartStyle : CommonChartStyle, AxesStyle<M> {
    using Mark = M;
};

} // namespace charts

template <>
struct std::hash<charts::Baseline> {
    std::size_t operator()(const charts::Baseline& b) const { return charts::hashValues(b.value); }
};

template <>
struct std::hash<charts::Topline> {
    std::size_t operator()(const charts::Topline& t) const { return charts::hashValues(t.value); }
};
