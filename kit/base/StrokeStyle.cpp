#include "kit/base/StrokeStyle.h"

#include <QPen>

#include <algorithm>

namespace kit {

bool StrokeStyle::isDashed() const
{
    if (dash.empty())
        return false;
    if (std::any_of(dash.begin(), dash.end(), [](double d) { return d < 0; }))
        return false;
    return std::any_of(dash.begin(), dash.end(), [](double d) { return d > 0; });
}

QPen StrokeStyle::toQPen(const QBrush& brush) const
{
    QPen pen(brush, std::max(0.0, lineWidth));
    pen.setCapStyle(lineCap == LineCap::round    ? Qt::RoundCap
                    : lineCap == LineCap::square ? Qt::SquareCap
                                                 : Qt::FlatCap);
    pen.setJoinStyle(lineJoin == LineJoin::round   ? Qt::RoundJoin
                     : lineJoin == LineJoin::bevel ? Qt::BevelJoin
                                                   : Qt::SvgMiterJoin);
    pen.setMiterLimit(miterLimit);
    if (isDashed()) {
        // Qt measures dashes in pen widths (pixels for a hairline) and needs an even count.
        const double unit = lineWidth > 0 ? lineWidth : 1;
        QList<qreal> pattern;
        const int repeats = dash.size() % 2 ? 2 : 1;
        for (int r = 0; r < repeats; ++r)
            for (double d : dash)
                pattern.append(std::max(d / unit, 1e-9));
        pen.setDashPattern(pattern);
        pen.setDashOffset(dashPhase / unit);
    } else {
        pen.setStyle(Qt::SolidLine);
    }
    return pen;
}

} // namespace kit
