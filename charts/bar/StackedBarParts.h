#pragma once

#include "charts/bar/BarFills.h"
#include "charts/bar/StackedBarDataSet.h"
#include "charts/core/ValueText.h"
#include "kit/ui/Shape.h"
#include "kit/ui/View.h"

#include <string>
#include <utility>

namespace charts {

// One part of a stacked column: a plain rectangle `height` high, as wide as
// the column, painted with `Fill` (BarFills.h).
template <class Fill>
struct PartBar : Fill {
    double height;

    PartBar(Fill fill, double height) : Fill(std::move(fill)), height(height) {}

    kit::View body() const { return kit::Rectangle().fill(this->fill()).frame(std::nullopt, height); }
};

// The parts in one colour, a gradient of evenly spread colours and a
// gradient of stops.
using ColourPartBar = PartBar<ColourFill>;
using GradientColoursPartBar = PartBar<ColoursFill>;
using GradientStopsPartBar = PartBar<StopsFill>;

// The parts of one stacked column, filling the column's frame from the
// bottom up: the first point lowest, each part its value's share of the
// column's total (partHeight), as wide as the column, in its group's
// colour; a part whose colour lacks a member its kind needs is left out
// (the parts above it move down). A column whose total is not above 0
// draws no part. Each part's accessibility value is its point's value
// text, by `formatter` when given, else by `specifier`.
struct StackElementSubView {
    StackedBarDataSet dataSet;
    std::string specifier;
    NumberFormatterPtr formatter;

    // The height of the part of `dataPoint` in a column `height` high.
    double partHeight(const StackedBarDataPoint& dataPoint, double height) const;

    kit::View body() const;
};

} // namespace charts
