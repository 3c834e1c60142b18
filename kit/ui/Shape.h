#pragma once

#include "kit/base/Paint.h"
#include "kit/base/Path.h"
#include "kit/base/StrokeStyle.h"
#include "kit/ui/View.h"

#include <concepts>
#include <memory>
#include <optional>
#include <typeindex>
#include <vector>

namespace kit {

// What animations interpolate for a shape: a vector of doubles, or a pair of
// vectors. Values of different lengths jump instead of interpolating.
struct AnimatableData {
    std::vector<double> first;
    std::vector<double> second;

    AnimatableData() = default;
    AnimatableData(std::vector<double> values) : first(std::move(values)) {}
    AnimatableData(std::vector<double> a, std::vector<double> b) : first(std::move(a)), second(std::move(b)) {}
    friend bool operator==(const AnimatableData&, const AnimatableData&) = default;
};

// A shape: any type with `kit::Path path(kit::Rect rect) const`. The rect is
// the view's frame with origin (0, 0). Optional members:
//   AnimatableData animatableData() const; void setAnimatableData(const AnimatableData&);
//   S inset(double amount) const;   (an insettable shape, for strokeBorder)
template <class S>
concept ShapeType = requires(const S& s, const Rect& r)
{
    {
        s.path(r)
        } -> std::convertible_to<Path>;
};
template <class S>
concept AnimatableShape = ShapeType<S> && requires(S& s, const S& cs, const AnimatableData& d)
{
    {
        cs.animatableData()
        } -> std::convertible_to<AnimatableData>;
    s.setAnimatableData(d);
};
template <class S>
concept InsettableShape = ShapeType<S> && requires(const S& s)
{
    {
        s.inset(1.0)
        } -> std::convertible_to<S>;
};

// A type-erased shape with its shape-level modifiers (trim, scale, rotation,
// offset, transform, applied in order inside the frame; stroke widths are not
// scaled), and the ways to paint it.
class Shape : public ViewMethods<Shape> {
public:
    template <ShapeType S>
    Shape(S shape) : impl_(std::make_shared<Model<S>>(std::move(shape)))
    {
    }
    // A fixed path, drawn where it lies whatever the frame.
    static Shape fromPath(Path path);

    // The path in `rect`, with the shape-level modifiers applied.
    Path path(const Rect& rect) const;
    // The same in two steps: the shape's own path in `rect`, then the
    // modifiers applied to such a path.
    Path basePath(const Rect& rect) const { return impl_->path(rect); }
    Path modifying(Path base, const Rect& rect) const;
    // Whether the shape itself (modifiers aside) is the same value as
    // `other`'s: a copy of it, or an equal value of a type with ==. Such
    // shapes have the same path in the same rect, so it can be kept.
    bool hasSameValue(const Shape& other) const { return impl_ == other.impl_ || impl_->equals(*other.impl_); }
    std::type_index type() const { return impl_->type(); }
    std::optional<AnimatableData> animatableData() const { return impl_->data(); }
    Shape withAnimatableData(const AnimatableData& data) const;
    bool isInsettable() const { return impl_->insettable() && ops_.empty(); }
    Shape inset(double amount) const;

    // Shape-level modifiers; their numbers are animatable.
    Shape trim(double from = 0, double to = 1) const;
    Shape scale(double s, UnitPoint anchor = UnitPoint::center()) const { return scale(s, s, anchor); }
    Shape scale(double x, double y, UnitPoint anchor = UnitPoint::center()) const;
    Shape rotation(Angle angle, UnitPoint anchor = UnitPoint::center()) const;
    Shape offset(double x, double y) const;
    Shape transform(const AffineTransform& t) const;

    // Painting. Without a paint the environment's foreground colour is used.
    View fill(FillStyle style = {}) const;
    View fill(Paint paint, FillStyle style = {}) const;
    View stroke(Paint paint, StrokeStyle style) const;
    View stroke(Paint paint, double lineWidth = 1) const
    {
        return stroke(std::move(paint), StrokeStyle{.lineWidth = lineWidth});
    }
    View stroke(StrokeStyle style) const;
    // Insets the shape by half the line width first, so the stroke lies inside the frame.
    View strokeBorder(Paint paint, StrokeStyle style) const;
    View strokeBorder(Paint paint, double lineWidth = 1) const
    {
        return strokeBorder(std::move(paint), StrokeStyle{.lineWidth = lineWidth});
    }
    // A shape used as a view is filled with the foreground colour.
    operator View() const { return fill(); }

