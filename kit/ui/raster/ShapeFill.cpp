#include "kit/ui/raster/ShapeFill.h"

#include "kit/ui/raster/CoverageFill.h"
#include "kit/ui/raster/Flattening.h"

#include <QPainter>
#include <QTransform>

#include <span>
#include <vector>

namespace kit::detail {

namespace {

using Type = Path::Element::Type;

// The subpaths of `path` mapped by `toDevice` and flattened, one polygon
// each (its last corner joins its first), in `polygons[0, count)`: the
// polygons' room is kept from one fill to the next. False when a subpath
// does not start with a move, or a corner is out of reach.
bool flattenSubpaths(const Path& path, const QTransform& toDevice, double tolerance,
                     std::vector<std::vector<Point>>& polygons, std::size_t& count)
{
    count = 0;
    std::vector<Point>* open = nullptr;
    for (const Path::Element& e : path.elements()) {
        if (e.type == Type::move) {
            if (count == polygons.size())
                polygons.emplace_back();
            open = &polygons[count++];
            open->clear();
            open->push_back(mappedBy(toDevice, e.point));
            continue;
        }
        if (!open)
            return false; // a line or curve from nowhere
        switch (e.type) {
        case Type::line:
            open->push_back(mappedBy(toDevice, e.point));
            break;
        case Type::quadCurve:
            appendQuadratic(*open, mappedBy(toDevice, e.control1), mappedBy(toDevice, e.point), tolerance);
            break;
        case Type::curve:
            appendCubic(*open, mappedBy(toDevice, e.control1), mappedBy(toDevice, e.control2),
                        mappedBy(toDevice, e.point), tolerance);
            break;
        case Type::closeSubpath:
            open = nullptr; // a fill closes every subpath; what follows starts with a move
            break;
        case Type::move:
            break;
        }
    }
    // Every corner must be placeable, those of subpaths that cover nothing
    // too: Qt leaves a point that is not a number out, joining what is
    // around it into one subpath.
    if (!withinReach(std::span<const std::vector<Point>>(polygons.data(), count)))
        return false;
    // A subpath of a point or a line covers nothing.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < count; ++i)
        if (polygons[i].size() >= 3)
            std::swap(polygons[kept++], polygons[i]);
    count = kept;
    return true;
}

} // namespace

bool fillAsShape(QPainter& painter, const Path& path, const QBrush& brush)
{
    if (!plainColour(painter, brush))
        return false;
    const QTransform world = painter.worldTransform();
    if (world.type() > QTransform::TxShear)
        return false;
    thread_local std::vector<std::vector<Point>> polygons;
    std::size_t count = 0;
    if (!flattenSubpaths(path, world, fillFlatness, polygons, count))
        return false;
    const std::span<const std::vector<Point>> filled(polygons.data(), count);
    painter.resetTransform();
    const bool done = count == 0 || fillPolygons(painter, filled, brush);
    painter.setWorldTransform(world);
    return done;
}

} // namespace kit::detail
