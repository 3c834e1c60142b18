#pragma once

// The chart workloads every twin draws: the same window sizes, values and
// changes for the project's charts (charts_*.cpp), their Qt Charts twins
// (qtcharts_twins.cpp) and their floor (floor_twins.cpp, plain QPainter
// drawing the same marks from the values).

#include <cmath>
#include <cstddef>
#include <string>
#include <utility>

namespace bench {

// Bar charts: 500 bars, or 20 groups of 5, in an 800 × 600 window.
inline constexpr int barWindowWidth = 800;
inline constexpr int barWindowHeight = 600;
inline constexpr int standardBars = 500;
inline constexpr int barGroups = 20;
inline constexpr int barsPerGroup = 5;

// The value of bar `i` in update `round`: 1 ... 100.
inline double barValue(int i, int round)
{
    return 1 + (i * 37 + round * 11) % 100;
}

// The line chart: 10,000 points of a wave in a 1200 × 400 window.
inline constexpr int linePoints = 10000;
inline constexpr int lineWindowWidth = 1200;
inline constexpr int lineWindowHeight = 400;

inline double waveValue(int i)
{
    return 50 + 40 * std::sin(i * 0.01) + (i % 7);
}

// Point i of the wave in `count` points: the same sixteen waves across the
// window whatever the count (waveValue at 10,000).
inline double waveValue(int i, int count)
{
    return 50 + 40 * std::sin(i * (100.0 / count)) + (i % 7);
}

// The sizes the scaling runs time each kind of chart at (bench/charts_vs_qtcharts.sh
// SCALING=1): bars, points of the line, slices of the pie.
inline constexpr int scaledBars[] = {50, 500, 5000};
inline constexpr int scaledLinePoints[] = {100, 1000, 10000, 100000};
inline constexpr int scaledPieSegments[] = {6, 60, 600};

// The pie: 60 equal segments in a 600 × 600 window.
inline constexpr int pieSegments = 60;
inline constexpr int pieWindowSize = 600;

// The decorated charts: six quarters in a 760 × 600 window.
inline constexpr int decoratedWindowWidth = 760;
inline constexpr int decoratedWindowHeight = 600;

// The change of iteration `i` of a decorated chart: the point it changes and
// by how much. Each point rises by one in one round of six changes and falls
// back in the next, so the values (and with them the axes) stay the same
// from one round of two to the next whatever the iteration count.
inline std::pair<std::size_t, double> decoratedChange(int i)
{
    return {std::size_t(i % 6), (i / 6) % 2 == 0 ? 1.0 : -1.0};
}

} // namespace bench
