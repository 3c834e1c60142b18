#pragma once

namespace charts {

// Whether a chart holds one data set or a set of data sets.
enum class DataSetType { single, multi };

} // namespace charts
