// The modifiers that take part in layout besides frames: padding, position,
// fixed size, aspect ratio, layout priority and alignment guides.

#include "kit/ui/engine/LayoutModifier.h"

#include "kit/ui/engine/StackLayout.h"

#include <algorithm>
#include <cmath>

namespace kit::detail {

Size contentSize(Node& node, ProposedSize p)
{
    const std::vector<Node*> items = node.items(0);
    passAxis(items, node);
    return measureItems(items, p, Arrangement::vertical, Alignment::center());
}

namespace {

class Padding final : public LayoutModifier {
public:
    Padding(View content, EdgeInsets insets) : LayoutModifier(std::move(content)), insets_(insets) {}
    bool sameLayout(const Primitive& other) const override { return sameClass(*this, other).insets_ == insets_; }
    Size sizeThatFits(Node& node, ProposedSize p) const override
    {
        const Size child = contentSize(node, childProposal(node, p));
        return {std::max(0.0, child.width + insets_.horizontal()), std::max(0.0, child.height + insets_.vertical())};
    }

protected:
    ProposedSize childProposal(Node&, ProposedSize p) const override
    {
        auto less = [](std::optional<double> d, double inset) -> std::optional<double> {
            if (!d)
                return d;
            return std::max(0.0, *d - inset);
        };
        return {less(p.width, insets_.horizontal()), less(p.height, insets_.vertical())};
    }
    Point childOrigin(Node&, Size, const Content&) const override { return {insets_.leading, insets_.top}; }

private:
    EdgeInsets insets_;
};

class Position final : public LayoutModifier {
public:
    Position(View content, Point p) : LayoutModifier(std::move(content)), position_(p) {}
    bool sameLayout(const Primitive& other) const override { return sameClass(*this, other).position_ == position_; }
    Size sizeThatFits(Node& node, ProposedSize p) const override
    {
        if (p.width && p.height)
            return {*p.width, *p.height};
        const Size child = contentSize(node, p);
        return {p.width.value_or(child.width), p.height.value_or(child.height)};
    }

protected:
    ProposedSize childProposal(Node&, ProposedSize p) const override { return p; }
    Point childOrigin(Node&, Size, const Content& c) const override
    {
        return {position_.x - c.size.width / 2, position_.y - c.size.height / 2};
    }

private:
    Point position_;
};

class FixedSize final : public LayoutModifier {
public:
    FixedSize(View content, bool h, bool v) : LayoutModifier(std::move(content)), horizontal_(h), vertical_(v) {}
    bool sameLayout(const Primitive& other) const override
    {
        const FixedSize& o = sameClass(*this, other);
        return o.horizontal_ == horizontal_ && o.vertical_ == vertical_;
    }
    Size sizeThatFits(Node& node, ProposedSize p) const override { return contentSize(node, childProposal(node, p)); }

protected:
    ProposedSize childProposal(Node&, ProposedSize p) const override
    {
        return {horizontal_ ? std::nullopt : p.width, vertical_ ? std::nullopt : p.height};
    }
    Point childOrigin(Node&, Size, const Content&) const override { return {0, 0}; }

private:
    bool horizontal_, vertical_;
};

class AspectRatio final : public LayoutModifier {
public:
    AspectRatio(View content, std::optional<double> ratio, ContentMode mode)
        : LayoutModifier(std::move(content)), ratio_(ratio), mode_(mode)
    {
    }
    bool sameLayout(const Primitive& other) const override
    {
        const AspectRatio& o = sameClass(*this, other);
        return o.ratio_ == ratio_ && o.mode_ == mode_;
    }
    Size sizeThatFits(Node& node, ProposedSize p) const override { return contentSize(node, childProposal(node, p)); }

protected:
    ProposedSize childProposal(Node& node, ProposedSize p) const override
    {
        double r = 1;
        if (ratio_) {
            r = *ratio_;
        } else {
            const Size ideal = contentSize(node, ProposedSize::unspecified());
            r = ideal.height > 0 ? ideal.width / ideal.height : 1;
        }
        if (!(r > 0) || !std::isfinite(r))
            return p;
        if (p.width && p.height) {
            const double w = *p.width, h = *p.height;
            const bool wider = h > 0 ? w / h > r : true;
            const bool useHeight = mode_ == ContentMode::fit ? wider : !wider;
            return useHeight ? ProposedSize{h * r, h} : ProposedSize{w, w / r};
        }
        if (p.width)
            return {*p.width, *p.width / r};
        if (p.height)
            return {*p.height * r, *p.height};
        return p;
    }
    Point childOrigin(Node&, Size size, const Content& c) const override
    {
        return aligned(size, c, Alignment::center());
    }

private:
    std::optional<double> ratio_;
    ContentMode mode_;
};

class LayoutPriority final : public ModifierPrimitive {
public:
    LayoutPriority(View content, double priority) : ModifierPrimitive(std::move(content)), priority_(priority) {}
    std::optional<double> layoutPriority() const override { return priority_; }
    bool sameLayout(const Primitive& other) const override { return sameClass(*this, other).priority_ == priority_; }

private:
    double priority_;
};

class AlignmentGuideModifier final : public ModifierPrimitive {
public:
    using Compute = std::function<double(const ViewDimensions&)>;
    AlignmentGuideModifier(View content, std::optional<HorizontalAlignment> h, std::optional<VerticalAlignment> v,
                           Compute compute)
        : ModifierPrimitive(std::move(content)), horizontal_(h), vertical_(v), compute_(std::move(compute))
    {
    }
    std::optional<double> explicitGuide(Node& node, HorizontalAlignment g, Size size) const override
    {
        if (horizontal_ == g)
            return compute_(dimensions(node, size));
        return ModifierPrimitive::explicitGuide(node, g, size);
    }
    std::optional<double> explicitGuide(Node& node, VerticalAlignment g, Size size) const override
    {
        if (vertical_ == g)
            return compute_(dimensions(node, size));
        return ModifierPrimitive::explicitGuide(node, g, size);
    }

private:
    ViewDimensions dimensions(Node& node, Size size) const
    {
        const std::vector<Node*> items = node.items(0);
        if (items.size() == 1)
            return items[0]->dimensions(size);
        return ViewDimensions::box(size);
    }
    std::optional<HorizontalAlignment> horizontal_;
    std::optional<VerticalAlignment> vertical_;
    Compute compute_;
};

} // namespace

View padding(const View& v, EdgeInsets insets)
{
    return modify(v, [=](View c) { return std::make_shared<Padding>(std::move(c), insets); });
}

View position(const View& v, double x, double y)
{
    return modify(v, [=](View c) { return std::make_shared<Position>(std::move(c), Point{x, y}); });
}

View fixedSize(const View& v, bool horizontal, bool vertical)
{
    return modify(v, [=](View c) { return std::make_shared<FixedSize>(std::move(c), horizontal, vertical); });
}

View aspectRatio(const View& v, std::optional<double> ratio, ContentMode mode)
{
    return modify(v, [=](View c) { return std::make_shared<AspectRatio>(std::move(c), ratio, mode); });
}

View layoutPriority(const View& v, double priority)
{
    return modify(v, [=](View c) { return std::make_shared<LayoutPriority>(std::move(c), priority); });
}

View alignmentGuide(const View& v, HorizontalAlignment g, std::function<double(const ViewDimensions&)> value)
{
    return modify(v, [=](View c) {
        return std::make_shared<AlignmentGuideModifier>(std::move(c), g, std::nullopt, value);
    });
}

View alignmentGuide(const View& v, VerticalAlignment g, std::function<double(const ViewDimensions&)> value)
{
    return modify(v, [=](View c) {
        return std::make_shared<AlignmentGuideModifier>(std::move(c), std::nullopt, g, value);
    });
}

} // namespace kit::detail
