#pragma once

#include "kit/ui/State.h"
#include "kit/ui/View.h"

#include <functional>
#include <tuple>

namespace charts {

// A label placed along a marker line: of the room its row (or column)
// leaves beside the label, the share `distanceFromLeading` (0 to 1) goes
// before it, the rest after it, so that at 0 the label touches the leading
// (top) edge and at 1 the trailing (bottom) edge, and never leaves its
// container. The label's and the container's lengths are measured when
// they appear, so the first layout puts the label at the leading edge and
// the next one at its place; they are not measured again while shown. A
// label longer than its container gets no room before it.
struct PositionedPOILabel {
    enum class Orientation { horizontal, vertical };

    std::function<kit::View()> content;
    Orientation orientation = Orientation::horizontal;
    double distanceFromLeading = 0;
    kit::State<double> contentSize{0};
    kit::State<double> containerSize{0};

    PositionedPOILabel(std::function<kit::View()> content, Orientation orientation, double distanceFromLeading)
        : content(std::move(content)), orientation(orientation), distanceFromLeading(distanceFromLeading)
    {
    }

    auto dynamicFields() { return std::tie(contentSize, containerSize); }

    kit::View body() const;

    // The room before the label.
    double leadingGap() const;
};

} // namespace charts
