#pragma once

#include "kit/ui/Shape.h"

#include <algorithm>

// The wedge of a pie segment: from the centre of its frame, a relative arc
// of `amount` radians from `start`, out to the frame's inscribed circle.
struct Wedge : kit::ShapeBase<Wedge> {
    Wedge(double start, double amount) : start(start), amount(amount) {}
    double start, amount;
    kit::Path path(const kit::Rect& r) const
    {
        const kit::Point c{r.width() / 2, r.height() / 2};
        kit::Path p;
        p.move(c);
        p.addRelativeArc(c, std::min(r.width(), r.height()) / 2, start, amount);
        return p;
    }
};
