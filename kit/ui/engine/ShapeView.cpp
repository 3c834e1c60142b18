// A shape as a view: filled or stroked with a paint (or the foreground
// colour) in its frame, its animatable data, shape-level modifiers and flat
// colour animating.

#include "kit/ui/Shape.h"

#include "kit/ui/engine/DisplayListBuilder.h"
#include "kit/ui/engine/Primitive.h"
#include "kit/ui/engine/ResolvedPaint.h"

namespace kit {

namespace detail {
namespace {

// The latest shape a node drew and its own path: drawn again with an equal
// shape in the same frame, as every animation frame does, the path is not
// made again (nor, when trimmed, measured again).
struct ShapePathCache {
    std::optional<Shape> shape;
    Rect rect;
    Path path;

    Path pathOf(const Shape& s, const Rect& r)
    {
        if (!shape || !(rect == r) || !shape->hasSameValue(s)) {
            path = s.basePath(r);
            rect = r;
        }
        // An equal shape is kept as the one drawn now, so that the frames
        // after it, which draw this same one, find it the same at once
        // rather than comparing value by value (a line's thousands of points).
        shape = s;
        return path;
    }
};

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
    bool sameLayout(const Primitive&) const override { return true; } // it takes what it is offered

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
        item.path = shape.modifying(node.data<ShapePathCache>().pathOf(shape, frame), frame);
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

    // The paint with its colours looked up in the node's environment; a flat
    // colour as its channel presents it.
    Paint resolvedPaint(Node& node) const
    {
        const EnvironmentValues& env = *node.environment;
        if (auto color = flatColor(node))
            return node.presentedColor(env.resolve(*color));
        return detail::resolvedPaint(*paint_, env);
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
