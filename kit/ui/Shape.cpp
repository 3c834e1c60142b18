#include "kit/ui/Shape.h"

#include "kit/ui/DisplayListBuilder.h"
#include "kit/ui/Primitive.h"

#include <algorithm>
#include <cmath>

namespace kit {

namespace {

struct FixedPath : ShapeBase<FixedPath> {
    Path fixed;
    Path path(const Rect&) const { return fixed; }
};

AffineTransform about(Point anchor, const AffineTransform& t)
{
    return AffineTransform::translation(-anchor.x, -anchor.y)
        .concatenating(t)
        .concatenating(AffineTransform::translation(anchor.x, anchor.y));
}

} // namespace

// MARK: - Shape

Shape Shape::fromPath(Path path)
{
    FixedPath s;
    s.fixed = std::move(path);
    return Shape(std::move(s));
}

Shape Shape::withOp(Op op) const
{
    Shape s = *this;
    s.ops_.push_back(op);
    return s;
}

Shape Shape::trim(double from, double to) const
{
    return withOp({Op::Kind::trim, from, to, {}, {}});
}

Shape Shape::scale(double x, double y, UnitPoint anchor) const
{
    return withOp({Op::Kind::scale, x, y, anchor, {}});
}

Shape Shape::rotation(Angle angle, UnitPoint anchor) const
{
    return withOp({Op::Kind::rotation, angle.radians, 0, anchor, {}});
}

Shape Shape::offset(double x, double y) const
{
    return withOp({Op::Kind::offset, x, y, {}, {}});
}

Shape Shape::transform(const AffineTransform& t) const
{
    return withOp({Op::Kind::transform, 0, 0, {}, t});
}

Shape Shape::withAnimatableData(const AnimatableData& data) const
{
    Shape s = *this;
    s.impl_ = impl_->withData(data);
    return s;
}

Shape Shape::inset(double amount) const
{
    if (!isInsettable()) {
        detail::misuse("inset on a shape that is not insettable");
        return *this;
    }
    Shape s = *this;
    s.impl_ = impl_->inset(amount);
    return s;
}

Path Shape::path(const Rect& rect) const
{
    Path p = impl_->path(rect);
    for (const Op& op : ops_) {
        switch (op.kind) {
        case Op::Kind::trim:
            p = p.trimmedPath(op.a, op.b);
            break;
        case Op::Kind::scale:
            p = p.applying(about(op.anchor.in(rect), AffineTransform::scale(op.a, op.b)));
            break;
        case Op::Kind::rotation:
            p = p.applying(about(op.anchor.in(rect), AffineTransform::rotation(op.a)));
            break;
        case Op::Kind::offset:
            p = p.applying(AffineTransform::translation(op.a, op.b));
            break;
        case Op::Kind::transform:
            p = p.applying(op.t);
            break;
        }
    }
    return p;
}

std::vector<double> Shape::modifierValues() const
{
    std::vector<double> values;
    for (const Op& op : ops_) {
        switch (op.kind) {
        case Op::Kind::trim:
        case Op::Kind::scale:
        case Op::Kind::offset:
            values.push_back(op.a);
            values.push_back(op.b);
            break;
        case Op::Kind::rotation:
            values.push_back(op.a);
            break;
        case Op::Kind::transform:
            break;
        }
    }
    return values;
}

std::size_t Shape::modifierSignature() const
{
    std::size_t s = ops_.size();
    for (const Op& op : ops_)
        s = s * 7 + std::size_t(op.kind) + 1;
    return s;
}

Shape Shape::withModifierValues(const std::vector<double>& values) const
{
    Shape s = *this;
    std::size_t i = 0;
    auto next = [&](double fallback) { return i < values.size() ? values[i++] : fallback; };
    for (Op& op : s.ops_) {
        switch (op.kind) {
        case Op::Kind::trim:
        case Op::Kind::scale:
        case Op::Kind::offset:
            op.a = next(op.a);
            op.b = next(op.b);
            break;
        case Op::Kind::rotation:
            op.a = next(op.a);
            break;
        case Op::Kind::transform:
            break;
        }
    }
    return s;
}

// MARK: - built-in shapes

Path Rectangle::path(const Rect& r) const
{
    return Path::rect(r.insetBy(insetAmount, insetAmount).isNull() ? Rect(r.midX(), r.midY(), 0, 0)
                                                                    : r.insetBy(insetAmount, insetAmount));
}

Path RoundedRectangle::path(const Rect& r) const
{
    const Rect inner = r.insetBy(insetAmount, insetAmount);
    if (inner.isNull())
        return {};
    Path p;
    p.addRoundedRect(inner, {std::max(0.0, cornerSize.width - insetAmount), std::max(0.0, cornerSize.height - insetAmount)},
                     style);
    return p;
}

void RoundedRectangle::setAnimatableData(const AnimatableData& d)
{
    if (d.first.size() == 2)
        cornerSize = {d.first[0], d.first[1]};
}

Path Capsule::path(const Rect& r) const
{
    const Rect inner = r.insetBy(insetAmount, insetAmount);
    if (inner.isNull())
        return {};
    const double radius = std::min(inner.width(), inner.height()) / 2;
    Path p;
    p.addRoundedRect(inner, {radius, radius});
    return p;
}

Path Circle::path(const Rect& r) const
{
    const double d = std::min(r.width(), r.height()) - 2 * insetAmount;
    if (d < 0)
        return {};
    return Path::ellipse(Rect(r.midX() - d / 2, r.midY() - d / 2, d, d));
}

Path Ellipse::path(const Rect& r) const
{
    const Rect inner = r.insetBy(insetAmount, insetAmount);
    return inner.isNull() ? Path() : Path::ellipse(inner);
}

// MARK: - painting a shape

namespace detail {
namespace {

// A shape filled or stroked; its identity is the shape's own type.
class ShapePrimitive final : public Primitive {
public:
    enum class Mode { fill, stroke };
    ShapePrimitive(Shape shape, Mode mode, std::optional<Paint> paint, FillStyle fill, StrokeStyle stroke)
        : shape_(std::move(shape)), mode_(mode), paint_(std::move(paint)), fill_(fill), stroke_(std::move(stroke))
    {
    }
    std::type_index type() const override { return shape_.type(); }
    NodeRole role() const override { return NodeRole::leaf; }

