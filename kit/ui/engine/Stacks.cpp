#include "kit/ui/Stacks.h"

#include "kit/ui/engine/DisplayListBuilder.h"
#include "kit/ui/engine/Primitive.h"
#include "kit/ui/engine/StackLayout.h"

#include <algorithm>

namespace kit {

namespace detail {
namespace {

struct HStackTag {};
struct VStackTag {};

class StackPrimitive final : public ArrangedContainer {
public:
    StackPrimitive(Axis axis, Alignment alignment, std::optional<double> spacing, std::vector<View> children)
        : ArrangedContainer(std::move(children)), axis_(axis), alignment_(alignment),
          spacing_(spacing.value_or(defaultSpacing))
    {
    }
    std::type_index type() const override
    {
        return axis_ == Axis::horizontal ? std::type_index(typeid(HStackTag)) : std::type_index(typeid(VStackTag));
    }
    bool sameLayout(const Primitive& other) const override
    {
        const StackPrimitive& o = sameClass(*this, other);
        return o.axis_ == axis_ && o.alignment_ == alignment_ && o.spacing_ == spacing_;
    }
    std::optional<double> explicitGuide(Node& node, VerticalAlignment g, Size size) const override
    {
        // A stack has a first text baseline (its first child's, after
        // aligning); its last text baseline is its bottom, like any view's.
        if (g != VerticalAlignment::firstTextBaseline)
            return std::nullopt;
        const std::vector<Node*> items = node.items(0);
        if (items.empty())
            return std::nullopt;
        const StackArrangement a = arrange(node, size);
        return a.origins[0].y + items[0]->guide(g, a.sizes[0]);
    }

protected:
    StackArrangement arrange(Node& node, ProposedSize proposal) const override
    {
        const std::vector<Node*> items = node.items(0);
        assignAxis(items, axis_, axis_);
        return arrangeStack(items, proposal, axis_, spacing_, [this](Node& n, Size s) {
            return axis_ == Axis::horizontal ? n.guide(alignment_.vertical, s) : n.guide(alignment_.horizontal, s);
        });
    }

private:
    Axis axis_;
    Alignment alignment_;
    double spacing_;
};

class ZStackPrimitive final : public ArrangedContainer {
public:
    ZStackPrimitive(Alignment alignment, std::vector<View> children)
        : ArrangedContainer(std::move(children)), alignment_(alignment)
    {
    }
    bool sameLayout(const Primitive& other) const override { return sameClass(*this, other).alignment_ == alignment_; }

protected:
    StackArrangement arrange(Node& node, ProposedSize proposal) const override
    {
        const std::vector<Node*> items = node.items(0);
        assignAxis(items, std::nullopt, node.enclosingAxis); // a depth stack keeps its stack's direction
        return arrangeDepth(items, proposal, alignment_);
    }

private:
    Alignment alignment_;
};

class SpacerPrimitive final : public Primitive {
public:
    explicit SpacerPrimitive(std::optional<double> minLength) : minLength_(minLength.value_or(defaultSpacing)) {}
    NodeRole role() const override { return NodeRole::leaf; }
    bool sameLayout(const Primitive& other) const override { return sameClass(*this, other).minLength_ == minLength_; }
    Size sizeThatFits(Node& node, ProposedSize p) const override
    {
        auto along = [&](std::optional<double> d) { return d ? std::max(minLength_, *d) : minLength_; };
        if (node.stackAxis == Axis::horizontal)
            return {along(p.width), 0};
        if (node.stackAxis == Axis::vertical)
            return {0, along(p.height)};
        return {along(p.width), along(p.height)};
    }
    void draw(Node&, DisplayListBuilder&, const DrawState&) const override {}

private:
    double minLength_;
};

class DividerPrimitive final : public Primitive {
public:
    NodeRole role() const override { return NodeRole::leaf; }
    bool sameLayout(const Primitive&) const override { return true; }
    Size sizeThatFits(Node& node, ProposedSize p) const override
    {
        if (node.enclosingAxis == Axis::horizontal)
            return {1, p.height.value_or(1)};
        return {p.width.value_or(1), 1};
    }
    void targets(Node& node, TargetSink& sink) const override
    {
        sink.set(ChannelKey::color, premultiplied(node.environment->resolve(Color::separator())));
    }
    void draw(Node& node, DisplayListBuilder& builder, const DrawState& state) const override
    {
        const Rect f = node.presentedFrame();
        DisplayItem item;
        item.kind = DisplayItem::Kind::fill;
        item.path = Path::rect(Rect(0, 0, f.width(), f.height()));
        item.paint = node.presentedColor(node.environment->resolve(Color::separator()));
        builder.addItem(node, state, std::move(item));
    }
};

} // namespace
} // namespace detail

View HStack(std::vector<View> children)
{
    return HStack(VerticalAlignment::center, std::nullopt, std::move(children));
}

View HStack(VerticalAlignment alignment, std::vector<View> children)
{
    return HStack(alignment, std::nullopt, std::move(children));
}

View HStack(VerticalAlignment alignment, std::optional<double> spacing, std::vector<View> children)
{
    return View(std::make_shared<detail::StackPrimitive>(Axis::horizontal,
                                                         Alignment{HorizontalAlignment::center, alignment}, spacing,
                                                         std::move(children)));
}

View VStack(std::vector<View> children)
{
    return VStack(HorizontalAlignment::center, std::nullopt, std::move(children));
}

View VStack(HorizontalAlignment alignment, std::vector<View> children)
{
    return VStack(alignment, std::nullopt, std::move(children));
}

View VStack(HorizontalAlignment alignment, std::optional<double> spacing, std::vector<View> children)
{
    return View(std::make_shared<detail::StackPrimitive>(Axis::vertical,
                                                         Alignment{alignment, VerticalAlignment::center}, spacing,
                                                         std::move(children)));
}

View ZStack(std::vector<View> children)
{
    return ZStack(Alignment::center(), std::move(children));
}

View ZStack(Alignment alignment, std::vector<View> children)
{
    return View(std::make_shared<detail::ZStackPrimitive>(alignment, std::move(children)));
}

View Spacer(std::optional<double> minLength)
{
    return View(std::make_shared<detail::SpacerPrimitive>(minLength));
}

View Divider()
{
    return View(std::make_shared<detail::DividerPrimitive>());
}

} // namespace kit