    // The numbers of the shape-level modifiers, for animation, and a shape
    // of the modifier list (different lists jump).
    std::vector<double> modifierValues() const;
    std::size_t modifierSignature() const;
    Shape withModifierValues(const std::vector<double>& values) const;

    friend bool operator==(const Shape&, const Shape&) = delete;

private:
    struct Concept {
        virtual ~Concept() = default;
        virtual Path path(const Rect& r) const = 0;
        virtual std::type_index type() const = 0;
        virtual std::optional<AnimatableData> data() const = 0;
        virtual std::shared_ptr<const Concept> withData(const AnimatableData&) const = 0;
        virtual bool insettable() const = 0;
        virtual std::shared_ptr<const Concept> inset(double) const = 0;
        virtual bool equals(const Concept& other) const = 0;
    };
    template <class S>
    struct Model final : Concept {
        explicit Model(S s) : shape(std::move(s)) {}
        Path path(const Rect& r) const override { return shape.path(r); }
        std::type_index type() const override { return typeid(S); }
        std::optional<AnimatableData> data() const override
        {
            if constexpr (AnimatableShape<S>)
                return AnimatableData(shape.animatableData());
            else
                return std::nullopt;
        }
        std::shared_ptr<const Concept> withData(const AnimatableData& d) const override
        {
            if constexpr (AnimatableShape<S>) {
                S copy = shape;
                copy.setAnimatableData(d);
                return std::make_shared<Model>(std::move(copy));
            } else {
                (void)d;
                return std::make_shared<Model>(shape);
            }
        }
        bool insettable() const override { return InsettableShape<S>; }
        std::shared_ptr<const Concept> inset(double amount) const override
        {
            if constexpr (InsettableShape<S>) {
                return std::make_shared<Model>(S(shape.inset(amount)));
            } else {
                (void)amount;
                return std::make_shared<Model>(shape);
            }
        }
        bool equals(const Concept& other) const override
        {
            if constexpr (std::equality_comparable<S>) {
                const auto* same = dynamic_cast<const Model*>(&other);
                return same && same->shape == shape;
            } else {
                (void)other;
                return false;
            }
        }
        S shape;
    };
    struct Op {
        enum class Kind { trim, scale, rotation, offset, transform };
        Kind kind;
        double a = 0, b = 0;
        UnitPoint anchor;
        AffineTransform t;
    };
    Shape withOp(Op op) const;

    std::shared_ptr<const Concept> impl_;
    std::vector<Op> ops_;
};

// Mixed into shape types: the shape methods, the view modifiers and the
// conversion to a filled view.
//
//   struct Wedge : kit::ShapeBase<Wedge> {
//       Wedge(double start, double amount) : start(start), amount(amount) {}
//       double start, amount;
//       kit::Path path(const kit::Rect& r) const;
//   };
//   Wedge(-1.57, 1.57).fill(kit::Color::red()).scaleEffect(1.1)
template <class Derived>
class ShapeBase : public ViewMethods<Derived> {
public:
    Shape shape() const { return Shape(static_cast<const Derived&>(*this)); }
    Shape trim(double from = 0, double to = 1) const { return shape().trim(from, to); }
    Shape scale(double s, UnitPoint anchor = UnitPoint::center()) const { return shape().scale(s, anchor); }
    Shape scale(double x, double y, UnitPoint anchor = UnitPoint::center()) const
    {
        return shape().scale(x, y, anchor);
    }
    Shape rotation(Angle angle, UnitPoint anchor = UnitPoint::center()) const
    {
        return shape().rotation(angle, anchor);
    }
    Shape offset(double x, double y) const { return shape().offset(x, y); }
    Shape transform(const AffineTransform& t) const { return shape().transform(t); }
    View fill(FillStyle style = {}) const { return shape().fill(style); }
    View fill(Paint paint, FillStyle style = {}) const { return shape().fill(std::move(paint), style); }
    View stroke(Paint paint, StrokeStyle style) const { return shape().stroke(std::move(paint), std::move(style)); }
    View stroke(Paint paint, double lineWidth = 1) const { return shape().stroke(std::move(paint), lineWidth); }
    View stroke(StrokeStyle style) const { return shape().stroke(std::move(style)); }
    View strokeBorder(Paint paint, StrokeStyle style) const
    {
        return shape().strokeBorder(std::move(paint), std::move(style));
    }
    View strokeBorder(Paint paint, double lineWidth = 1) const
    {
        return shape().strokeBorder(std::move(paint), lineWidth);
    }
    operator View() const { return shape().fill(); }
};

} // namespace kit

#include "kit/ui/BuiltInShapes.h"
