// The modifiers that take part in layout: frames, padding, position,
// fixed size, aspect ratio, layout priority, alignment guides, overlays and
// backgrounds.

#include "kit/ui/DisplayListBuilder.h"
#include "kit/ui/Primitive.h"
#include "kit/ui/GroupLayout.h"
#include "kit/ui/StackLayout.h"

#include <QDebug>

#include <algorithm>
#include <cmath>
#include <set>
#include <source_location>
#include <string>

namespace kit::detail {

namespace {

// The content measured as one group (normally a single item).
Size contentSize(Node& node, ProposedSize p)
{
    const std::vector<Node*> items = node.items(0);
    passAxis(items, node);
    return measureItems(items, p, Arrangement::vertical, Alignment::center());
}

// Frame lengths as layout uses them: a negative or non-finite length is 0,
// so a length that could not be computed (0 / 0, say) draws nothing instead
// of taking the whole proposal; `maximum` lengths may be +infinity. A debug
// build names each caller that gives one, once.
class FrameLengths {
public:
    explicit FrameLengths(std::source_location caller) : caller_(caller) {}
    std::optional<double> length(std::optional<double> d) const { return d ? std::optional(valid(*d, false)) : d; }
    std::optional<double> maximum(std::optional<double> d) const { return d ? std::optional(valid(*d, true)) : d; }

private:
    double valid(double d, bool infiniteAllowed) const
    {
        if (d >= 0 && (std::isfinite(d) || infiniteAllowed))
            return d;
#ifndef NDEBUG
        static std::set<std::pair<std::string, std::uint_least32_t>> reported;
        if (reported.emplace(caller_.file_name(), caller_.line()).second)
            qDebug("kit: a frame at %s:%u has a negative or non-finite length; it counts as 0", caller_.file_name(),
                   unsigned(caller_.line()));
#endif
        return 0;
    }
    std::source_location caller_;
};

// The content of a layout modifier as placement sees it: one item with its
// own guides, or several measured as one group.
struct Content {
    Size size;
    Node* item = nullptr; // null for a group
    double guide(HorizontalAlignment g) const { return item ? item->guide(g, size) : plain()[g]; }
    double guide(VerticalAlignment g) const { return item ? item->guide(g, size) : plain()[g]; }
    ViewDimensions plain() const { return {size.width, size.height, size.height, size.height}; }
};

// Where content goes when aligned inside `size`.
Point aligned(Size size, const Content& content, Alignment alignment)
{
    const ViewDimensions own{size.width, size.height, size.height, size.height};
    return {own[alignment.horizontal] - content.guide(alignment.horizontal),
            own[alignment.vertical] - content.guide(alignment.vertical)};
}

// A modifier whose own layout differs from its content's: it proposes
// childProposal() to the content and puts it at childOrigin() inside its own
// size. Its guides are the content's, moved by where the content goes.
class LayoutModifier : public ModifierPrimitive {
public:
    using ModifierPrimitive::ModifierPrimitive;

