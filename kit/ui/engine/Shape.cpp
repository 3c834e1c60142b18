// A shape as a value: its path in a frame and its shape-level modifiers
// (trim, scale, rotation, offset, transform), whose numbers animate.

#include "kit/ui/Shape.h"

#include "kit/ui/engine/Component.h"

namespace kit {

namespace {

struct FixedPath : ShapeBase<FixedPath> {
    Path fixed;
    Path path(const Rect&) const { return fixed; }
};

} // namespace

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
    return modifying(impl_->path(rect), rect);
}

Path Shape::modifying(Path p, const Rect& rect) const
{
    for (const Op& op : ops_) {
        switch (op.kind) {
        case Op::Kind::trim:
            p = p.trimmedPath(op.a, op.b);
            break;
        case Op::Kind::scale:
            p = p.applying(AffineTransform::scale(op.a, op.b).about(op.anchor.in(rect)));
            break;
        case Op::Kind::rotation:
            p = p.applying(AffineTransform::rotation(op.a).about(op.anchor.in(rect)));
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

} // namespace kit
