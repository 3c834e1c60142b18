#include "kit/ui/engine/Channel.h"

#include <algorithm>
#include <cmath>

namespace kit::detail {

std::vector<double> premultiplied(const RGBA& c)
{
    return {c.red * c.alpha, c.green * c.alpha, c.blue * c.alpha, c.alpha};
}

Color unpremultiplied(const std::vector<double>& v)
{
    if (v.size() != 4)
        return Color::clear();
    const double a = v[3];
    if (a == 0)
        return Color::rgb(0, 0, 0, 0);
    return Color::rgb(v[0] / a, v[1] / a, v[2] / a, a);
}

void Channel::snap(const std::vector<double>& value, std::size_t valueShape)
{
    target = value;
    presented = value;
    shape = valueShape;
    animation_.reset();
}

void Channel::retarget(const std::vector<double>& value, std::size_t valueShape,
                       const std::optional<Animation>& animation, double now)
{
    if (value == target && valueShape == shape)
        return; // an unchanged target lets a running animation continue
    if (!animation || value.size() != target.size() || valueShape != shape) {
        snap(value, valueShape);
        return;
    }
    update(now);
    // The new run starts where the value is now, with the speed it has
    // (a spring) or at rest; the channel's own buffers are reused.
    if (animation->isSpring())
        velocity_ = velocity(now);
    else
        velocity_.assign(value.size(), 0.0);
    from_ = presented;
    target = value;
    animateFrom(from_, *animation, now);
}

void Channel::animateFrom(const std::vector<double>& from, const Animation& animation, double now)
{
    if (from.size() != target.size()) {
        snap(target, shape);
        return;
    }
    if (velocity_.size() != target.size())
        velocity_.assign(target.size(), 0.0);
    from_ = from;
    start_ = now;
    animation_ = animation;
    // The envelope is measured relative to the size of the change.
    double scale = 0, v0 = 0;
    for (std::size_t i = 0; i < target.size(); ++i)
        scale = std::max(scale, std::abs(target[i] - from_[i]));
    if (scale == 0)
        scale = 1;
    for (std::size_t i = 0; i < target.size(); ++i)
        v0 = std::max(v0, std::abs(velocity_[i]) / scale);
    settle_ = animation.settleTime(-1, v0);
    presented = from_;
    update(now);
}

void Channel::sampleInto(double now, std::vector<double>& out, bool& finished) const
{
    const Animation::Sample s = animation_->sample(now - start_, settle_);
    finished = s.finished;
    out.resize(target.size());
    for (std::size_t i = 0; i < target.size(); ++i)
        out[i] = finished ? target[i]
                          : target[i] + (from_[i] - target[i]) * s.displacement + velocity_[i] * s.velocityFactor;
}

void Channel::update(double now)
{
    if (!animation_) {
        presented = target;
        return;
    }
    bool finished = false;
    sampleInto(now, presented, finished);
    if (finished) {
        presented = target;
        animation_.reset();
    }
}

std::vector<double> Channel::velocity(double now) const
{
    std::vector<double> v(target.size(), 0.0);
    if (!animation_)
        return v;
    constexpr double h = 1e-4;
    std::vector<double> a, b;
    bool fa = false, fb = false;
    sampleInto(now - h, a, fa);
    sampleInto(now + h, b, fb);
    for (std::size_t i = 0; i < v.size(); ++i)
        v[i] = (b[i] - a[i]) / (2 * h);
    return v;
}

} // namespace kit::detail
