#pragma once

// The built-in shapes. Included by Shape.h.

#include "kit/ui/Shape.h"

namespace kit {

// A built-in shape that insets itself: insets add up in insetAmount, which
// its path takes off every edge.
template <class Derived>
struct InsetShape : ShapeBase<Derived> {
    double insetAmount = 0;
    Derived inset(double amount) const
    {
        Derived s = static_cast<const Derived&>(*this);
        s.insetAmount += amount;
        return s;
    }
};

// The frame.
struct Rectangle : InsetShape<Rectangle> {
    Path path(const Rect& r) const;
};

// Corners of cornerSize, clamped to half the width and height.
struct RoundedRectangle : InsetShape<RoundedRectangle> {
    Size cornerSize;
    RoundedCornerStyle style = RoundedCornerStyle::circular;

    explicit RoundedRectangle(double cornerRadius, RoundedCornerStyle s = RoundedCornerStyle::circular)
        : cornerSize{cornerRadius, cornerRadius}, style(s)
    {
    }
    explicit RoundedRectangle(Size corner, RoundedCornerStyle s = RoundedCornerStyle::circular)
        : cornerSize(corner), style(s)
    {
    }
    Path path(const Rect& r) const;
    AnimatableData animatableData() const { return {{cornerSize.width, cornerSize.height}}; }
    void setAnimatableData(const AnimatableData& d);
};

// A rounded rectangle whose radius is half its shorter side.
struct Capsule : InsetShape<Capsule> {
    Path path(const Rect& r) const;
};

// A circle of diameter min(w, h), centred; starts at 3 o'clock, clockwise.
struct Circle : InsetShape<Circle> {
    Path path(const Rect& r) const;
};

// The ellipse inscribed in the frame.
struct Ellipse : InsetShape<Ellipse> {
    Path path(const Rect& r) const;
};

template <class Derived>
typename ViewMethods<Derived>::ViewT ViewMethods<Derived>::cornerRadius(double radius) const
{
    return clipShape(RoundedRectangle(radius));
}

template <class Derived>
typename ViewMethods<Derived>::ViewT ViewMethods<Derived>::contentShape() const
{
    return contentShape(Rectangle());
}

} // namespace kit
