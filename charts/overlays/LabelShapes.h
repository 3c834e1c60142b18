#pragma once

#include "kit/base/EdgeInsets.h"
#include "kit/base/Path.h"
#include "kit/base/Rect.h"
#include "kit/ui/Shape.h"

#include <functional>
#include <memory>
#include <vector>

namespace charts {

// The shapes behind point-of-interest labels: four callouts, a diamond, and
// one type that holds any of them (or a caller's own shape). Each is drawn
// within the rectangle's own edges.

// The outline of a label callout whose flat edge lies on `flat` (top,
// leading, bottom or trailing) and that points at the middle of the edge
// across from it. It walks the rectangle's corners counterclockwise on
// screen, from the flat edge's corner nearest the bottom leading corner; the
// two corners of the far edge are drawn in towards the flat edge to
// shoulders (by three tenths of the height for a callout pointing up or
// down, by a fifth of the width for one pointing sideways) and the point
// stands between them.
inline kit::Path labelCalloutPath(const kit::Rect& rect, kit::Edge flat)
{
    // Counterclockwise from the bottom leading corner, so the edges between
    // them run bottom, trailing, top, leading.
    const kit::Point corners[] = {{rect.minX(), rect.maxY()},
                                  {rect.maxX(), rect.maxY()},
                                  {rect.maxX(), rect.minY()},
                                  {rect.minX(), rect.minY()}};
    // The far edge runs from corner `far` to the next one.
    const int far = flat == kit::Edge::top ? 0 : flat == kit::Edge::leading ? 1 : flat == kit::Edge::bottom ? 2 : 3;
    const int next = (far + 1) % 4;
    // The flat edge's corner nearest the bottom leading one.
    const int start = far == 0 ? 3 : far == 3 ? 1 : 0;
    const double towardsFlat = far < 2 ? -1 : 1;
    const kit::Point inset = far % 2 == 0 ? kit::Point{0, towardsFlat * 3 * rect.height() / 10}
                                          : kit::Point{towardsFlat * rect.width() / 5, 0};
    const kit::Point point = {(corners[far].x + corners[next].x) / 2, (corners[far].y + corners[next].y) / 2};
    std::vector<kit::Point> outline;
    for (int i = 0; i < 4; ++i) {
        const int corner = (start + i) % 4;
        if (corner == far)
            outline.insert(outline.end(), {corners[corner] + inset, point});
        else if (corner == next)
            outline.push_back(corners[corner] + inset);
        else
            outline.push_back(corners[corner]);
    }
    kit::Path path;
    path.addLines(outline);
    path.closeSubpath();
    return path;
}

// A label callout with its flat edge on `flat`, pointing across to the
// other side (labelCalloutPath).
template <kit::Edge flat>
struct LabelCallout {
    kit::Path path(const kit::Rect& rect) const { return labelCalloutPath(rect, flat); }
};

// Pointing down: flat top edge, shoulders at seven tenths of the height.
using TopLabelShape = LabelCallout<kit::Edge::top>;
// Pointing up: flat bottom edge, shoulders at three tenths of the height.
using BottomLabelShape = LabelCallout<kit::Edge::bottom>;
// Pointing to the trailing side, for a label that stands before its marker:
// flat leading edge, shoulders at four fifths of the width.
using LeadingLabelShape = LabelCallout<kit::Edge::leading>;
// Pointing to the leading side, for a label that stands after its marker:
// flat trailing edge, shoulders at one fifth of the width.
using TrailingLabelShape = LabelCallout<kit::Edge::trailing>;

// A rhombus through the middles of the rectangle's four edges, from the
// bottom round by the trailing edge.
struct DiamondShape {
    kit::Path path(const kit::Rect& rect) const
    {
        kit::Path path;
        path.addLines({{rect.midX(), rect.maxY()},
                       {rect.maxX(), rect.midY()},
                       {rect.midX(), rect.minY()},
                       {rect.minX(), rect.midY()}});
        path.closeSubpath();
        return path;
    }
};

// Any shape behind one type: the background of a point-of-interest label,
// the label's clip and border. The shape is kept in a box its closure owns,
// so copies share it.
//
//   CustomLabelShape(BottomLabelShape())
struct CustomLabelShape {
    std::function<kit::Path(const kit::Rect&)> _path;

    template <kit::ShapeType S>
    requires(!std::same_as<S, CustomLabelShape>) explicit CustomLabelShape(S shape)
        : _path([box = std::make_shared<const S>(std::move(shape))](const kit::Rect& rect) {
              return kit::Path(box->path(rect));
          })
    {
    }

    kit::Path path(const kit::Rect& rect) const { return _path(rect); }
};

} // namespace charts
