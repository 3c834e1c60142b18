// Display items as geometry: their bounds, their hit areas and opacity, and
// finding items in a list. Painting them is in DisplayListPainter.cpp.

#include "kit/ui/DisplayList.h"

#include <QBrush>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QPen>

#include <algorithm>

namespace kit {

namespace {

QPainterPath strokeOutline(const Path& path, const StrokeStyle& style)
{
    QPainterPathStroker stroker(style.toQPen(QBrush(Qt::black)));
    stroker.setWidth(std::max(style.lineWidth, 1e-3));
    return stroker.createStroke(path.toQPainterPath());
}

double paintAlpha(const Paint& paint)
{
    if (const auto* c = std::get_if<Color>(&paint))
        return c->resolved().alpha;
    double alpha = 0;
    std::visit(
        [&](const auto& p) {
            if constexpr (!std::is_same_v<std::decay_t<decltype(p)>, Color>)
                for (const auto& stop : p.gradient.stops())
                    alpha = std::max(alpha, stop.color.resolved().alpha);
        },
        paint);
    return alpha;
}

// Whether `p` may lie in `path`: inside the box of its points and control
// points, edges included (the path lies within their hull). Made without the
// walk of the path's segments a tight box takes, for a hit area of
// thousands of paths tried at every press.
bool mayContain(const Path& path, Point p)
{
    using Type = Path::Element::Type;
    bool any = false, left = false, right = false, above = false, below = false;
    const auto add = [&](Point q) {
        any = true;
        left = left || q.x <= p.x;
        right = right || q.x >= p.x;
        above = above || q.y <= p.y;
        below = below || q.y >= p.y;
    };
    for (const Path::Element& e : path.elements()) {
        if (e.type == Type::closeSubpath)
            continue;
        add(e.point);
        if (e.type == Type::quadCurve || e.type == Type::curve)
            add(e.control1);
        if (e.type == Type::curve)
            add(e.control2);
    }
    return any && left && right && above && below;
}

} // namespace

Rect DisplayItem::hostBounds() const
{
    Rect local;
    switch (kind) {
    case Kind::hitArea:
        if (areas) {
            local = Rect::null();
            for (const Path& area : *areas)
                local = local.unionWith(area.boundingRect());
            break;
        }
        [[fallthrough]];
    case Kind::fill:
        local = path.boundingRect();
        break;
    case Kind::stroke: {
        // The outline of the stroke: caps and miter joins reach beyond half the width.
        const QRectF outline = strokeOutline(path, strokeStyle).boundingRect();
        local = path.isEmpty() ? Rect::null() : Rect(outline.x(), outline.y(), outline.width(), outline.height());
        break;
    }
    case Kind::text:
    case Kind::image:
        local = frame;
        break;
    }
    return local.applying(transform);
}

double DisplayItem::effectiveOpacity() const
{
    switch (kind) {
    case Kind::fill:
    case Kind::stroke:
        return opacity * paintAlpha(paint);
    case Kind::text:
        return opacity * color.alpha;
    case Kind::image: {
        double alpha = 0;
        for (const RGBA& c : layerColors)
            alpha = std::max(alpha, c.alpha);
        return opacity * alpha;
    }
    case Kind::hitArea:
        return opacity;
    }
    return opacity;
}

bool DisplayItem::hitTest(Point hostPoint) const
{
    for (const DisplayClip& clip : clips) {
        const auto inverse = clip.transform.inverted();
        if (!inverse || !clip.path.contains(inverse->apply(hostPoint), clip.evenOdd))
            return false;
    }
    const auto inverse = transform.inverted();
    if (!inverse)
        return false;
    const Point p = inverse->apply(hostPoint);
    switch (kind) {
    case Kind::hitArea:
        if (areas)
            return std::any_of(areas->begin(), areas->end(), [&](const Path& area) {
                return mayContain(area, p) && area.contains(p, fillStyle.eoFill);
            });
        [[fallthrough]];
    case Kind::fill:
        return path.contains(p, fillStyle.eoFill);
    case Kind::stroke:
        return strokeOutline(path, strokeStyle).contains(QPointF(p.x, p.y));
    case Kind::text:
    case Kind::image:
        return p.x >= frame.minX() && p.x <= frame.maxX() && p.y >= frame.minY() && p.y <= frame.maxY();
    }
    return false;
}

std::vector<const DisplayItem*> DisplayList::itemsOf(NodeId node) const
{
    std::vector<const DisplayItem*> result;
    for (const DisplayItem& item : items)
        if (item.node == node)
            result.push_back(&item);
    return result;
}

std::vector<const DisplayItem*> DisplayList::itemsOfKind(DisplayItem::Kind kind) const
{
    std::vector<const DisplayItem*> result;
    for (const DisplayItem& item : items)
        if (item.kind == kind)
            result.push_back(&item);
    return result;
}

const DisplayItem* DisplayList::textItem(const std::string& text) const
{
    for (const DisplayItem& item : items)
        if (item.kind == DisplayItem::Kind::text)
            for (const auto& line : item.lines)
                if (line.text == text)
                    return &item;
    return nullptr;
}

} // namespace kit
