#pragma once

// What the tests of the fills that write straight into the pixels share: the
// checkered backdrop they fill over, beside Qt's fill of the same, and
// closed polygons to fill.

#include "kit/base/Path.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QTransform>

#include <initializer_list>

namespace kit::fills {

// 160 × 120 pixels of 8-pixel squares, near white and dark blue.
inline QImage backdrop()
{
    QImage image(160, 120, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, (x / 8 + y / 8) % 2 ? qRgba(250, 250, 250, 255) : qRgba(20, 40, 60, 255));
    return image;
}

// The closed polygon through `points`.
inline Path polygon(std::initializer_list<Point> points)
{
    Path p;
    bool first = true;
    for (Point q : points) {
        if (first)
            p.move(q);
        else
            p.addLine(q);
        first = false;
    }
    p.closeSubpath();
    return p;
}

// Whether `fill(painter)` declines, leaving the backdrop as it was, with an
// antialiasing painter set up by `prepare` (a clip, a blend mode, a gradient
// the fill cannot write).
template <class Prepare, class Fill>
bool leftToQt(Prepare prepare, Fill fill)
{
    QImage image = backdrop();
    const QImage before = image.copy();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    prepare(painter);
    const bool taken = fill(painter);
    painter.end();
    return !taken && image == before;
}

// A shape to fill beside Qt: its path, drawn under `transform` in `colour`
// at the painter's `opacity`.
struct FillCase {
    const char* name;
    Path path;
    QTransform transform;
    QColor colour;
    double opacity;
};

} // namespace kit::fills
