#pragma once

#include "kit/base/Color.h"
#include "kit/ui/Animation.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace kit::detail {

// Colours in animation channels are premultiplied RGBA.
std::vector<double> premultiplied(const RGBA& color);
Color unpremultiplied(const std::vector<double>& values);

// The animatable properties of a node.
enum class ChannelKey : std::uint8_t {
    frame,          // x, y, width, height
    offset,         // x, y
    scale,          // sx, sy
    rotation,       // radians
    opacity,        // 0...1
    shadow,         // premultiplied r, g, b, a, radius, x, y
    color,          // premultiplied r, g, b, a
    shapeData,      // a shape's animatable data
    shapeTransform, // the numbers of a shape's trim, scale, rotation and offset
    transition,     // insertion/removal opacity
};

// One animatable property: its target and, while it animates, where it came
// from, the velocity it carried, and the animation driving it.
class Channel {
public:
    explicit Channel(ChannelKey k) : key(k) {}

    ChannelKey key;
    std::vector<double> target;
    std::vector<double> presented;
    // Split of a pair of vectors (a shape's animatable data): values of
    // different shape jump rather than interpolate.
    std::size_t shape = 0;

    bool isRunning() const { return animation_.has_value(); }
    // Sets a new target at time `now`: animated from the presented value
    // when `animation` is given, else snapped (cancelling any animation).
    void retarget(const std::vector<double>& value, std::size_t valueShape, const std::optional<Animation>& animation,
                  double now);
    // Sets the value without animating.
    void snap(const std::vector<double>& value, std::size_t valueShape = 0);
    // Starts an animation from `from` to the current target (transitions).
    void animateFrom(const std::vector<double>& from, const Animation& animation, double now);
    // Recomputes `presented` for time `now`; ends the animation when done.
    void update(double now);
    // The presented velocity at `now` (per second), zero when at rest.
    std::vector<double> velocity(double now) const;

private:
    void sampleInto(double now, std::vector<double>& out, bool& finished) const;

    std::optional<Animation> animation_;
    std::vector<double> from_;
    std::vector<double> velocity_;
    double start_ = 0;
    double settle_ = 0;
};

} // namespace kit::detail
