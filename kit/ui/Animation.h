#pragma once

#include <limits>

namespace kit {

// How a change moves from its old value to its new one: a timing (a Bézier
// curve with a duration, or a spring) plus a delay, a speed and a repeat.
//
//   kit::withAnimation(kit::Animation::easeInOut(0.3), [&] { flag = true; });
//   kit::Animation::spring(0.5, 1.0).delay(0.06 * i)
class Animation {
public:
    static Animation linear(double duration = 0.35);
    static Animation easeIn(double duration = 0.35);
    static Animation easeOut(double duration = 0.35);
    static Animation easeInOut(double duration = 0.35);
    // A cubic Bézier from (0, 0) to (1, 1); x values clamped to 0...1.
    static Animation timingCurve(double c1x, double c1y, double c2x, double c2y, double duration = 0.35);
    // A unit mass on a spring: ω0 = 2π/response, damping 2·ζ·ω0. A retargeted
    // spring carries the presented velocity at once, whatever `blendDuration`.
    static Animation spring(double response = 0.55, double dampingFraction = 0.825, double blendDuration = 0);
    static Animation interactiveSpring(double response = 0.15, double dampingFraction = 0.86,
                                       double blendDuration = 0.25);
    // easeInOut over 0.35 s (the toolkit's default animation).
    static Animation defaultAnimation() { return easeInOut(); }

    // Starts `seconds` after the pass that applied the change; delays add up.
    Animation delay(double seconds) const;
    // Divides every duration and delay so far by `factor`; factor ≤ 0 snaps.
    Animation speed(double factor) const;
    // Runs the timing `count` times, alternating direction when autoreversing,
    // then jumps to the target.
    Animation repeatCount(int count, bool autoreverses = true) const;
    Animation repeatForever(bool autoreverses = true) const;

    bool isSpring() const { return kind_ == Kind::spring; }
    double duration() const { return duration_; }
    double totalDelay() const { return delay_; }

    // Progress of the curve at time fraction x (0...1); springs and linear
    // included (a spring's x is its time over its settle time from rest).
    double curveProgress(double x) const;

    // The state of the timing `elapsed` seconds after the pass, for a value
    // that moves as  to + (from − to)·displacement + velocity·velocityFactor.
    // `settle` is the spring's settle time for this change (see settleTime).
    struct Sample {
        double displacement = 0;   // 1 at the start, 0 at rest
        double velocityFactor = 0; // weight of the carried velocity (springs)
        bool finished = false;
    };
    Sample sample(double elapsed, double settle) const;
    // Spring time (seconds, before speed) at which the envelope of a change
    // with normalised start u0 and velocity v0 falls to 1e-3; infinity for an
    // undamped spring.
    double settleTime(double u0 = -1, double v0 = 0) const;

    friend bool operator==(const Animation&, const Animation&) = default;

private:
    enum class Kind { linear, bezier, spring };

    double bezierProgress(double x) const;
    double solveBezier(double x) const;
    // Responses of the spring to a unit offset (a) and a unit velocity (b).
    void springBasis(double t, double& a, double& b) const;
    double runLength(double settle) const;

    Kind kind_ = Kind::bezier;
    double duration_ = 0.35;
    double c1x_ = 0.42, c1y_ = 0, c2x_ = 0.58, c2y_ = 1;
    double response_ = 0.55, damping_ = 0.825, blend_ = 0;
    double delay_ = 0;
    double speed_ = 1;
    int repeats_ = 1; // -1: forever
    bool autoreverses_ = true;
};

} // namespace kit
