#pragma once

#include "kit/base/AffineTransform.h"
#include "kit/base/Rect.h"
#include "kit/ui/AnyKey.h"
#include "kit/ui/CoordinateSpace.h"
#include "kit/ui/View.h"

#include <functional>
#include <optional>
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

    // The frame, in the reader's own coordinates, of the view marked
    // layoutAnchor(key), as this pass placed it; none when no view is marked
    // so. Only an AnchorReader's proxy finds anchors.
    std::optional<Rect> anchor(const AnyKey& key) const;
    // The frame, in the reader's own coordinates, of the outermost view
    // marked proposalScope(key) around it as this pass placed it; none
    // outside such a scope. Only an AnchorReader's proxy finds it.
    std::optional<Rect> scopeFrame(const AnyKey& key) const;

    AffineTransform toHost;
    std::vector<std::pair<std::string, AffineTransform>> namedSpaces; // nearest first
    std::function<std::optional<Rect>(const AnyKey&)> anchorFrame;    // host coordinates
    std::function<std::optional<Rect>(const AnyKey&)> scopeFrameOf;   // host coordinates
};

// Takes the whole proposal (10 in an unspecified dimension) and lays its
// content out in that size at its top-leading corner.
View GeometryReader(std::function<View(const GeometryProxy&)> content);

// A geometry reader whose content stands where other views are: it takes the
// whole proposal as a GeometryReader does, but builds and places its content
// only once the pass has placed everything else, so that the anchors its
// proxy reads (GeometryProxy::anchor) stand where this pass put them,
// wherever the views marked with them come in the tree.
//
//   HStack({AnchorReader([](const GeometryProxy& p) {
//               const Rect plot = p.anchor("plot").value_or(Rect());
//               return Text("top").position(p.size.width / 2, plot.minY());
//           }).frame(40, std::nullopt),
//           chart.layoutAnchor("plot")});
View AnchorReader(std::function<View(const GeometryProxy&)> content);

} // namespace kit