    void targets(Node& node, TargetSink& sink) const override
    {
        if (auto data = shape_.animatableData()) {
            std::vector<double> flat = data->first;
            flat.insert(flat.end(), data->second.begin(), data->second.end());
            sink.set(ChannelKey::shapeData, flat, data->first.size() * 1000003 + data->second.size());
        }
        const auto values = shape_.modifierValues();
        if (!values.empty())
            sink.set(ChannelKey::shapeTransform, values, shape_.modifierSignature());
        if (auto color = flatColor(node))
            sink.set(ChannelKey::color, premultiplied(node.environment->resolve(*color)));
    }

    void draw(Node& node, DisplayListBuilder& builder, const DrawState& state) const override
    {
        const Rect f = node.presentedFrame();
        const Rect frame(0, 0, f.width(), f.height());
        Shape shape = shape_;
        if (auto data = shape_.animatableData()) {
            const auto v = node.value(ChannelKey::shapeData, {});
            if (v.size() == data->first.size() + data->second.size()) {
                const auto split = v.begin() + std::ptrdiff_t(data->first.size());
                shape = shape.withAnimatableData(AnimatableData({v.begin(), split}, {split, v.end()}));
            }
        }
        if (const Channel* c = node.channel(ChannelKey::shapeTransform); c && !c->presented.empty())
            shape = shape.withModifierValues(c->presented);
        DisplayItem item;
        item.frame = frame;
        if (mode_ == Mode::fill) {
            item.kind = DisplayItem::Kind::fill;
            item.fillStyle = fill_;
        } else {
            item.kind = DisplayItem::Kind::stroke;
            item.strokeStyle = stroke_;
        }
        item.path = shape.path(frame);
        item.paint = resolvedPaint(node);
        builder.addItem(node, state, std::move(item));
    }

private:
    std::optional<Color> flatColor(Node& node) const
    {
        if (!paint_)
            return node.environment->foregroundColor;
        if (const auto* c = std::get_if<Color>(&*paint_))
            return *c;
        return std::nullopt;
    }

    // The paint with its colours looked up in the node's environment.
    Paint resolvedPaint(Node& node) const
    {
        const EnvironmentValues& env = *node.environment;
        if (auto color = flatColor(node))
            return unpremultiplied(node.value(ChannelKey::color, premultiplied(env.resolve(*color))));
        auto resolveGradient = [&](Gradient g) {
            std::vector<Gradient::Stop> stops;
            for (const auto& s : g.stops()) {
                const RGBA c = env.resolve(s.color);
                stops.push_back({Color::rgb(c.red, c.green, c.blue, c.alpha), s.location});
            }
            return Gradient(std::move(stops));
        };
        return std::visit(
            [&](auto p) -> Paint {
                if constexpr (!std::is_same_v<decltype(p), Color>)
                    p.gradient = resolveGradient(p.gradient);
                return p;
            },
            *paint_);
    }

    Shape shape_;
    Mode mode_;
    std::optional<Paint> paint_;
    FillStyle fill_;
    StrokeStyle stroke_;
};

View paint(const Shape& shape, ShapePrimitive::Mode mode, std::optional<Paint> paint, FillStyle fill,
           StrokeStyle stroke)
{
    return View(std::make_shared<ShapePrimitive>(shape, mode, std::move(paint), fill, std::move(stroke)));
}

} // namespace
} // namespace detail

View Shape::fill(FillStyle style) const
{
    return detail::paint(*this, detail::ShapePrimitive::Mode::fill, std::nullopt, style, {});
}

View Shape::fill(Paint paint, FillStyle style) const
{
    return detail::paint(*this, detail::ShapePrimitive::Mode::fill, std::move(paint), style, {});
}

View Shape::stroke(Paint paint, StrokeStyle style) const
{
    return detail::paint(*this, detail::ShapePrimitive::Mode::stroke, std::move(paint), {}, std::move(style));
}

View Shape::stroke(StrokeStyle style) const
{
    return detail::paint(*this, detail::ShapePrimitive::Mode::stroke, std::nullopt, {}, std::move(style));
}

View Shape::strokeBorder(Paint paint, StrokeStyle style) const
{
    const double half = style.lineWidth / 2;
    return inset(half).stroke(std::move(paint), std::move(style));
}

} // namespace kit