    void placeChildren(Node& node, ProposedSize p, Size size) const override
    {
        const std::vector<Node*> items = node.items(0);
        const ProposedSize cp = childProposal(node, p);
        if (items.size() == 1) {
            const Content c{items[0]->sizeThatFits(cp), items[0]};
            items[0]->place(childOrigin(node, size, c), cp);
            return;
        }
        const Content group{contentSize(node, cp)};
        placeItems(items, childOrigin(node, size, group), cp, group.size, Arrangement::vertical, Alignment::center());
    }
    std::optional<double> explicitGuide(Node& node, HorizontalAlignment g, Size size) const override
    {
        return shifted(node, size, [g](Node& item, Size s) { return item.primitive->explicitGuide(item, g, s); }, true);
    }
    std::optional<double> explicitGuide(Node& node, VerticalAlignment g, Size size) const override
    {
        return shifted(node, size, [g](Node& item, Size s) { return item.primitive->explicitGuide(item, g, s); }, false);
    }

protected:
    virtual ProposedSize childProposal(Node& node, ProposedSize p) const = 0;
    virtual Point childOrigin(Node& node, Size size, const Content& content) const = 0;

private:
    // A content guide moved by where the content sits when this modifier has `size`.
    template <class Guide>
    std::optional<double> shifted(Node& node, Size size, Guide guide, bool horizontal) const
    {
        const std::vector<Node*> items = node.items(0);
        if (items.size() != 1)
            return std::nullopt;
        const ProposedSize cp = childProposal(node, size);
        const Content c{items[0]->sizeThatFits(cp), items[0]};
        const std::optional<double> v = guide(*items[0], c.size);
        if (!v)
            return std::nullopt;
        const Point origin = childOrigin(node, size, c);
        return (horizontal ? origin.x : origin.y) + *v;
    }
};

class FixedFrame final : public LayoutModifier {
public:
    FixedFrame(View content, std::optional<double> w, std::optional<double> h, Alignment a)
        : LayoutModifier(std::move(content)), width_(w), height_(h), alignment_(a)
    {
    }
    Size sizeThatFits(Node& node, ProposedSize p) const override
    {
        if (width_ && height_)
            return {*width_, *height_};
        const Size child = contentSize(node, childProposal(node, p));
        return {width_.value_or(child.width), height_.value_or(child.height)};
    }

protected:
    ProposedSize childProposal(Node&, ProposedSize p) const override
    {
        return {width_ ? width_ : p.width, height_ ? height_ : p.height};
    }
    Point childOrigin(Node&, Size size, const Content& c) const override { return aligned(size, c, alignment_); }

private:
    std::optional<double> width_, height_;
    Alignment alignment_;
};

class FlexibleFrame final : public LayoutModifier {
public:
    FlexibleFrame(View content, FlexFrame f) : LayoutModifier(std::move(content)), f_(std::move(f))
    {
        // A contradiction raises the maximum to the minimum.
        if (f_.minWidth && f_.maxWidth && *f_.minWidth > *f_.maxWidth)
            f_.maxWidth = f_.minWidth;
        if (f_.minHeight && f_.maxHeight && *f_.minHeight > *f_.maxHeight)
            f_.maxHeight = f_.minHeight;
    }
    Size sizeThatFits(Node& node, ProposedSize p) const override
    {
        const Size child = contentSize(node, childProposal(node, p));
        return {axis(p.width, child.width, f_.minWidth, f_.idealWidth, f_.maxWidth),
                axis(p.height, child.height, f_.minHeight, f_.idealHeight, f_.maxHeight)};
    }

protected:
    ProposedSize childProposal(Node&, ProposedSize p) const override
    {
        return {childAxis(p.width, f_.minWidth, f_.idealWidth, f_.maxWidth),
                childAxis(p.height, f_.minHeight, f_.idealHeight, f_.maxHeight)};
    }
    Point childOrigin(Node&, Size size, const Content& c) const override { return aligned(size, c, f_.alignment); }

private:
    static std::optional<double> childAxis(std::optional<double> p, std::optional<double> mn, std::optional<double> ideal,
                                           std::optional<double> mx)
    {
        if (!p)
            return ideal;
        double v = *p;
        if (mn)
            v = std::max(v, *mn);
        if (mx)
            v = std::min(v, *mx);
        return v;
    }
    static double axis(std::optional<double> p, double child, std::optional<double> mn, std::optional<double> ideal,
                       std::optional<double> mx)
    {
        if (!p) {
            double r = ideal.value_or(child);
            if (mn)
                r = std::max(*mn, r);
            if (mx)
                r = std::min(*mx, r);
            return r;
        }
        double r = child;
        if (mn)
            r = std::max(*mn, std::min(r, *p));
        if (mx)
            r = std::min(*mx, std::max(r, *p));
        return r;
    }
    FlexFrame f_;
};

class Padding final : public LayoutModifier {
public:
    Padding(View content, EdgeInsets insets) : LayoutModifier(std::move(content)), insets_(insets) {}
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
    Point childOrigin(Node&, Size size, const Content& c) const override { return aligned(size, c, Alignment::center()); }

private:
    std::optional<double> ratio_;
    ContentMode mode_;
};

class LayoutPriority final : public ModifierPrimitive {
public:
    LayoutPriority(View content, double priority) : ModifierPrimitive(std::move(content)), priority_(priority) {}
    std::optional<double> layoutPriority() const override { return priority_; }

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
        return {size.width, size.height, size.height, size.height};
    }
    std::optional<HorizontalAlignment> horizontal_;
    std::optional<VerticalAlignment> vertical_;
    Compute compute_;
};

struct OverlayTag {};
struct BackgroundTag {};

// A decoration in slot 1, sized by the content and aligned in its rect.
class Decoration final : public ModifierPrimitive {
public:
    Decoration(View content, View decoration, Alignment alignment, bool above)
        : ModifierPrimitive(std::move(content)), decoration_(std::move(decoration)), alignment_(alignment), above_(above)
    {
    }
    std::type_index type() const override
    {
        return above_ ? std::type_index(typeid(OverlayTag)) : std::type_index(typeid(BackgroundTag));
    }
    void update(Node& node) const override { reconcileChildren(node, {{0, {}, content}, {1, {}, decoration_}}); }
    void placeChildren(Node& node, ProposedSize p, Size size) const override
    {
        ModifierPrimitive::placeChildren(node, p, size);
        const std::vector<Node*> items = node.items(1);
        assignAxis(items, std::nullopt);
        const StackArrangement a = arrangeDepth(items, size, alignment_);
        const ViewDimensions own{size.width, size.height, size.height, size.height};
        const ViewDimensions group{a.size.width, a.size.height, a.size.height, a.size.height};
        const Point origin{own[alignment_.horizontal] - group[alignment_.horizontal],
                           own[alignment_.vertical] - group[alignment_.vertical]};
        if (items.size() == 1) {
            const Size s = items[0]->sizeThatFits(size);
            items[0]->place({own[alignment_.horizontal] - items[0]->guide(alignment_.horizontal, s),
                             own[alignment_.vertical] - items[0]->guide(alignment_.vertical, s)},
                            size);
            return;
        }
        for (std::size_t i = 0; i < items.size(); ++i)
            items[i]->place({origin.x + a.origins[i].x, origin.y + a.origins[i].y}, size);
    }
    void draw(Node& node, DisplayListBuilder& builder, const DrawState& state) const override
    {
        builder.drawSlot(node, above_ ? 0 : 1, state);
        builder.drawSlot(node, above_ ? 1 : 0, state);
    }

private:
    View decoration_;
    Alignment alignment_;
    bool above_;
};

} // namespace

