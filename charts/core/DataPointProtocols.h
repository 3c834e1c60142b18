#pragma once

#include "charts/core/ValueText.h"
#include "kit/base/Date.h"
#include "kit/base/UUID.h"

#include <concepts>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

namespace charts {

// Marks data points whose value is a range (upper and lower value).
struct CTisRanged {
    friend bool operator==(CTisRanged, CTisRanged) = default;
};
// Marks data points with one value.
struct CTnotRanged {
    friend bool operator==(CTnotRanged, CTnotRanged) = default;
};

// Equality and std::hash, as every data point and data set offers them.
template <class T>
concept Hashable = std::equality_comparable<T> && requires(const T& value)
{
    {
        std::hash<T>{}(value)
        } -> std::convertible_to<std::size_t>;
};

// The root of every data point: identity, optional description and date, the
// legend tag written when the point is touched, and the text of its value
// for a printf-style specifier or an optional number formatter.
template <class T>
concept CTDataPointBaseProtocol = Hashable<T> &&
    requires(T point, std::string_view specifier, const NumberFormatterPtr& formatter)
{
    {
        point.id
        } -> std::convertible_to<kit::UUID>;
    {
        point.description
        } -> std::convertible_to<std::optional<std::string>>;
    {
        point.date
        } -> std::convertible_to<std::optional<kit::Date>>;
    {
        point.legendTag
        } -> std::convertible_to<std::string>;
    {
        std::as_const(point).formattedValue(specifier, formatter)
        } -> std::convertible_to<std::string>;
};

// A data point with one value.
template <class T>
concept CTStandardDataPointProtocol = CTDataPointBaseProtocol<T> && requires(T point)
{
    {
        point.value
        } -> std::convertible_to<double>;
};

// A data point of a chart with axes, with its own x-axis label.
template <class T>
concept CTLineBarDataPointProtocol = CTDataPointBaseProtocol<T> && requires(T point)
{
    {
        point.xAxisLabel
        } -> std::convertible_to<std::optional<std::string>>;
};

// A data point whose value is a range.
template <class T>
concept CTRangeDataPointProtocol = CTDataPointBaseProtocol<T> && requires(T point)
{
    {
        point.upperValue
        } -> std::convertible_to<double>;
    {
        point.lowerValue
        } -> std::convertible_to<double>;
};

// A data point that may be left out of its line.
template <class T>
concept IgnoreMe = requires(T point)
{
    {
        point.ignoreMe
        } -> std::convertible_to<bool>;
};

} // namespace charts
