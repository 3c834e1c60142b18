#pragma once

namespace charts {

// The family of a chart, and the kind of symbol a legend entry draws.
enum class ChartType { line, bar, pie };

} // namespace charts