View frame(const View& v, std::optional<double> width, std::optional<double> height, Alignment alignment,
           std::source_location caller)
{
    const FrameLengths lengths(caller);
    width = lengths.length(width);
    height = lengths.length(height);
    return modify(v, [=](View c) { return std::make_shared<FixedFrame>(std::move(c), width, height, alignment); });
}

View frame(const View& v, const FlexFrame& limits, std::source_location caller)
{
    const FrameLengths lengths(caller);
    FlexFrame f = limits;
    f.minWidth = lengths.length(f.minWidth);
    f.idealWidth = lengths.length(f.idealWidth);
    f.maxWidth = lengths.maximum(f.maxWidth);
    f.minHeight = lengths.length(f.minHeight);
    f.idealHeight = lengths.length(f.idealHeight);
    f.maxHeight = lengths.maximum(f.maxHeight);
    return modify(v, [=](View c) { return std::make_shared<FlexibleFrame>(std::move(c), f); });
}

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

View overlay(const View& v, const View& decoration, Alignment alignment)
{
    return modify(v, [=](View c) { return std::make_shared<Decoration>(std::move(c), decoration, alignment, true); });
}

View background(const View& v, const View& decoration, Alignment alignment)
{
    return modify(v, [=](View c) { return std::make_shared<Decoration>(std::move(c), decoration, alignment, false); });
}

} // namespace kit::detail
