#pragma once

#include <vector>

namespace liquid {

// A list of reals that animations can interpolate: the animatable data of the
// blob shapes. Arithmetic works element by element over the shorter operand;
// the compound forms keep the left operand's count.
struct AnimatableArray {
    std::vector<double> values;

    // The additive zero: a single 0.0 (not an empty list), shared.
    static const AnimatableArray& zero();

    friend AnimatableArray operator+(const AnimatableArray& a, const AnimatableArray& b);
    friend AnimatableArray operator-(const AnimatableArray& a, const AnimatableArray& b);
    AnimatableArray& operator+=(const AnimatableArray& b);
    AnimatableArray& operator-=(const AnimatableArray& b);

    // Multiplies every element by s, in place.
    void scale(double s);
    // The sum of the squares of all elements.
    double magnitudeSquared() const;

    // The value a fraction `progress` of the way from `from` to `to`. Lists of
    // different lengths cannot be blended meaningfully, so they jump to `to`.
    static AnimatableArray interpolate(const AnimatableArray& from, const AnimatableArray& to, double progress);

    friend bool operator==(const AnimatableArray&, const AnimatableArray&) = default;
};

} // namespace liquid
