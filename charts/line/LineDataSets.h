#pragma once

// The data sets of line charts: one line, a line with a band, several lines,
// and the protocols they answer.

#include "charts/core/DataFunctions.h"
#include "charts/core/DataSetProtocols.h"
#include "charts/core/Hasher.h"
#include "charts/core/PointStyle.h"
#include "charts/line/LineDataPoints.h"
#include "charts/line/LineStyles.h"
#include "kit/base/UUID.h"

#include <concepts>
#include <string>
#include <vector>

namespace charts {

// One line: its points, its legend text (the tag of its touched points), its
// line style and its point-marker style.
template <class T>
concept CTLineChartDataSet = CTSingleDataSetProtocol<T> && requires(T set)
{
    {
        set.legendTitle
        } -> std::same_as<std::string&>;
    {
        set.pointStyle
        } -> std::same_as<PointStyle&>;
    requires CTLineStyle<std::remove_cvref_t<decltype(set.style)>>;
};

// A line with a band, whose fill has a legend text of its own.
template <class T>
concept CTRangedLineChartDataSet = CTLineChartDataSet<T> && requires(T set)
{
    {
        set.legendFillTitle
        } -> std::same_as<std::string&>;
};

// Several lines drawn over one pair of axes.
template <class T>
concept CTMultiLineChartDataSet = CTMultiDataSetProtocol<T> && CTLineChartDataSet<typename T::DataSet>;

// One line of a single or multi-line chart: its points left to right, its
// legend text, its marker style and its line style. Made with a fresh id;
// equal and hashed over every field.
struct LineDataSet {
    using DataPoint = LineChartDataPoint;

    kit::UUID id;
    std::vector<LineChartDataPoint> dataPoints;
    std::string legendTitle;
    PointStyle pointStyle;
    LineStyle style;

    LineDataSet(std::vector<LineChartDataPoint> dataPoints, std::string legendTitle, PointStyle pointStyle,
                LineStyle style)
        : dataPoints(std::move(dataPoints)), legendTitle(std::move(legendTitle)), pointStyle(pointStyle),
          style(std::move(style))
    {
    }

    // The largest value (0 without points); the smallest, leaving out zeros
    // when the style ignores them (0 when none is left); the mean of every
    // value, zeros included (not a number without points).
    double largestValue() const;
    double smallestValue() const;
    double averageValue() const;
    // The smallest and largest value, as above, in one pass.
    ValueEnds valueEnds() const;

    friend bool operator==(const LineDataSet&, const LineDataSet&) = default;
};

// The line and band of a ranged line chart: its points, the legend texts of
// the line and of the band, the marker style and the style. Made with a
// fresh id; equal and hashed over every field.
struct RangedLineDataSet {
    using DataPoint = RangedLineChartDataPoint;

    kit::UUID id;
    std::vector<RangedLineChartDataPoint> dataPoints;
    std::string legendTitle;
    std::string legendFillTitle;
    PointStyle pointStyle;
    RangedLineStyle style;

    RangedLineDataSet(std::vector<RangedLineChartDataPoint> dataPoints, std::string legendTitle,
                      std::string legendFillTitle, PointStyle pointStyle, RangedLineStyle style)
        : dataPoints(std::move(dataPoints)), legendTitle(std::move(legendTitle)),
          legendFillTitle(std::move(legendFillTitle)), pointStyle(pointStyle), style(std::move(style))
    {
    }

    // The largest upper value and the smallest lower value (0 without
    // points; zeros are never left out), and the mean height of the band.
    double largestValue() const;
    double smallestValue() const;
    double averageValue() const;

    friend bool operator==(const RangedLineDataSet&, const RangedLineDataSet&) = default;
};

// The lines of a multi-line chart, in drawing and legend order. Made with a
// fresh id; equal and hashed over its id and its lines.
struct MultiLineDataSet {
    using DataSet = LineDataSet;

    kit::UUID id;
    std::vector<LineDataSet> dataSets;

    explicit MultiLineDataSet(std::vector<LineDataSet> dataSets) : dataSets(std::move(dataSets)) {}

    // The largest of the lines' largest values (0 when no line has a
    // point); the smallest of their smallest values, each line leaving out
    // its zeros when its style says so (100 when no line gives one); the
    // mean of the lines' means, every line counted (not a number when one
    // is empty or there is none).
    double largestValue() const;
    double smallestValue() const;
    double averageValue() const;

    friend bool operator==(const MultiLineDataSet&, const MultiLineDataSet&) = default;
};

} // namespace charts

template <>
struct std::hash<charts::LineDataSet> {
    std::size_t operator()(const charts::LineDataSet& s) const
    {
        return charts::hashValues(s.id, s.dataPoints, s.legendTitle, s.pointStyle, s.style);
    }
};

template <>
struct std::hash<charts::RangedLineDataSet> {
    std::size_t operator()(const charts::RangedLineDataSet& s) const
    {
        return charts::hashValues(s.id, s.dataPoints, s.legendTitle, s.legendFillTitle, s.pointStyle, s.style);
    }
};

template <>
struct std::hash<charts::MultiLineDataSet> {
    std::size_t operator()(const charts::MultiLineDataSet& s) const { return charts::hashValues(s.id, s.dataSets); }
};

// Defined once the sets are hashable, as the data functions require.
inline double charts::LineDataSet::largestValue() const
{
    return largestValueOf(*this);
}
inline double charts::LineDataSet::smallestValue() const
{
    return smallestValueOf(*this);
}
inline charts::ValueEnds charts::LineDataSet::valueEnds() const
{
    return valueEndsOf(*this);
}
inline double charts::LineDataSet::averageValue() const
{
    return averageValueOf(*this);
}
inline double charts::RangedLineDataSet::largestValue() const
{
    return largestValueOf(*this);
}
inline double charts::RangedLineDataSet::smallestValue() const
{
    return smallestValueOf(*this);
}
inline double charts::RangedLineDataSet::averageValue() const
{
    return averageValueOf(*this);
}
inline double charts::MultiLineDataSet::largestValue() const
{
    return largestValueOf(*this);
}
inline double charts::MultiLineDataSet::smallestValue() const
{
    return smallestValueOf(*this);
}
inline double charts::MultiLineDataSet::averageValue() const
{
    return averageValueOf(*this);
}
