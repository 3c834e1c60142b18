#pragma once

#include "kit/base/AffineTransform.h"
#include "kit/base/Rect.h"
#include "kit/ui/CoordinateSpace.h"
#include "kit/ui/View.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace kit {

// What a GeometryReader's content knows about the reader: its size and its
// frame in a coordinate space, always from the target layout.
class GeometryProxy {
public:
    Size size;
    // local: (0, 0, w, h); global: the reader's rect in host coordinates;
    // named: relative to the nearest ancestor marked coordinateSpace(name).
    // A transformed rect gives its bounding box.
    Rect frame(const CoordinateSpace& space) const;

    AffineTransform toHost;
    std::vector<std::pair<std::string, AffineTransform>> namedSpaces; // nearest first
};

// Takes the whole proposal (10 in an unspecified dimension) and lays its
// content out in that size at its top-leading corner.
View GeometryReader(std::function<View(const GeometryProxy&)> content);

} // namespace kit
