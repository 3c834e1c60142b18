// A Color used as a view: it fills its frame, and its colour animates.

#include "kit/ui/engine/DisplayListBuilder.h"
#include "kit/ui/engine/Primitive.h"

namespace kit {

namespace detail {
namespace {

class ColorPrimitive final : public Primitive {
public:
    explicit ColorPrimitive(Color color) : color_(color) {}
    std::type_index type() const override { return typeid(Color); }
    NodeRole role() const override { return NodeRole::leaf; }
    bool sameLayout(const Primitive&) const override { return true; } // it takes what it is offered
    void targets(Node& node, TargetSink& sink) const override
    {
        sink.set(ChannelKey::color, premultiplied(node.environment->resolve(color_)));
    }
    void draw(Node& node, DisplayListBuilder& builder, const DrawState& state) const override
    {
        const Rect f = node.presentedFrame();
        DisplayItem item;
        item.kind = DisplayItem::Kind::fill;
        item.path = Path::rect(Rect(0, 0, f.width(), f.height()));
        item.paint = node.presentedColor(node.environment->resolve(color_));
        builder.addItem(node, state, std::move(item));
    }

private:
    Color color_;
};

} // namespace
} // namespace detail

View::View(const Color& color) : primitive_(std::make_shared<detail::ColorPrimitive>(color)) {}

} // namespace kit
