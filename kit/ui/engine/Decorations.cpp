// Overlays and backgrounds: a second view sized by the content, drawn above
// or below it.

#include "kit/ui/engine/DisplayListBuilder.h"
#include "kit/ui/engine/LayoutModifier.h"
#include "kit/ui/engine/StackLayout.h"

namespace kit::detail {

namespace {

struct OverlayTag {};
struct BackgroundTag {};

// A decoration in slot 1, sized by the content and aligned in its rect.
class Decoration final : public ModifierPrimitive {
public:
    Decoration(View content, View decoration, Alignment alignment, bool above)
        : ModifierPrimitive(std::move(content)), decoration_(std::move(decoration)), alignment_(alignment),
          above_(above)
    {
    }
    std::type_index type() const override
    {
        return above_ ? std::type_index(typeid(OverlayTag)) : std::type_index(typeid(BackgroundTag));
    }
    bool sameLayout(const Primitive& other) const override { return sameClass(*this, other).alignment_ == alignment_; }
    void update(Node& node) const override
    {
        ChildSpec specs[] = {{0, {}, content}, {1, {}, decoration_}};
        reconcileChildren(node, std::span<ChildSpec>(specs));
    }
    void placeChildren(Node& node, ProposedSize p, Size size) const override
    {
        ModifierPrimitive::placeChildren(node, p, size);
        const std::vector<Node*>& listed = node.items(1);
        assignAxis(listed, std::nullopt);
        if (listed.size() == 1) {
            // One decoration is aligned by itself, without a group to arrange.
            Node& only = *listed[0];
            only.place(aligned(size, Content{only.sizeThatFits(size), &only}, alignment_), size);
            return;
        }
        const std::vector<Node*> items = listed; // placing may collect the items again
        const StackArrangement a = arrangeDepth(items, size, alignment_);
        const Point origin = aligned(size, Content{a.size}, alignment_);
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

View overlay(const View& v, const View& decoration, Alignment alignment)
{
    return modify(v, [=](View c) { return std::make_shared<Decoration>(std::move(c), decoration, alignment, true); });
}

View background(const View& v, const View& decoration, Alignment alignment)
{
    return modify(v, [=](View c) { return std::make_shared<Decoration>(std::move(c), decoration, alignment, false); });
}

} // namespace kit::detail
