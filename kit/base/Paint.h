#pragma once

#include "kit/base/Angle.h"
#include "kit/base/Gradient.h"
#include "kit/base/Rect.h"
#include "kit/base/UnitPoint.h"

#include <numbers>
#include <variant>

class QBrush;

namespace kit {

// Unit points are resolved against the frame of the view being painted.
struct LinearGradient {
    Gradient gradient;
    UnitPoint startPoint = UnitPoint::top();
    UnitPoint endPoint = UnitPoint::bottom();
    friend bool operator==(const LinearGradient&, const LinearGradient&) = default;
};

// Radii in points: t = (|p − c| − startRadius) / (endRadius − startRadius).
struct RadialGradient {
    Gradient gradient;
    UnitPoint center = UnitPoint::center();
    double startRadius = 0;
    double endRadius = 0;
    friend bool operator==(const RadialGradient&, const RadialGradient&) = default;
};

// Clockwise on screen from 3 o'clock; angles beyond `endAngle` take the
// colour of the nearer end.
struct AngularGradient {
    Gradient gradient;
    UnitPoint center = UnitPoint::center();
    Angle startAngle = Angle::zero();
    Angle endAngle = Angle::fromRadians(2 * std::numbers::pi);
    friend bool operator==(const AngularGradient&, const AngularGradient&) = default;
};

// What fills or strokes: a colour or a gradient.
using Paint = std::variant<Color, LinearGradient, RadialGradient, AngularGradient>;

// The paint's colour at p, for a view whose frame is `frame`.
RGBA paintColorAt(const Paint& paint, Point p, const Rect& frame, ColorScheme scheme = ColorScheme::light,
                  const ColorPalette* palette = nullptr);

// The Qt brush for a paint in logical coordinates of `frame`; Qt::NoBrush
// for a gradient without stops.
QBrush toQBrush(const Paint& paint, const Rect& frame, ColorScheme scheme = ColorScheme::light,
                const ColorPalette* palette = nullptr);

} // namespace kit
