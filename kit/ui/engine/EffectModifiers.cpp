// The drawing effects: offset, scale, rotation, opacity, z-index, shadow,
// clipping, content shape and hit-testing switches. None changes layout.

#include "kit/ui/Shape.h"
#include "kit/ui/engine/DisplayListBuilder.h"
#include "kit/ui/engine/Primitive.h"

#include <algorithm>

namespace kit::detail {

namespace {

// A modifier that transforms its content's drawing and hit area.
class TransformModifier : public LayoutNeutralModifier {
public:
    using LayoutNeutralModifier::LayoutNeutralModifier;
    void draw(Node& node, DisplayListBuilder& builder, const DrawState& state) const override
    {
        DrawState s = state;
        if (auto t = contentTransform(node, node.presentedFrame().size, true))
            s.transform = t->concatenating(state.transform);
        builder.drawSlot(node, 0, s);
    }
};

class Offset final : public TransformModifier {
public:
    Offset(View content, double x, double y) : TransformModifier(std::move(content)), x_(x), y_(y) {}
    void targets(Node&, TargetSink& sink) const override { sink.set(ChannelKey::offset, {x_, y_}); }
    std::optional<AffineTransform> contentTransform(Node& node, Size, bool presented) const override
    {
        const std::vector<double> target{x_, y_};
        const auto v = presented ? node.value(ChannelKey::offset, target) : target;
        return AffineTransform::translation(v[0], v[1]);
    }

private:
    double x_, y_;
};

class ScaleEffect final : public TransformModifier {
public:
    ScaleEffect(View content, double x, double y, UnitPoint anchor)
        : TransformModifier(std::move(content)), x_(x), y_(y), anchor_(anchor)
    {
    }
    void targets(Node&, TargetSink& sink) const override { sink.set(ChannelKey::scale, {x_, y_}); }
    std::optional<AffineTransform> contentTransform(Node& node, Size size, bool presented) const override
    {
        const std::vector<double> target{x_, y_};
        const auto v = presented ? node.value(ChannelKey::scale, target) : target;
        return AffineTransform::scale(v[0], v[1]).about(anchor_.in(Rect(0, 0, size.width, size.height)));
    }

private:
    double x_, y_;
    UnitPoint anchor_;
};

class RotationEffect final : public TransformModifier {
public:
    RotationEffect(View content, Angle angle, UnitPoint anchor)
        : TransformModifier(std::move(content)), angle_(angle), anchor_(anchor)
    {
    }
    void targets(Node&, TargetSink& sink) const override { sink.set(ChannelKey::rotation, {angle_.radians}); }
    std::optional<AffineTransform> contentTransform(Node& node, Size size, bool presented) const override
    {
        const std::vector<double> target{angle_.radians};
        const auto v = presented ? node.value(ChannelKey::rotation, target) : target;
        return AffineTransform::rotation(v[0]).about(anchor_.in(Rect(0, 0, size.width, size.height)));
    }

private:
    Angle angle_;
    UnitPoint anchor_;
};

class Opacity final : public LayoutNeutralModifier {
public:
    Opacity(View content, double opacity)
        : LayoutNeutralModifier(std::move(content)), opacity_(std::clamp(opacity, 0.0, 1.0))
    {
    }
    void targets(Node&, TargetSink& sink) const override { sink.set(ChannelKey::opacity, {opacity_}); }
    void draw(Node& node, DisplayListBuilder& builder, const DrawState& state) const override
    {
        DrawState s = state;
        s.opacity *= std::clamp(node.value(ChannelKey::opacity, {opacity_})[0], 0.0, 1.0);
        builder.drawSlot(node, 0, s);
    }

private:
    double opacity_;
};

class ZIndex final : public LayoutNeutralModifier {
public:
    ZIndex(View content, double z) : LayoutNeutralModifier(std::move(content)), z_(z) {}
    std::optional<double> zIndex() const override { return z_; }

private:
    double z_;
};

class Shadow final : public LayoutNeutralModifier {
public:
    Shadow(View content, Color color, double radius, double x, double y)
        : LayoutNeutralModifier(std::move(content)), color_(color), radius_(radius), x_(x), y_(y)
    {
    }
    void targets(Node& node, TargetSink& sink) const override { sink.set(ChannelKey::shadow, target(node)); }
    void draw(Node& node, DisplayListBuilder& builder, const DrawState& state) const override
    {
        const auto v = node.value(ChannelKey::shadow, target(node));
        DrawState s = state;
        const Color c = unpremultiplied({v[0], v[1], v[2], v[3]});
        builder.addShadow(s, c.components(), std::max(0.0, v[4]), {v[5], v[6]});
        builder.drawSlot(node, 0, s);
    }

private:
    std::vector<double> target(Node& node) const
    {
        std::vector<double> v = premultiplied(node.environment->resolve(color_));
        v.insert(v.end(), {radius_, x_, y_});
        return v;
    }
    Color color_;
    double radius_, x_, y_;
};

class Clip final : public LayoutNeutralModifier {
public:
    Clip(View content, std::optional<Shape> shape, FillStyle style)
        : LayoutNeutralModifier(std::move(content)), shape_(std::move(shape)), style_(style)
    {
    }
    void draw(Node& node, DisplayListBuilder& builder, const DrawState& state) const override
    {
        const Rect f = node.presentedFrame();
        const Rect frame(0, 0, f.width(), f.height());
        DrawState s = state;
        builder.addClip(s, shape_ ? shape_->path(frame) : Path::rect(frame), style_.eoFill, style_.antialiased);
        builder.drawSlot(node, 0, s);
    }

private:
    std::optional<Shape> shape_;
    FillStyle style_;
};

// The shape, in the view's frame, is the view's hit area (drawn nowhere).
class ContentShape final : public LayoutNeutralModifier {
public:
    ContentShape(View content, Shape shape, FillStyle style)
        : LayoutNeutralModifier(std::move(content)), shape_(std::move(shape)), style_(style)
    {
    }
    void draw(Node& node, DisplayListBuilder& builder, const DrawState& state) const override
    {
        const Rect f = node.presentedFrame();
        DisplayItem item;
        item.kind = DisplayItem::Kind::hitArea;
        item.path = shape_.path(Rect(0, 0, f.width(), f.height()));
        item.fillStyle = style_;
        builder.addItem(node, state, std::move(item));
        builder.drawSlot(node, 0, state);
    }

private:
    Shape shape_;
    FillStyle style_;
};

class AllowsHitTesting final : public LayoutNeutralModifier {
public:
    AllowsHitTesting(View content, bool enabled) : LayoutNeutralModifier(std::move(content)), enabled_(enabled) {}
    void draw(Node& node, DisplayListBuilder& builder, const DrawState& state) const override
    {
        DrawState s = state;
        s.hittable = s.hittable && enabled_;
        builder.drawSlot(node, 0, s);
    }

private:
    bool enabled_;
};

} // namespace

View offset(const View& v, double x, double y)
{
    return modify(v, [=](View c) { return std::make_shared<Offset>(std::move(c), x, y); });
}

View scaleEffect(const View& v, double x, double y, UnitPoint anchor)
{
    return modify(v, [=](View c) { return std::make_shared<ScaleEffect>(std::move(c), x, y, anchor); });
}

View rotationEffect(const View& v, Angle angle, UnitPoint anchor)
{
    return modify(v, [=](View c) { return std::make_shared<RotationEffect>(std::move(c), angle, anchor); });
}

View opacity(const View& v, double value)
{
    return modify(v, [=](View c) { return std::make_shared<Opacity>(std::move(c), value); });
}

View zIndex(const View& v, double value)
{
    return modify(v, [=](View c) { return std::make_shared<ZIndex>(std::move(c), value); });
}

View shadow(const View& v, Color color, double radius, double x, double y)
{
    return modify(v, [=](View c) { return std::make_shared<Shadow>(std::move(c), color, radius, x, y); });
}

View clipped(const View& v)
{
    return modify(v, [=](View c) { return std::make_shared<Clip>(std::move(c), std::nullopt, FillStyle{}); });
}

View clipShape(const View& v, const Shape& shape, FillStyle style)
{
    return modify(v, [=](View c) { return std::make_shared<Clip>(std::move(c), shape, style); });
}

View contentShape(const View& v, const Shape& shape, FillStyle style)
{
    return modify(v, [=](View c) { return std::make_shared<ContentShape>(std::move(c), shape, style); });
}

View allowsHitTesting(const View& v, bool enabled)
{
    return modify(v, [=](View c) { return std::make_shared<AllowsHitTesting>(std::move(c), enabled); });
}

} // namespace kit::detail
