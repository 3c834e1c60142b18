#pragma once

#include "charts/core/DataPointProtocols.h"
#include "kit/base/UUID.h"

#include <concepts>
#include <vector>

namespace charts {

// The root of every data set and set of data sets.
template <class T>
concept CTDataSetProtocol = Hashable<T> && requires(T set)
{
    {
        set.id
        } -> std::convertible_to<kit::UUID>;
};

// One data set: its points in drawing order.
template <class T>
concept CTSingleDataSetProtocol = CTDataSetProtocol<T> && CTDataPointBaseProtocol<typename T::DataPoint> &&
    requires(T set)
{
    {
        set.dataPoints
        } -> std::same_as<std::vector<typename T::DataPoint>&>;
};

// A set of data sets.
template <class T>
concept CTMultiDataSetProtocol = CTDataSetProtocol<T> && CTSingleDataSetProtocol<typename T::DataSet> && requires(T set)
{
    {
        set.dataSets
        } -> std::same_as<std::vector<typename T::DataSet>&>;
};

// The numeric functions of a data set.
template <class T>
concept DataFunctionsProtocol = requires(const T& set)
{
    {
        set.largestValue()
        } -> std::convertible_to<double>;
    {
        set.smallestValue()
        } -> std::convertible_to<double>;
    {
        set.averageValue()
        } -> std::convertible_to<double>;
};

} // namespace charts
