#pragma once

#include "kit/base/Path.h"
#include "kit/ui/View.h"

namespace liquid {

// A blob that never rests while it is on screen: a smooth closed curve whose
// points are drawn anew every period and animated there linearly over one
// period. It fills whatever frame it is given with the foreground colour;
// the caller sizes, colours and places it:
//
//   liquid::Liquid(8, 6.0).frame(300, 300).foregroundColor(accent).opacity(0.4)
struct Liquid : kit::ViewMethods<Liquid> {
    // `samples` points at random angles on the ellipse inscribed in the frame.
    Liquid(int samples, double period);
    // `samples` points picked from the outline of `path`, resampled to
    // `pointCount` candidates; drawn in the path's own coordinates.
    Liquid(const kit::Path& path, int pointCount, int samples, double period);

    kit::View content;

    kit::View body() const { return content; }
};

} // namespace liquid
