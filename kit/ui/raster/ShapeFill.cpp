#include "kit/ui/raster/ShapeFill.h"

#include "kit/ui/raster/CoverageFill.h"
#include "kit/ui/raster/Flattening.h"

#include <QPainter>
#include <QTransform>

#include <span>
#include <vector>

namespace kit::detail {

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
