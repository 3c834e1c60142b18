#pragma once

// The plain enumerations of the chart library, and the pair of them that
// names a chart's kind. The enumerations whose cases carry values (where a
// marker attaches, where labels come from, ...) stand with the types they
// describe.

namespace charts {

// The family of a chart, and the kind of symbol a legend entry draws.
enum class ChartType { line, bar, pie };

// Whether a chart holds one data set or a set of data sets.
enum class DataSetType { single, multi };

// A chart's family and whether it holds one data set or a set of sets.
struct ChartKind {
    ChartType chartType;
    DataSetType dataSetType;

    friend bool operator==(const ChartKind&, const ChartKind&) = default;
};

// Which member of a ColourStyle applies.
enum class ColourType { colour, gradientColour, gradientStops };

// Straight segments between points, a smooth curve through them, or horizontal steps.
enum class LineType { line, curvedLine, stepped };

// The outline of a point marker.
enum class PointShape { circle, square, roundSquare };

// A point marker filled, outlined, or filled and outlined.
enum class PointType { filled, outline, filledOutLine };

// Whether the info box stacks its content vertically or lays it out horizontally.
enum class InfoBoxAlignment { vertical, horizontal };

// Side of the x-axis labels.
enum class XAxisLabelPosistion { top, bottom };

// Side of the y-axis labels.
enum class YAxisLabelPosistion { leading, trailing };

// Y-axis labels computed from the value range, or taken from the chart data's own list.
enum class YAxisLabelType { numeric, custom };

} // namespace charts
